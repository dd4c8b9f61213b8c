#ifndef VEXLAN_LISTHANDLING_H
#define VEXLAN_LISTHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Growable process-wide lists: three of each kind, selected by listid 1..3
 * and, where asked, by the kind flag ifflag (0 integer, 1 real, 2 complex).
 * Optional arguments may be NULL: empty-slot values then default to
 * 2147483647, the largest finite double, and that double in both parts of a
 * complex; allocinc defaults to 500 (also when below 1).
 *
 * Status values: AllocateList ierror 0, or 5014 (already allocated, failed
 * allocation, or no such list); DeallocateList ierror 0, or 1 (not allocated
 * or no such list); GetSizeOfList -1 (not allocated or no such list); the copy
 * routines ierror 0 or -1; the appends iresult 1 stored, 0 present (or
 * nothing to append), -5014 failed growth (the list keeps its former
 * contents) or no such list. */

void DeallocateList(const int32_t* listid, const int32_t* ifflag, int32_t* ierror);
void AllocateList(const int32_t* listid, const int32_t* ifflag, const int32_t* le, int32_t* ierror,
                  const vx_complex* defcmplx, const double* defreal, const int32_t* defint);
void GetAllocationStatus(vx_l1* checkid, const int32_t* listid, const int32_t* ifflag);
int32_t GetSizeOfList(const int32_t* listid, const int32_t* ifflag, const vx_complex* defcmplx,
                      const double* defreal, const int32_t* defint);

void iGetCopyOfList(const int32_t* listid, int32_t* copy, const int32_t* ncopy, int32_t* ierror);
void fGetCopyOfList(const int32_t* listid, double* copy, const int32_t* ncopy, int32_t* ierror);
void cGetCopyOfList(const int32_t* listid, vx_complex* copy, const int32_t* ncopy, int32_t* ierror);

void iAppendScalar2List(const int32_t* listid, const int32_t* scalar, const int32_t* uniflag, int32_t* iresult,
                        const int32_t* allocinc, const int32_t* defval);
void fAppendScalar2List(const int32_t* listid, const double* scalar, const int32_t* uniflag, int32_t* iresult,
                        const int32_t* allocinc, const double* defval);
void cAppendScalar2List(const int32_t* listid, const vx_complex* scalar, const int32_t* uniflag,
                        int32_t* iresult, const int32_t* allocinc, const vx_complex* defval);

void iAppendArray2List(const int32_t* listid, const int32_t* array, const int32_t* narray, const int32_t* uniflag,
                       int32_t* iresult, const int32_t* allocinc, const int32_t* defval);
void fAppendArray2List(const int32_t* listid, const double* array, const int32_t* narray, const int32_t* uniflag,
                       int32_t* iresult, const int32_t* allocinc, const double* defval);
void cAppendArray2List(const int32_t* listid, const vx_complex* array, const int32_t* narray,
                       const int32_t* uniflag, int32_t* iresult, const int32_t* allocinc,
                       const vx_complex* defval);

#ifdef __cplusplus
}
#endif
#endif
