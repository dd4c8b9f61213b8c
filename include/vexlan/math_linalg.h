/* Dense linear algebra of small matrices: inverse, determinants, eigen- and
 * singular values, products and arithmetic, norms, nearest positive-definite
 * and correlation matrices, iterative methods. Matrices are column-major. */
#ifndef VEXLAN_MATH_LINALG_H
#define VEXLAN_MATH_LINALG_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ==== Inverse, determinants and factorisations ============================ */

/* MatrixInverse: inverse of a square matrix by LU factorisation with partial
 * pivoting. A singular matrix records status -2 "Matrix inverse becomes
 * numerically singular!" (or "Matrix inversion failed!") and ainv then holds
 * the packed LU factors, not an inverse.
 *   a    (in)  n x n matrix
 *   ainv (out) n x n inverse
 *   n    (in)  order; below 1 writes nothing (from Python, a negative n is
 *              a ValueError; 0 gives an empty result) */
void MatrixInverse(const double* a, double* ainv, const int32_t* n);

/* LUFactDeterminant: determinant from the LU factors (product of the pivots,
 * sign from the row interchanges). A singular matrix records status -2
 * "Singularity in LU-factorization computation" and gives 0.
 *   lud (out) the determinant; 1 for n below 1 (from Python, a negative n
 *             is a ValueError)
 *   a   (in)  n x n matrix
 *   n   (in)  order */
void LUFactDeterminant(double* lud, const double* a, const int32_t* n);

/* Determinant: determinant by cofactor expansion along the first row, or the
 * permanent with pdflag 1; the sign of successive terms is multiplied by
 * pdflag. Its cost grows with n factorial: for small matrices.
 *   pd     (out) the determinant (permanent); 0 for n below 1 (from Python,
 *                a negative n is a ValueError)
 *   a      (in)  n x n matrix
 *   n      (in)  order
 *   pdflag (in, optional) -1 (default): determinant; 1: permanent */
void Determinant(double* pd, const double* a, const int32_t* n, const int32_t* pdflag);

/* GetPrincipleMinor: leading principal minor of order i, the determinant of
 * sm(1:i, 1:i) (see LUFactDeterminant for a singular block). An order above
 * k records status -2 and gives 0; an order below 1 gives 1.
 *   sm     (in)  k x k matrix
 *   i      (in)  order of the minor
 *   k      (in)  order of sm
 *   result (ret) the minor */
double GetPrincipleMinor(const double* sm, const int32_t* i, const int32_t* k);

/* GetFirstMinor: determinant of sm with row j and column i removed (for a
 * symmetric sm the minor of row i and column j); 1 for k = 1. An index
 * outside 1..k records status -2 and gives 0.
 *   sm     (in)  k x k matrix
 *   i      (in)  column removed
 *   j      (in)  row removed
 *   k      (in)  order of sm
 *   result (ret) the minor */
double GetFirstMinor(const double* sm, const int32_t* i, const int32_t* j, const int32_t* k);

/* GetCofactor: the cofactor (-1)^(i+j) mij of a minor.
 *   mij    (in)  the minor
 *   i, j   (in)  row and column
 *   result (ret) mij for even i + j, -mij for odd */
double GetCofactor(const double* mij, const int32_t* i, const int32_t* j);

/* MatrixEigenvalues: eigenvalues of a symmetric matrix, ascending; only the
 * upper triangle is read. A non-finite entry records status -2 and leaves d
 * unwritten.
 *   a (in)  n x n symmetric matrix
 *   d (out) n eigenvalues, ascending
 *   n (in)  order; below 1 writes nothing (from Python, a negative n is a
 *           ValueError; 0 gives an empty result) */
void MatrixEigenvalues(const double* a, double* d, const int32_t* n);

