/* Element types of the exported interface. */
#ifndef VEXLAN_TYPES_H
#define VEXLAN_TYPES_H
#include <stddef.h>
#include <stdint.h>

/* 1-byte logical: 0 is false, any other value true. */
typedef signed char vx_l1;

/* Complex number of two 64-bit reals, real part first. */
#ifdef __cplusplus
#include <complex>
typedef std::complex<double> vx_complex;
#else
typedef double _Complex vx_complex;
#endif

/* A process-wide array datum (sectiondata_plythickness, errorhandling_errintv, ...):
 * the library's descriptor of the array, which a C caller reads in place.
 * The elements are contiguous and column-major (first index fastest), with
 * 1-based indices in the documentation: element (i, j) of a rank-2 array of
 * double is ((double*)a.base)[(i - 1) + (j - 1) * a.extents[0]].
 *   owner       the library's handle of the storage; never touched by callers
 *   base        first element; NULL while the array is unallocated
 *   rank        number of indices, 1 to 4
 *   elsize      bytes per element: 4 (int32_t) or 8 (double)
 *   kind        'i' for int32_t elements, 'f' for double
 *   isallocated nonzero while the array is allocated
 *   extents     extent of each index; 0 beyond rank and while unallocated
 *   name        the datum's name as Python shows it, e.g. "plythickness"
 * Elements may be read and written through base; the array is allocated,
 * reallocated and freed only through datahandling_allocatearray and
 * datahandling_deallocatearray (or by the library's routines), after which
 * base, extents and isallocated describe the new state and an old base
 * pointer is no longer valid. */
typedef struct {
  void* owner;
  void* base;
  int32_t rank;
  int32_t elsize;
  char kind;
  vx_l1 isallocated;
  int64_t extents[7];
  const char* name;
} vx_array;

/* Kind parameters (component types): byte widths of the data types. */
#ifdef __cplusplus
extern "C" {
#endif
extern const int32_t types_cb; /* 1: one-byte integer or logical */
extern const int32_t types_i2; /* 2: 16-bit integer */
extern const int32_t types_i4; /* 4: 32-bit integer, every integer datum */
extern const int32_t types_i8; /* 8: 64-bit integer */
extern const int32_t types_sp; /* 4: 32-bit real */
extern const int32_t types_dp; /* 8: 64-bit real, every real datum */
extern const int32_t types_qp; /* 16: 128-bit real (no datum uses it) */
#ifdef __cplusplus
}
#endif

/* Array view of rank 1 to 7: base address, extents and strides in elements. */
typedef struct {
  void* base;
  int32_t rank;
  int64_t extent[7];
  int64_t stride[7];
} vx_view;

#endif
