/* Array helpers (component utility): the check-in list, copies, fills and
 * standard matrices, reshaping, packing, splitting and sorting, searching,
 * merging and logical helpers. Arrays are column-major with explicit
 * extents; positions are 1-based; values compare exactly. Nothing goes to
 * the error record. */
#ifndef VEXLAN_UTILITY_H
#define VEXLAN_UTILITY_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ==== Check-in list ======================================================== */

/* ProcessLock: checks participant procid of maxid in and tells whether all
 * have checked in. The list lives in ordinary memory of this process (no
 * atomics, no waiting, whatever wflag holds); a call with another maxid
 * rebuilds it and forgets earlier check-ins. A procid that is not in the list
 * (out of range or already checked in) changes nothing and gives false. From
 * Python a maxid above 536870912 (2^29) is refused with _vexlan.error before the
 * call.
 *   procid (in)  number of the participant, 1..maxid
 *   maxid  (in)  number of participants
 *   wflag  (in, optional) accepted, not used
 *   result (ret) 1-byte logical: every participant has checked in */
vx_l1 ProcessLock(const int32_t* procid, const int32_t* maxid, const int32_t* wflag);

/* ProcessUnLock: clears every check-in; the list keeps its length.
 *   ierror (out) 0 */
void ProcessUnLock(int32_t* ierror);

/* ==== Copies, fills and standard matrices ================================== */

/* MatrixCopy: b = a.
 *   a    (in)  n x m matrix
 *   b    (out) n x m copy
 *   n, m (in)  extents; below 1 writes nothing (from Python, a negative
 *              extent is a ValueError; 0 gives an empty result) */
void MatrixCopy(const double* a, double* b, const int32_t* n, const int32_t* m);

/* fVectorCopy, iVectorCopy, cVectorCopy: b(1:n) = a(1:n) for reals,
 * integers and complex numbers.
 *   a (in)  n values
 *   b (out) n values
 *   n (in)  number of values; below 1 writes nothing (from Python, a
 *           negative n is a ValueError; 0 gives an empty result) */
void fVectorCopy(const double* a, double* b, const int32_t* n);
void iVectorCopy(const int32_t* a, int32_t* b, const int32_t* n);
void cVectorCopy(const vx_complex* a, vx_complex* b, const int32_t* n);

/* real_fillvectorwithscalar, real_fillmatrixwithscalar,
 * real_fill3darraywithscalar, real_fill4darraywithscalar,
 * real_fill5darraywithscalar, real_fill6darraywithscalar,
 * real_fill7darraywithscalar, int_fillvectorwithscalar,
 * int_fillmatrixwithscalar, int_fill3darraywithscalar,
 * int_fill4darraywithscalar, int_fill5darraywithscalar,
 * int_fill6darraywithscalar, int_fill7darraywithscalar: every element of a
 * real or integer array view of rank 1 to 7 set to lambda. The view
 * carries its own extents and strides, so from C a section of a larger
 * array (every second column, say) is filled in place; an empty view is left
 * alone. From Python the filled array is returned: it is the array passed
 * only with overwrite_a=1 and an array of the routine's type in Fortran
 * order, otherwise a filled copy, and the array passed is left alone.
 *   a      (in/out) array view of the routine's rank
 *   lambda (in)     the value */
void real_fillvectorwithscalar(vx_view* a, const double* lambda);
void real_fillmatrixwithscalar(vx_view* a, const double* lambda);
void real_fill3darraywithscalar(vx_view* a, const double* lambda);
void real_fill4darraywithscalar(vx_view* a, const double* lambda);
void real_fill5darraywithscalar(vx_view* a, const double* lambda);
void real_fill6darraywithscalar(vx_view* a, const double* lambda);
void real_fill7darraywithscalar(vx_view* a, const double* lambda);
void int_fillvectorwithscalar(vx_view* a, const int32_t* lambda);
void int_fillmatrixwithscalar(vx_view* a, const int32_t* lambda);
void int_fill3darraywithscalar(vx_view* a, const int32_t* lambda);
void int_fill4darraywithscalar(vx_view* a, const int32_t* lambda);
void int_fill5darraywithscalar(vx_view* a, const int32_t* lambda);
void int_fill6darraywithscalar(vx_view* a, const int32_t* lambda);
void int_fill7darraywithscalar(vx_view* a, const int32_t* lambda);