/* MatrixEigenVectors: orthonormal eigenvectors of a symmetric matrix as the
 * columns of z, in ascending order of their eigenvalues; only the upper
 * triangle is read. The eigenvalues are returned only when eigvals is given
 * with every entry negative (fill it with -1). A non-finite entry records
 * status -2 and leaves z unwritten.
 *   a       (in)     n x n symmetric matrix
 *   z       (out)    n x n eigenvectors, one per column
 *   n       (in)     order; below 1 writes nothing (from Python, a negative
 *                    n is a ValueError; 0 gives empty results)
 *   eigvals (in/out, optional) n values, all negative to ask for the
 *                    eigenvalues (ascending); otherwise left as given */
void MatrixEigenVectors(const double* a, double* z, const int32_t* n, double* eigvals);

/* VectorModalAssuranceCriterion: (a.b)^2 / ((a.a)(b.b)), 1 for parallel and
 * 0 for orthogonal vectors; a zero vector gives NaN.
 *   a, b   (in)  n components each
 *   n      (in)  number of components
 *   result (ret) the criterion */
double VectorModalAssuranceCriterion(const double* a, const double* b, const int32_t* n);

/* MatrixModalAssuranceCriterion: the criterion between every eigenvector of
 * xs (rows) and every eigenvector of ys (columns), both in ascending order of
 * their eigenvalues. A non-finite entry records status -2 and leaves mac at
 * -1.
 *   xs  (in)  n x n symmetric matrix
 *   ys  (in)  n x n symmetric matrix
 *   mac (out) n x n criteria
 *   n   (in)  order */
void MatrixModalAssuranceCriterion(const double* xs, const double* ys, double* mac,
                                   const int32_t* n);

/* SingularValueDecomposition: a = u s v with u and v orthogonal and the
 * singular values descending on the diagonal of s; v is returned
 * transposed (V^T), so u s v reproduces a. A non-finite entry records status
 * -2 and leaves the zeroed results.
 *   a (in)  m x n matrix
 *   u (out) m x m left singular vectors, one per column
 *   s (out) m x n, zero except for the singular values on its diagonal
 *   v (out) n x n transposed right singular vectors, one per row
 *   m (in)  rows of a
 *   n (in)  columns of a */
void SingularValueDecomposition(const double* a, double* u, double* s, double* v,
                                const int32_t* m, const int32_t* n);

/* CholeskyFactorization: upper factor R with a = R^T R of a symmetric
 * positive-definite matrix; only the upper triangle is read and the strictly
 * lower triangle of c keeps the entries of a. A matrix that is not positive
 * definite fills c with -1.7976931348623157e308; nothing is recorded.
 *   a (in)  n x n symmetric matrix
 *   c (out) n x n, R in the upper triangle
 *   n (in)  order; below 1 writes nothing (from Python, a negative n is a
 *           ValueError; 0 gives an empty result) */
void CholeskyFactorization(const double* a, double* c, const int32_t* n);

/* GeneralMatrixProduct: d = alpha op(a) op(b) + beta c, op transposing its
 * matrix for the flag "T". A flag other than N or T (either case) records
 * status -2 and leaves d unwritten.
 *   d      (out) m x n result
 *   alpha  (in)  factor of the product
 *   a      (in)  m x k matrix, or for sa "T" the k x m matrix itself (column
 *                by column, leading dimension k), as the transpose of which
 *                it enters
 *   b      (in)  k x n matrix, or for sb "T" the n x k matrix itself (leading
 *                dimension n)
 *   beta   (in)  factor of c
 *   c      (in)  m x n matrix
 *   m, n   (in)  extents of the result; from Python they default to the rows
 *                of op(a) and the columns of op(b)
 *   k      (in)  inner extent of the product; from Python it defaults to the
 *                columns of op(a), and b must agree (ValueError)
 *   sa, sb (in)  one character each: "N" as given, "T" transposed */
void GeneralMatrixProduct(double* d, const double* alpha, const double* a, const double* b,
                          const double* beta, const double* c, const int32_t* m,
                          const int32_t* n, const int32_t* k, const char* sa, const char* sb,
                          size_t sa_len, size_t sb_len);

/* ==== Matrix and vector arithmetic and products ============================ */

