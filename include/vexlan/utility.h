#ifndef VEXLAN_UTILITY_H
#define VEXLAN_UTILITY_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Check-in list of participants (ordinary process memory, no locking). */
vx_l1 ProcessLock(const int32_t* procid, const int32_t* maxid, const int32_t* wflag);
void ProcessUnLock(int32_t* ierror);

/* Copies. */
void MatrixCopy(const double* a, double* b, const int32_t* n, const int32_t* m);
void fVectorCopy(const double* a, double* b, const int32_t* n);
void iVectorCopy(const int32_t* a, int32_t* b, const int32_t* n);
void cVectorCopy(const vx_complex* a, vx_complex* b, const int32_t* n);

/* Fill family: every element of the strided view set to lambda. */
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

/* Zero initialisation of contiguous real arrays. */
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

/* Standard matrices and vectors. */
void GetIdentityMatrix(double* a, const int32_t* n);
void GetScalarMatrix(double* a, const int32_t* n, const double* lambda);
void GetEyeMatrix(double* a, const int32_t* k, const int32_t* n);
void GetTriangularMatrix(double* lu, const double* a, const int32_t* n, const vx_l1* luflag);
void Symmetrize(const double* lu, double* sym, const int32_t* n);
void Linspace(double* x, const double* a, const double* b, const int32_t* n, const vx_l1* endpoint);
void GetIndexVector(int32_t* a, const int32_t* n);

/* Reshaping, packing, splitting and sorting. */
void MatrixConcatenation(const double* a, const double* b, double* ab, const int32_t* ctype,
                         const int32_t* k, const int32_t* l, const int32_t* m, const int32_t* n);
void VectorSplit(const double* a, double* b, const int32_t* k, const int32_t* n);
void MatrixSplit(const double* a, double* b, const int32_t* k, const int32_t* l, const int32_t* m);
void GetSubArray(double* subarray, int32_t* subslice, const double* array, const int32_t* narray,
                 const int32_t* nsub, const vx_l1* tail);
void GetPackedList(double* packed, const double* list, const double* condition, const double* padding,
                   const int32_t* cflag, const int32_t* npack, const int32_t* nlist);
void GetUnpackedMatrixFromList(double* matrix, const double* list, const int32_t* n, const int32_t* m);
/* packed holds np values; order is a text of one character. */
void GetUnpackedTriangle(double* lu, const double* packed, const int32_t* nlu, const int32_t* np,
                         const char* order, const vx_l1* upper, size_t order_len);
/* x holds k values. */
void FillMatrixOffDiagonals(double* a, const double* x, const int32_t* n, const int32_t* k);
void VectorFlip(const double* a, double* b, const int32_t* n);
void MatrixFlip(const double* a, double* b, const int32_t* n, const int32_t* m, const int32_t* dimflag);
/* a(m,*) must hold as many columns as the largest mask entry; mask entries
 * outside 1..n are skipped. */
void MatrixSort(double* a, const double* b, const int32_t* mask, const int32_t* m, const int32_t* n);
void VectorSort(double* a, const double* b, const int32_t* mask, const int32_t* n);

/* Searching, merging, selection and logical helpers. */
int32_t iFindLocation(const int32_t* element, const int32_t* array, const int32_t* ndim,
                      const int32_t* notfound);
int32_t fFindLocation(const double* element, const double* array, const int32_t* ndim,
                      const int32_t* notfound);
int32_t cFindLocation(const vx_complex* element, const vx_complex* array, const int32_t* ndim,
                      const int32_t* notfound);
int32_t iFindSubArray(const int32_t* subarray, const int32_t* array, const int32_t* sdim,
                      const int32_t* ndim, const int32_t* notfound);
int32_t fFindSubArray(const double* subarray, const double* array, const int32_t* sdim,
                      const int32_t* ndim, const int32_t* notfound);
int32_t cFindSubArray(const vx_complex* subarray, const vx_complex* array, const int32_t* sdim,
                      const int32_t* ndim, const int32_t* notfound);
void iGetPairs(int32_t* ainb, const int32_t* a, const int32_t* b, const int32_t* n);
void fGetPairs(int32_t* ainb, const double* a, const double* b, const int32_t* n);
void GetIndicesExcludingSubArray(int32_t* indices, const int32_t* a, const int32_t* sub,
                                 const int32_t* n, const int32_t* nsub);
void iGetContinuous(const int32_t* xarr, const int32_t* xdim, int32_t* iloc, const int32_t* sflag);
void fGetContinuous(const double* xarr, const int32_t* xdim, int32_t* iloc, const int32_t* sflag);
void iGetMerged(int32_t* merged, const int32_t* x, const int32_t* y, const int32_t* nx,
                const int32_t* ny, const int32_t* defval);
void fGetMerged(double* merged, const double* x, const double* y, const int32_t* nx,
                const int32_t* ny, const double* defval);
vx_l1 iInList(const int32_t* scalar, const int32_t* list, const int32_t* n);
vx_l1 fInList(const double* scalar, const double* list, const int32_t* n);
vx_l1 iExList(const int32_t* scalar, const int32_t* list, const int32_t* n);
vx_l1 fExList(const double* scalar, const double* list, const int32_t* n);
vx_l1 iBounded(const int32_t* x, const int32_t* xlow, const int32_t* xup);
vx_l1 fBounded(const double* x, const double* xlow, const double* xup);
void iSwap(int32_t* a, int32_t* b);
void fSwap(double* a, double* b);
void cSwap(vx_complex* a, vx_complex* b);
void iINC(int32_t* i, const int32_t* step);
void fINC(double* f, const double* step);
vx_l1 lXOR(const vx_l1* a, const vx_l1* b);
vx_l1 lNOR(const vx_l1* a, const vx_l1* b);
vx_l1 lNAND(const vx_l1* a, const vx_l1* b);

#ifdef __cplusplus
}
#endif
#endif