/* IniVectorwithZeros, IniMatrixwithZeros, Ini3DArraywithZeros,
 * Ini4DArraywithZeros, Ini5DArraywithZeros, Ini6DArraywithZeros,
 * IniMaxDArraywithZeros: a contiguous real array of rank 1 to 7 set to 0;
 * an extent below 1 writes nothing (from Python, a negative extent is a
 * ValueError; 0 gives an empty array).
 *   a             (out) array of the given extents
 *   n, m          (in)  extents (vector: n; matrix: n, m)
 *   l, o, p, q, r (in)  further extents of the arrays of rank 3 to 7, in
 *                       the order of the prototype */
void IniVectorwithZeros(double* a, const int32_t* n);
void IniMatrixwithZeros(double* a, const int32_t* n, const int32_t* m);
void Ini3DArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n);
void Ini4DArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n,
                         const int32_t* o);
void Ini5DArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n,
                         const int32_t* o, const int32_t* p);
void Ini6DArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n,
                         const int32_t* o, const int32_t* p, const int32_t* q);
void IniMaxDArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n,
                           const int32_t* o, const int32_t* p, const int32_t* q, const int32_t* r);

/* GetIdentityMatrix: the n x n identity.
 *   a (out) n x n matrix
 *   n (in)  order */
void GetIdentityMatrix(double* a, const int32_t* n);

/* GetScalarMatrix: lambda on the diagonal, 0 elsewhere.
 *   a      (out) n x n matrix
 *   n      (in)  order
 *   lambda (in)  diagonal value */
void GetScalarMatrix(double* a, const int32_t* n, const double* lambda);

/* GetEyeMatrix: zeros with ones on the k-th diagonal (above the main
 * diagonal for k > 0, below for k < 0; the identity for k = 0, the zero
 * matrix for |k| >= n).
 *   a (out) n x n matrix
 *   k (in)  diagonal
 *   n (in)  order */
void GetEyeMatrix(double* a, const int32_t* k, const int32_t* n);

/* GetTriangularMatrix: the lower (or upper) triangle of a with its diagonal,
 * zeros elsewhere.
 *   lu     (out) n x n triangular matrix
 *   a      (in)  n x n matrix
 *   n      (in)  order
 *   luflag (in, optional) 1-byte flag: true upper triangle; false or absent
 *                         lower */
void GetTriangularMatrix(double* lu, const double* a, const int32_t* n, const vx_l1* luflag);

/* Symmetrize: symmetric completion of a triangle: sym(i,j) = lu(i,j) where
 * that is nonzero, else lu(j,i). A full matrix is copied unchanged.
 *   lu  (in)  n x n matrix holding one triangle
 *   sym (out) n x n symmetric matrix
 *   n   (in)  order */
void Symmetrize(const double* lu, double* sym, const int32_t* n);

/* Linspace: n evenly spaced values from a towards b, x(i) = a + (i - 1) step
 * with step (b - a)/(n - 1) including b, or (b - a)/n without it. One value
 * with the end point divides by zero.
 *   x        (out) n values
 *   a        (in)  first value
 *   b        (in)  end of the range
 *   n        (in)  number of values
 *   endpoint (in, optional) 1-byte flag: include b; default true */
void Linspace(double* x, const double* a, const double* b, const int32_t* n, const vx_l1* endpoint);

/* GetIndexVector: a(i) = i.
 *   a (out) n integers 1..n
 *   n (in)  length */
void GetIndexVector(int32_t* a, const int32_t* n);

/* ==== Reshaping, packing, splitting and sorting ============================ */

/* MatrixConcatenation: b beside a (ctype 0, k x (l + n), b of at most k
 * rows) or below a (ctype 1, (k + m) x l, b of at most l columns); the rest
 * of ab is 0, and any other ctype gives zeros only.
 *   a     (in)  k x l matrix
 *   b     (in)  m x n matrix
 *   ab    (out) (k + ctype m) x (l + n - ctype n) matrix
 *   ctype (in)  0 side by side, 1 stacked
 *   k, l  (in)  extents of a
 *   m, n  (in)  extents of b */