/* MatrixProduct: c = a b. Zero elements of b are skipped, so a NaN or
 * infinity of a does not reach the columns they would multiply.
 *   a (in)  l x n matrix
 *   b (in)  n x m matrix
 *   c (out) l x m product
 *   l (in)  rows of a
 *   n (in)  columns of a, rows of b
 *   m (in)  columns of b */
void MatrixProduct(const double* a, const double* b, double* c, const int32_t* l,
                   const int32_t* n, const int32_t* m);

/* MatrixVectorProduct: c = a b.
 *   a (in)  n x m matrix
 *   b (in)  m components
 *   c (out) n components
 *   n (in)  rows of a
 *   m (in)  columns of a */
void MatrixVectorProduct(const double* a, const double* b, double* c, const int32_t* n,
                         const int32_t* m);

/* VectorMatrixProduct: c = b^T a, each c(i) column i of b dotted with a.
 *   a (in)  m components
 *   b (in)  m x n matrix
 *   c (out) n components
 *   n (in)  columns of b
 *   m (in)  rows of b */
void VectorMatrixProduct(const double* a, const double* b, double* c, const int32_t* n,
                         const int32_t* m);

/* LUMatrixVectorProduct: c = S b with the symmetric S given by its upper
 * triangle packed row by row (S11, S12, ..., S1n, S22, ..., Snn). From
 * Python, an a shorter than n(n + 1)/2 is refused with ValueError; from C it
 * records status -2 and gives c = 0.
 *   a (in)  m values, the packed upper triangle in the first n(n + 1)/2; any
 *           further values are not read
 *   b (in)  n components
 *   c (out) n components
 *   m (in)  length of a, at least n(n + 1)/2
 *   n (in)  order of S */
void LUMatrixVectorProduct(const double* a, const double* b, double* c, const int32_t* m,
                           const int32_t* n);

/* HadamardProduct, HadamardDivision: element-wise product a b
 * (HadamardProduct) or quotient a / b (HadamardDivision), written only where
 * both elements are nonzero: a zero in either operand gives 0 (x / 0 too).
 *   a, b (in)  l x n matrices
 *   c    (out) l x n result
 *   l, n (in)  extents */
void HadamardProduct(const double* a, const double* b, double* c, const int32_t* l,
                     const int32_t* n);
void HadamardDivision(const double* a, const double* b, double* c, const int32_t* l,
                      const int32_t* n);

/* KroneckerProduct: the Kronecker product, block (i, j) of ab being
 * a(i, j) b.
 *   a      (in)  ma x na matrix
 *   b      (in)  pb x qb matrix
 *   ab     (out) (ma pb) x (na qb) product
 *   ma, na (in)  extents of a
 *   pb, qb (in)  extents of b */
void KroneckerProduct(const double* a, const double* b, double* ab, const int32_t* ma,
                      const int32_t* na, const int32_t* pb, const int32_t* qb);

/* DyadenProduct: outer product c = a b^T.
 *   a (in)  m components
 *   b (in)  n components
 *   c (out) m x n product
 *   m (in)  length of a
 *   n (in)  length of b */
void DyadenProduct(const double* a, const double* b, double* c, const int32_t* m,
                   const int32_t* n);

/* GetHouseHolderTransformationMatrix: I - 2 v v^T, a reflection when v is a
 * unit vector (v is not normalised).
 *   thouse (out) n x n matrix
 *   v      (in)  n components
 *   n      (in)  order */
void GetHouseHolderTransformationMatrix(double* thouse, const double* v, const int32_t* n);

/* CrossProduct: c = a x b.
 *   a, b (in)  3 components each
 *   c    (out) 3 components */
void CrossProduct(const double* a, const double* b, double* c);

/* VectorTripleProduct: d = a x (b x c).
 *   a, b, c (in)  3 components each
 *   d       (out) 3 components */
void VectorTripleProduct(const double* a, const double* b, const double* c, double* d);

/* DotProduct: c = a . b; 0 for l below 1. From Python, a negative l is a
 * ValueError.
 *   a, b (in)  l components each
 *   c    (out) the dot product
 *   l    (in)  number of components */
