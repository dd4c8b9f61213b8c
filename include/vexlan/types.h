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

/* Array view of rank 1 to 7: base address, extents and strides in elements. */
typedef struct {
  void* base;
  int32_t rank;
  int64_t extent[7];
  int64_t stride[7];
} vx_view;

#endif