void MatrixConcatenation(const double* a, const double* b, double* ab, const int32_t* ctype,
                         const int32_t* k, const int32_t* l, const int32_t* m, const int32_t* n);

/* VectorSplit: a cut into k runs of n/k values, one per column of b. When
 * k < 1 or k does not divide n every element of b is -1 (from Python, a
 * negative k is a ValueError and 0 gives an empty b).
 *   a (in)  n values
 *   b (out) (n/k) x k pieces
 *   k (in)  number of pieces
 *   n (in)  length of a */
void VectorSplit(const double* a, double* b, const int32_t* k, const int32_t* n);

/* MatrixSplit: every column of a cut into k runs, piece i of column j in
 * b(:, j, i). When k < 1 or k does not divide l every element of b is -1
 * (from Python, a negative k is a ValueError and 0 gives an empty b).
 *   a (in)  l x m matrix
 *   b (out) (l/k) x m x k pieces
 *   k (in)  number of pieces
 *   l (in)  rows of a
 *   m (in)  columns of a */
void MatrixSplit(const double* a, double* b, const int32_t* k, const int32_t* l, const int32_t* m);

/* GetSubArray: the last (or first) nsub values of array and their index
 * range. When nsub > narray, subarray is all 1 and subslice (-1, -1).
 *   subarray (out) nsub values
 *   subslice (out) 2 integers: first and last index taken
 *   array    (in)  narray values
 *   narray   (in)  length of array
 *   nsub     (in)  number of values to take
 *   tail     (in, optional) 1-byte flag: true or absent the tail, false the
 *                           head */
void GetSubArray(double* subarray, int32_t* subslice, const double* array, const int32_t* narray,
                 const int32_t* nsub, const vx_l1* tail);

/* GetPackedList: the elements of list that pass a comparison with condition,
 * in list order, followed by padding. When more than npack pass, or for an
 * unknown cflag, packed is padding throughout. A NaN passes only "not equal".
 *   packed    (out) npack values
 *   list      (in)  nlist values
 *   condition (in)  value compared with
 *   padding   (in)  value of the unused slots
 *   cflag     (in)  comparison list(i) ? condition: 1 <, 2 <=, 3 ==, 4 >=,
 *                   5 >, 6 /=
 *   npack     (in)  length of packed
 *   nlist     (in)  length of list */
void GetPackedList(double* packed, const double* list, const double* condition, const double* padding,
                   const int32_t* cflag, const int32_t* npack, const int32_t* nlist);

/* GetUnpackedMatrixFromList: list(1:n m) put into a matrix column by
 * column.
 *   matrix (out) n x m matrix
 *   list   (in)  n m values
 *   n, m   (in)  extents */
void GetUnpackedMatrixFromList(double* matrix, const double* list, const int32_t* n, const int32_t* m);

/* GetUnpackedTriangle: a triangular matrix from a packed list (for example
 * the 21 constants of an anisotropic 6 x 6 stiffness): the upper triangle is
 * filled column by column (packed(1) -> (1,1); packed(2..3) -> (1..2,2);
 * ...), then transposed for order "F" without upper, or for upper with any
 * other order. Values missing from a short list leave zeros for a C caller;
 * from Python a list shorter than nlu (nlu + 1) / 2 is refused with
 * ValueError before the call.
 *   lu     (out) nlu x nlu triangular matrix, zeros elsewhere
 *   packed (in)  np values
 *   nlu    (in)  order
 *   np     (in)  number of values, nlu(nlu + 1)/2 for a full triangle
 *   order  (in)  one character; "F" as above
 *   upper  (in, optional) 1-byte flag, see above; false when absent */
void GetUnpackedTriangle(double* lu, const double* packed, const int32_t* nlu, const int32_t* np,
                         const char* order, const vx_l1* upper, size_t order_len);

/* FillMatrixOffDiagonals: x stored into the strictly lower triangle, column
 * by column (a(2,1), a(3,1), ..., a(n,n-1)); when k differs from n(n - 1)/2
 * the next values go, in the same walk, to the mirrored upper positions. The
 * diagonal keeps its values; values beyond k are not read. From Python k must
 * be n (n - 1) / 2 or at least n (n - 1); a count in between is refused with
 * ValueError before the call.
 *   a (in/out) n x n matrix
 *   x (in)     k values
 *   n (in)     order
 *   k (in)     number of values */