void DotProduct(const double* a, const double* b, double* c, const int32_t* l);

/* ScalarTripleProduct: d = a . (b x c).
 *   a, b, c (in)  3 components each
 *   d       (out) the triple product */
void ScalarTripleProduct(const double* a, const double* b, const double* c, double* d);

/* MatrixSum, MatrixSub: a = a + b (MatrixSum) or a = a - b (MatrixSub). A C
 * caller's a is updated in place; from Python the result is returned, and the
 * array passed as a is written only with overwrite_a=1 and a float64 array in
 * Fortran order.
 *   a    (in/out) n x m matrix, replaced by the result
 *   b    (in)     n x m matrix
 *   n, m (in)     extents; below 1 nothing changes (from Python, a negative
 *                 extent is a ValueError; 0 gives an empty result) */
void MatrixSum(double* a, const double* b, const int32_t* n, const int32_t* m);
void MatrixSub(double* a, const double* b, const int32_t* n, const int32_t* m);

/* MatrixScalarMultiplication: a = a + c b (a scaled accumulation, not a plain
 * scaling). A C caller's a is updated in place; from Python the result is
 * returned, and the array passed as a is written only with overwrite_a=1 and
 * a float64 array in Fortran order.
 *   a    (in/out) n x m matrix, replaced by the result
 *   b    (in)     n x m matrix
 *   c    (in)     factor of b
 *   n, m (in)     extents */
void MatrixScalarMultiplication(double* a, const double* b, const double* c, const int32_t* n,
                                const int32_t* m);

/* MatrixAmplify: a = c a; zero elements stay 0 even for an infinite or NaN c.
 * A C caller's a is updated in place; from Python the result is returned, and
 * the array passed as a is written only with overwrite_a=1 and a float64
 * array in Fortran order.
 *   a    (in/out) n x m matrix, replaced by the result
 *   c    (in)     factor
 *   n, m (in)     extents */
void MatrixAmplify(double* a, const double* c, const int32_t* n, const int32_t* m);

/* VectorSum, VectorSub: a = a + b (VectorSum) or a = a - b (VectorSub). A C
 * caller's a is updated in place; from Python the result is returned, and the
 * array passed as a is written only with overwrite_a=1 and a float64 array in
 * Fortran order.
 *   a (in/out) n components, replaced by the result
 *   b (in)     n components
 *   n (in)     number of components */
void VectorSum(double* a, const double* b, const int32_t* n);
void VectorSub(double* a, const double* b, const int32_t* n);

/* VectorScalarMultiplication: a = a + c b. A C caller's a is updated in
 * place; from Python the result is returned, and the array passed as a is
 * written only with overwrite_a=1 and a float64 array in Fortran order.
 *   a (in/out) n components, replaced by the result
 *   b (in)     n components
 *   c (in)     factor of b
 *   n (in)     number of components */
void VectorScalarMultiplication(double* a, const double* b, const double* c, const int32_t* n);

/* VectorAmplify: a = c a; zero elements stay 0. A C caller's a is updated in
 * place; from Python the result is returned, and the array passed as a is
 * written only with overwrite_a=1 and a float64 array in Fortran order.
 *   a (in/out) n components, replaced by the result
 *   c (in)     factor
 *   n (in)     number of components */
void VectorAmplify(double* a, const double* c, const int32_t* n);

/* MatrixShrinkage: c = f a + (1 - f) b with f = alpha clamped to [0, 1] (a
 * NaN alpha gives 1).
 *   a     (in)  n x m matrix, weight f
 *   b     (in)  n x m matrix, weight 1 - f
 *   c     (out) n x m result
 *   alpha (in)  shrinkage weight
 *   n, m  (in)  extents */
void MatrixShrinkage(const double* a, const double* b, double* c, const double* alpha,
                     const int32_t* n, const int32_t* m);

/* MatrixSymmetrize: symmetric part (a + a^T) / 2.
 *   a   (in)  n x n matrix
 *   sym (out) n x n symmetric part
 *   n   (in)  order */
