/* Dense linear algebra of small matrices: inverse, determinants, eigen- and
 * singular values, products and arithmetic, norms, nearest positive-definite
 * and correlation matrices, iterative methods. Matrices are column-major. */
#ifndef VEXLAN_MATH_LINALG_H
#define VEXLAN_MATH_LINALG_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Inverse, determinants and factorisations. */
void MatrixInverse(const double* a, double* ainv, const int32_t* n);
void LUFactDeterminant(double* lud, const double* a, const int32_t* n);
void Determinant(double* pd, const double* a, const int32_t* n, const int32_t* pdflag);
double GetPrincipleMinor(const double* sm, const int32_t* i, const int32_t* k);
double GetFirstMinor(const double* sm, const int32_t* i, const int32_t* j, const int32_t* k);
double GetCofactor(const double* mij, const int32_t* i, const int32_t* j);
void MatrixEigenvalues(const double* a, double* d, const int32_t* n);
void MatrixEigenVectors(const double* a, double* z, const int32_t* n, double* eigvals);
double VectorModalAssuranceCriterion(const double* a, const double* b, const int32_t* n);
void MatrixModalAssuranceCriterion(const double* xs, const double* ys, double* mac,
                                   const int32_t* n);
void SingularValueDecomposition(const double* a, double* u, double* s, double* v,
                                const int32_t* m, const int32_t* n);
void CholeskyFactorization(const double* a, double* c, const int32_t* n);
void GeneralMatrixProduct(double* d, const double* alpha, const double* a, const double* b,
                          const double* beta, const double* c, const int32_t* m,
                          const int32_t* n, const int32_t* k, const char* sa, const char* sb,
                          size_t sa_len, size_t sb_len);

/* Matrix and vector arithmetic and products. */
void MatrixProduct(const double* a, const double* b, double* c, const int32_t* l,
                   const int32_t* n, const int32_t* m);
void MatrixVectorProduct(const double* a, const double* b, double* c, const int32_t* n,
                         const int32_t* m);
void VectorMatrixProduct(const double* a, const double* b, double* c, const int32_t* n,
                         const int32_t* m);
void LUMatrixVectorProduct(const double* a, const double* b, double* c, const int32_t* m,
                           const int32_t* n);
void HadamardProduct(const double* a, const double* b, double* c, const int32_t* l,
                     const int32_t* n);
void HadamardDivision(const double* a, const double* b, double* c, const int32_t* l,
                      const int32_t* n);
void KroneckerProduct(const double* a, const double* b, double* ab, const int32_t* ma,
                      const int32_t* na, const int32_t* pb, const int32_t* qb);
void DyadenProduct(const double* a, const double* b, double* c, const int32_t* m,
                   const int32_t* n);
void GetHouseHolderTransformationMatrix(double* thouse, const double* v, const int32_t* n);
void CrossProduct(const double* a, const double* b, double* c);
void VectorTripleProduct(const double* a, const double* b, const double* c, double* d);
void DotProduct(const double* a, const double* b, double* c, const int32_t* l);
void ScalarTripleProduct(const double* a, const double* b, const double* c, double* d);
void MatrixSum(double* a, const double* b, const int32_t* n, const int32_t* m);
void MatrixSub(double* a, const double* b, const int32_t* n, const int32_t* m);
void MatrixScalarMultiplication(double* a, const double* b, const double* c, const int32_t* n,
                                const int32_t* m);
void MatrixAmplify(double* a, const double* c, const int32_t* n, const int32_t* m);
void VectorSum(double* a, const double* b, const int32_t* n);
void VectorSub(double* a, const double* b, const int32_t* n);
void VectorScalarMultiplication(double* a, const double* b, const double* c, const int32_t* n);
void VectorAmplify(double* a, const double* c, const int32_t* n);
void MatrixShrinkage(const double* a, const double* b, double* c, const double* alpha,
                     const int32_t* n, const int32_t* m);
void MatrixSymmetrize(const double* a, double* sym, const int32_t* n);
void MatrixDiagonal(double* diag, const double* a, const int32_t* k, const int32_t* n);
void MatrixTranspose(const double* a, double* b, const int32_t* n, const int32_t* m);
void MatrixNormalize(const double* x, double* z, const int32_t* n, const int32_t* m);
void VectorNormalize(const double* x, double* z, const int32_t* n);
void CumulativeSum(double* csum, const double* a, const int32_t* n, const double* seed);
void CumulativeProduct(double* cprod, const double* a, const int32_t* n, const double* seed);
int32_t Monoticity(const double* x, const int32_t* n);
double Trace(const double* x, const int32_t* n);
double EuclideanDistance(const double* x, const double* y, const int32_t* n);

/* Norms, nearest positive-definite and correlation matrices, iterative methods. */
double VectorNorm(const double* x, const int32_t* n);
double MatrixNorm(const double* x, const int32_t* n, const int32_t* m);
double LpVectorNorm(const double* x, const double* p, const int32_t* n);
double LpMatrixNorm(const double* x, const double* p, const int32_t* n, const int32_t* m);
double SpectralNorm(const double* x, const int32_t* m, const int32_t* n);
double NuclearNorm(const double* x, const int32_t* m, const int32_t* n);
double SchattenNorm(const double* x, const double* p, const int32_t* m, const int32_t* n);
vx_l1 IsPositiveDefinite(const double* x, const int32_t* n, const double* tolerance);
void GetProjectedSPD(double* ppd, const double* a, const int32_t* n);
void GetNearestSPD(double* pd, const double* a, const int32_t* n);
double GetNearestPDNorm(const double* x, const int32_t* n);
void GetNearestCorrelationMatrix(double* corr, const double* a, const int32_t* n,
                                 const double* weights, const double* tol,
                                 const int32_t* maxiter, const int32_t* cflag);
void PowerIteration(double* eigenval, double* eigenvec, const double* a, const int32_t* n,
                    const int32_t* maxiter, const double* startvec, const double* abstol);
void ConjugateGradient(double* xgrad, const double* a, const double* b, const double* x0,
                       const int32_t* n, const int32_t* m);

#ifdef __cplusplus
}
#endif
#endif