void FillMatrixOffDiagonals(double* a, const double* x, const int32_t* n, const int32_t* k);

/* VectorFlip: b(i) = a(n + 1 - i).
 *   a (in)  n values
 *   b (out) n values reversed
 *   n (in)  length */
void VectorFlip(const double* a, double* b, const int32_t* n);

/* MatrixFlip: every row (dimflag < 0) or every column (dimflag >= 0) of a
 * reversed.
 *   a       (in)  n x m matrix
 *   b       (out) n x m flipped matrix
 *   n, m    (in)  extents
 *   dimflag (in)  negative: reverse the rows; otherwise the columns */
void MatrixFlip(const double* a, double* b, const int32_t* n, const int32_t* m, const int32_t* dimflag);

/* MatrixSort, VectorSort: column (element) mask(k) of b copied to column
 * (element) mask(k) of a, for k = 1..n; the rest of a keeps its values. Mask
 * entries outside 1..n are skipped. From Python, an a with fewer columns
 * (elements) than the largest mask entry within 1..n is refused with
 * ValueError; a C caller passes at least that many.
 *   a    (in/out) m x (largest mask entry within 1..n, or more) matrix, or
 *                 vector; columns (elements) no entry names are left alone
 *   b    (in)     m x n matrix, or n values
 *   mask (in)     n column (element) indices
 *   m    (in)     rows of a and b
 *   n    (in)     columns of b (values of b), length of mask */
void MatrixSort(double* a, const double* b, const int32_t* mask, const int32_t* m, const int32_t* n);
void VectorSort(double* a, const double* b, const int32_t* mask, const int32_t* n);

/* ==== Searching, merging, selection and logical helpers ==================== */

/* iFindLocation, fFindLocation, cFindLocation: first position (1-based) of
 * element in array, by exact equality (a NaN is never found; 0.0 finds
 * -0.0).
 *   element  (in)  value to find
 *   array    (in)  ndim values
 *   ndim     (in)  length of array
 *   notfound (in, optional) result when absent, default -1
 *   result   (ret) the position, or notfound */
int32_t iFindLocation(const int32_t* element, const int32_t* array, const int32_t* ndim,
                      const int32_t* notfound);
int32_t fFindLocation(const double* element, const double* array, const int32_t* ndim,
                      const int32_t* notfound);
int32_t cFindLocation(const vx_complex* element, const vx_complex* array, const int32_t* ndim,
                      const int32_t* notfound);

/* iFindSubArray, fFindSubArray, cFindSubArray: first start position at which
 * subarray occurs in array as a contiguous run; 1 for an empty subarray.
 *   subarray (in)  sdim values
 *   array    (in)  ndim values
 *   sdim     (in)  length of subarray
 *   ndim     (in)  length of array
 *   notfound (in, optional) result when absent, default -1
 *   result   (ret) the position, or notfound */
int32_t iFindSubArray(const int32_t* subarray, const int32_t* array, const int32_t* sdim,
                      const int32_t* ndim, const int32_t* notfound);
int32_t fFindSubArray(const double* subarray, const double* array, const int32_t* sdim,
                      const int32_t* ndim, const int32_t* notfound);
int32_t cFindSubArray(const vx_complex* subarray, const vx_complex* array, const int32_t* sdim,
                      const int32_t* ndim, const int32_t* notfound);

/* iGetPairs, fGetPairs: for each a(i) its first position in b, -1 when it
 * does not occur.
 *   ainb (out) n positions
 *   a    (in)  n values
 *   b    (in)  n values
 *   n    (in)  length */
void iGetPairs(int32_t* ainb, const int32_t* a, const int32_t* b, const int32_t* n);
void fGetPairs(int32_t* ainb, const double* a, const double* b, const int32_t* n);

/* GetIndicesExcludingSubArray: the positions of the elements of a that occur
 * nowhere in sub, ascending, then -1.
 *   indices (out) n positions, -1 after the last one
 *   a       (in)  n integers
 *   sub     (in)  nsub integers to exclude
 *   n       (in)  length of a
 *   nsub    (in)  length of sub */