void MatrixSymmetrize(const double* a, double* sym, const int32_t* n);

/* MatrixDiagonal: the k-th diagonal, a(i, i + k) for k >= 0 and
 * a(i + |k|, i) below the main diagonal; nothing when |k| >= n.
 *   diag (out) n - |k| values
 *   a    (in)  n x n matrix
 *   k    (in)  0 main diagonal, positive above it, negative below
 *   n    (in)  order */
void MatrixDiagonal(double* diag, const double* a, const int32_t* k, const int32_t* n);

/* MatrixTranspose: b = a^T.
 *   a    (in)  n x m matrix
 *   b    (out) m x n transpose
 *   n, m (in)  extents of a */
void MatrixTranspose(const double* a, double* b, const int32_t* n, const int32_t* m);

/* MatrixNormalize, VectorNormalize: (x - min) / (max - min) with the
 * smallest and largest element of the whole array (NaN elements passed
 * over); a constant array gives NaN.
 *   x    (in)  n x m matrix or n components
 *   z    (out) the normalised values, same shape
 *   n, m (in)  extents; below 1 writes nothing (from Python, a negative
 *              extent is a ValueError; 0 gives an empty result) */
void MatrixNormalize(const double* x, double* z, const int32_t* n, const int32_t* m);
void VectorNormalize(const double* x, double* z, const int32_t* n);

/* CumulativeSum, CumulativeProduct: running sum seed + a(1) + ... + a(i) or
 * running product seed a(1) ... a(i).
 *   csum  (out) n running sums
 *   cprod (out) n running products
 *   a     (in)  n values
 *   n     (in)  number of values, 0 or more
 *   seed  (in, optional) start value, default 0 (sum) or 1 (product) */
void CumulativeSum(double* csum, const double* a, const int32_t* n, const double* seed);
void CumulativeProduct(double* cprod, const double* a, const int32_t* n, const double* seed);

/* Monoticity: monotonicity of a sequence, the first that holds of: strictly
 * decreasing -2 (also for n <= 1), non-increasing -1 (constant included),
 * strictly increasing 2, non-decreasing 1, otherwise 0. A NaN gives 0. From
 * Python, a negative n is a ValueError.
 *   x      (in)  n values
 *   n      (in)  number of values
 *   result (ret) the code -2, -1, 0, 1 or 2 */
int32_t Monoticity(const double* x, const int32_t* n);

/* Trace: sum of the main diagonal; 0 for n below 1. From Python, a negative
 * n is a ValueError.
 *   x      (in)  n x n matrix
 *   n      (in)  order
 *   result (ret) the trace */
double Trace(const double* x, const int32_t* n);

/* EuclideanDistance: sqrt(sum (x(i) - y(i))^2); 0 for n below 1. From
 * Python, a negative n is a ValueError.
 *   x, y   (in)  n components each
 *   n      (in)  number of components
 *   result (ret) the distance */
double EuclideanDistance(const double* x, const double* y, const int32_t* n);

/* ==== Norms, nearest positive-definite and correlation matrices ============ */

/* VectorNorm: Euclidean norm; 0 for n below 1. From Python, a negative n is
 * a ValueError.
 *   x      (in)  n components
 *   n      (in)  number of components
 *   result (ret) the norm */
double VectorNorm(const double* x, const int32_t* n);

/* MatrixNorm: Frobenius norm; 0 for n below 1. From Python, a negative
 * extent is a ValueError.
 *   x      (in)  n x m matrix
 *   n, m   (in)  extents
 *   result (ret) the norm */
double MatrixNorm(const double* x, const int32_t* n, const int32_t* m);

/* LpVectorNorm, LpMatrixNorm: (sum |x|^q)^(1/q) over all elements with
 * q = max(p, 2.2250738585072014e-308); 0 for n below 1. From Python, a
 * negative extent is a ValueError.
 *   x      (in)  n components, or n x m matrix
 *   p      (in)  exponent
 *   n, m   (in)  extents
 *   result (ret) the norm */
