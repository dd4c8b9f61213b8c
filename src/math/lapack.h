// The Fortran LAPACK and BLAS routines the linear algebra relies on, and a
// small-buffer workspace for calling them.
//
// The system libraries are compiled Fortran: every argument goes by address,
// INTEGER is 32 bits, and each CHARACTER argument adds a hidden length
// argument at the end of the list. Callers must never pass an argument the
// library would reject: its error handler stops the process.
#pragma once
#include "fixed_lu.h"  // report_linalg
#include "scratch.h"
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include "vx.h"

extern "C" {
void dgetrf_(const int32_t* m, const int32_t* n, double* a, const int32_t* lda, int32_t* ipiv,
             int32_t* info);
void dgetri_(const int32_t* n, double* a, const int32_t* lda, const int32_t* ipiv, double* work,
             const int32_t* lwork, int32_t* info);
void dsytrd_(const char* uplo, const int32_t* n, double* a, const int32_t* lda, double* d,
             double* e, double* tau, double* work, const int32_t* lwork, int32_t* info,
             size_t uplo_len);
void dsterf_(const int32_t* n, double* d, double* e, int32_t* info);
void dsyev_(const char* jobz, const char* uplo, const int32_t* n, double* a, const int32_t* lda,
            double* w, double* work, const int32_t* lwork, int32_t* info, size_t jobz_len,
            size_t uplo_len);
void dgesvd_(const char* jobu, const char* jobvt, const int32_t* m, const int32_t* n, double* a,
             const int32_t* lda, double* s, double* u, const int32_t* ldu, double* vt,
             const int32_t* ldvt, double* work, const int32_t* lwork, int32_t* info,
             size_t jobu_len, size_t jobvt_len);
void dgelsy_(const int32_t* m, const int32_t* n, const int32_t* nrhs, double* a, const int32_t* lda,
             double* b, const int32_t* ldb, int32_t* jpvt, const double* rcond, int32_t* rank,
             double* work, const int32_t* lwork, int32_t* info);
double dnrm2_(const int32_t* n, const double* x, const int32_t* incx);
void dpotrf_(const char* uplo, const int32_t* n, double* a, const int32_t* lda, int32_t* info,
             size_t uplo_len);
void dgemm_(const char* transa, const char* transb, const int32_t* m, const int32_t* n,
            const int32_t* k, const double* alpha, const double* a, const int32_t* lda,
            const double* b, const int32_t* ldb, const double* beta, double* c,
            const int32_t* ldc, size_t transa_len, size_t transb_len);
}

namespace vx {

// LAPACK's iterative eigenvalue and singular value solvers may never return
// on a matrix that holds inf or NaN: such a matrix is refused before the call.
// True when all count values are finite; otherwise reports msg.
bool finite_or_report(const double* a, size_t count, const char* msg);
extern const char* const kNonFiniteEigenvalues;
extern const char* const kNonFiniteEigenvectors;
extern const char* const kNonFiniteSVD;


// Inverse in place of an n x n matrix, n >= 1 (the fixed-size kernel of
// fixed_lu.h for small orders, LAPACK for larger ones). Returns 0; or the first
// zero pivot (from 1) of a singular matrix, which is left holding its packed
// factors; or -1 when the inversion from the factors fails.
int invert(double* a, int32_t n);

// Element count of an m x n array given by 32-bit extents; 0 for any extent
// below 1.
inline size_t elems(int32_t m, int32_t n) {
  return (m < 1 || n < 1) ? 0 : size_t(m) * size_t(n);
}

// Workspace length returned by a LAPACK size query, truncated as the library
// expects, and never below `least`.
inline int32_t query_length(double w, int32_t least) {
  int32_t l = (w >= 2147483647.0) ? 2147483647 : (w > 0 ? int32_t(w) : 0);
  return l < least ? least : l;
}

}  // namespace vx