void GetIndicesExcludingSubArray(int32_t* indices, const int32_t* a, const int32_t* sub,
                                 const int32_t* n, const int32_t* nsub);

/* iGetContinuous, fGetContinuous: the stable ordering permutation of xarr:
 * xarr(iloc(1)), xarr(iloc(2)), ... ascending (descending for sflag -1),
 * equal values in input order, NaN values last. Quadratic in xdim.
 *   xarr  (in)  xdim values
 *   xdim  (in)  length
 *   iloc  (out) xdim positions
 *   sflag (in)  -1 descending; any other value ascending */
void iGetContinuous(const int32_t* xarr, const int32_t* xdim, int32_t* iloc, const int32_t* sflag);
void fGetContinuous(const double* xarr, const int32_t* xdim, int32_t* iloc, const int32_t* sflag);

/* iGetMerged, fGetMerged: merge of two value lists in which shared values
 * appear once: the values only in x, those only in y (repeats kept, in
 * order), the shared values in order of x, then defval. A 0 among the values
 * is kept once, at the first defval slot. x, y and defval must not hold NaN.
 *   merged (out) nx + ny values
 *   x      (in)  nx values
 *   y      (in)  ny values
 *   nx     (in)  length of x
 *   ny     (in)  length of y
 *   defval (in, optional) value of the unused slots, default 2147483647 or
 *                         the largest finite double */
void iGetMerged(int32_t* merged, const int32_t* x, const int32_t* y, const int32_t* nx,
                const int32_t* ny, const int32_t* defval);
void fGetMerged(double* merged, const double* x, const double* y, const int32_t* nx,
                const int32_t* ny, const double* defval);

/* iInList, fInList: whether scalar occurs in list (false for n below 1).
 * From Python, a negative n is a ValueError.
 *   scalar (in)  value
 *   list   (in)  n values
 *   n      (in)  length
 *   result (ret) 1-byte logical */
vx_l1 iInList(const int32_t* scalar, const int32_t* list, const int32_t* n);
vx_l1 fInList(const double* scalar, const double* list, const int32_t* n);

/* iExList, fExList: whether every element of list equals scalar (true for n
 * below 1; a NaN differs). From Python, a negative n is a ValueError.
 *   scalar (in)  value
 *   list   (in)  n values
 *   n      (in)  length
 *   result (ret) 1-byte logical */
vx_l1 iExList(const int32_t* scalar, const int32_t* list, const int32_t* n);
vx_l1 fExList(const double* scalar, const double* list, const int32_t* n);

/* iBounded, fBounded: whether xlow <= x <= xup, both bounds included; any
 * NaN gives false.
 *   x      (in)  value
 *   xlow   (in)  lower bound
 *   xup    (in)  upper bound
 *   result (ret) 1-byte logical */
vx_l1 iBounded(const int32_t* x, const int32_t* xlow, const int32_t* xup);
vx_l1 fBounded(const double* x, const double* xlow, const double* xup);

/* iSwap, fSwap, cSwap: exchanges two integers, reals or complex numbers.
 *   a, b (in/out) the two values */
void iSwap(int32_t* a, int32_t* b);
void fSwap(double* a, double* b);
void cSwap(vx_complex* a, vx_complex* b);

/* iINC, fINC: adds step to an integer or real counter. A C caller's counter
 * is updated in place; from Python the new value is returned and the object
 * passed (a number or an array) is left as it was.
 *   i, f (in/out) the counter: its value in, the increased value out
 *   step (in, optional) increment, default 1 */
void iINC(int32_t* i, const int32_t* step);
void fINC(double* f, const double* step);

/* lXOR, lNOR, lNAND: exclusive or, not-or and not-and of two 1-byte
 * logicals (any nonzero value true).
 *   a, b   (in)  1-byte logicals
 *   result (ret) 1-byte logical */
vx_l1 lXOR(const vx_l1* a, const vx_l1* b);
vx_l1 lNOR(const vx_l1* a, const vx_l1* b);
vx_l1 lNAND(const vx_l1* a, const vx_l1* b);

#ifdef __cplusplus
}
#endif
#endif