double LpVectorNorm(const double* x, const double* p, const int32_t* n);
double LpMatrixNorm(const double* x, const double* p, const int32_t* n, const int32_t* m);

/* SpectralNorm, NuclearNorm: largest singular value, or the sum of the
 * singular values. Only the singular values are computed, not the singular
 * vectors, so the storage grows as m x n, not as m x m. 0 for an extent
 * below 1 (from Python, a negative extent is a ValueError); a non-finite
 * entry records status -2 and gives 0.
 *   x      (in)  m x n matrix
 *   m, n   (in)  extents
 *   result (ret) the norm */
double SpectralNorm(const double* x, const int32_t* m, const int32_t* n);
double NuclearNorm(const double* x, const int32_t* m, const int32_t* n);

/* SchattenNorm: (sum of the singular values to the power q)^(1/q) with
 * q = max(p, 2.2250738585072014e-308); p = 2 gives the Frobenius norm. As
 * for SpectralNorm, only the singular values are computed.
 *   x      (in)  m x n matrix
 *   p      (in)  exponent
 *   m, n   (in)  extents
 *   result (ret) the norm */
double SchattenNorm(const double* x, const double* p, const int32_t* m, const int32_t* n);

/* IsPositiveDefinite: true when every eigenvalue of the symmetric matrix
 * (upper triangle) exceeds the tolerance and its determinant is positive.
 * The default tolerance is relative to the matrix's scale, n eps
 * max|eigenvalue| (eps = 2.220446049250313e-16), the rounding level of a
 * zero eigenvalue, so that the answer does not depend on the units (a ply
 * compliance in 1/Pa is positive definite); a given tolerance is an
 * absolute bound. The determinant is always computed, so a singular matrix
 * also records status -2 "Singularity in LU-factorization computation".
 *   x         (in)  n x n symmetric matrix
 *   n         (in)  order
 *   tolerance (in, optional) eigenvalues must exceed it (absolute)
 *   result    (ret) 1-byte logical: positive definite */
vx_l1 IsPositiveDefinite(const double* x, const int32_t* n, const double* tolerance);

/* GetProjectedSPD: projection of the symmetric part of a onto the positive
 * semidefinite matrices: negative eigenvalues set to 0. A non-finite entry
 * records status -2.
 *   ppd (out) n x n projected matrix
 *   a   (in)  n x n matrix
 *   n   (in)  order */
void GetProjectedSPD(double* ppd, const double* a, const int32_t* n);

/* GetNearestSPD: nearest symmetric positive-definite matrix: the mean of the
 * symmetric part and its polar factor (the projection onto the positive
 * semidefinite matrices), its diagonal then raised until the matrix
 * factorises with a margin: its smallest eigenvalue must reach tau = n eps
 * trace (eps = 2.220446049250313e-16), so that every Cholesky factorisation
 * accepts it, not only this library's. The shifts start near 2 tau - lmin
 * and grow with the square of the pass; the result differs from the
 * projection by a shift of the order of n eps times its norm (a
 * projection that is exactly zero, from a negative semidefinite a, becomes
 * eps max|b(i,j)| I, b the symmetric part; eps I when b is zero). Every
 * finite matrix gets status 0; a non-finite entry records status -2, and so would
 * shifts that cannot make the matrix factorise, "No convergence in nearest
 * positive-definite matrix".
 *   pd (out) n x n matrix
 *   a  (in)  n x n matrix
 *   n  (in)  order */
void GetNearestSPD(double* pd, const double* a, const int32_t* n);

/* GetNearestPDNorm: Frobenius distance from x to its nearest symmetric
 * positive-definite matrix (GetNearestSPD); 0 when x factorises already.
 *   x      (in)  n x n matrix
 *   n      (in)  order
 *   result (ret) the distance */
double GetNearestPDNorm(const double* x, const int32_t* n);

/* GetNearestCorrelationMatrix: nearest correlation matrix (symmetric,
 * positive semidefinite, unit diagonal) in a weighted Frobenius norm, by
 * alternating projections with a correction term until the relative changes
 * fall to tol, then repaired (shifted, made positive definite, largest
 * element 1) and shrunk toward the identity until it factorises. A valid
 * correlation matrix comes back as itself to rounding. cflag 1 and 2 first
 * convert rank correlations (Spearman: 2 sin(pi r / 6); Kendall: sin(pi r /
 * 2)). Without convergence within maxiter iterations the last iterate is
 * repaired and shrunk the same way, then scaled to unit diagonal (D^-1/2 Y
 * D^-1/2), and returned with status -1 "No convergence in nearest
 * correlation matrix iteration": a correlation matrix, though not the
 * nearest. A shrinking that cannot succeed records status -2 and leaves
 * corr zero, and so does a non-finite entry.
 *   corr    (out) n x n correlation matrix
 *   a       (in)  n x n approximate correlation matrix
 *   n       (in)  order
 *   weights (in, optional) n weights of the rows and columns; absent or all
 *           -1: all 1
 *   tol     (in, optional) tolerance of the relative changes, at least
 *           10 n eps (eps = 2.220446049250313e-16), the rounding level they
 *           settle at; absent or not positive: 10 n eps
 *   maxiter (in, optional) most iterations, default 100
 *   cflag   (in, optional) 0 (default) Pearson correlations; 1 convert
 *           Spearman rank correlations first; 2 convert Kendall's tau */
void GetNearestCorrelationMatrix(double* corr, const double* a, const int32_t* n,
                                 const double* weights, const double* tol,
                                 const int32_t* maxiter, const int32_t* cflag);

/* PowerIteration: dominant eigenvalue and unit eigenvector by vector
 * iteration, until the normalised iterate changes (up to sign) by abstol or
 * less; the eigenvalue is the Rayleigh quotient. The default start vector
 * has the distinct entries 1 + frac((i - 1) 0.6180339887498949), so that no
 * structure of the matrix (rows of one sum, which make a vector of ones an
 * eigenvector) keeps the iteration off the dominant eigenvalue; from it the
 * eigenvector is returned with components whose sum is not negative.
 * Reaching maxiter records status -2 "No convergence in von Mises
 * eigenvalue computation" and still returns the last iterate (two dominant
 * eigenvalues of one magnitude and opposite signs never converge). Without
 * a single pass (maxiter 0) eigenvec is the start vector and eigenval its
 * product startvec . (a startvec).
 *   eigenval (out) dominant eigenvalue
 *   eigenvec (out) n components of the unit eigenvector
 *   a        (in)  n x n matrix
 *   n        (in)  order
 *   maxiter  (in, optional) most iterations, default 2000
 *   startvec (in, optional) n components of the start vector
 *   abstol   (in, optional) tolerance on the change, default 1e-10 */
void PowerIteration(double* eigenval, double* eigenvec, const double* a, const int32_t* n,
                    const int32_t* maxiter, const double* startvec, const double* abstol);

/* ConjugateGradient: solution of a x = b for a symmetric positive-definite
 * a by conjugate-gradient steps from x0, until the residual norm is at most
 * 1e-14 |b| (1e-14 times the first residual's norm when b = 0). In floating
 * point an ill-conditioned system needs more than the m steps of exact
 * arithmetic; after 10 m + 100 steps without getting there (or a step that
 * breaks down, p . a p = 0) the routine records status -1 "No convergence in
 * conjugate gradients" and returns the last iterate. A start that already
 * solves the system is returned as it is; NaN in the data gives NaN and the
 * same warning; n unequal to m records status -2 and returns x0.
 *   xgrad (out) m components of the solution
 *   a     (in)  n x m matrix, n = m
 *   b     (in)  m components of the right-hand side
 *   x0    (in)  m components of the start vector
 *   n, m  (in)  extents of a */
void ConjugateGradient(double* xgrad, const double* a, const double* b, const double* x0,
                       const int32_t* n, const int32_t* m);

#ifdef __cplusplus
}
#endif
#endif
