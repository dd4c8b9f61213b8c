/* Growable lists of integers, reals and complex numbers (component
 * listhandling), private to the component and reached only through these
 * routines. */
#ifndef VEXLAN_LISTHANDLING_H
#define VEXLAN_LISTHANDLING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* Growable process-wide lists: three of each kind, selected by listid 1..3
 * and, where asked, by the kind flag ifflag (0 integer, 1 real, 2 complex).
 * Every slot without a value holds the list's empty-slot value; the used
 * length ends before the first empty slot. Optional arguments may be NULL:
 * empty-slot values then default to 2147483647, the largest finite double,
 * and that double in both parts of a complex; allocinc defaults to 500 (also
 * when below 1). Values compare exactly (a NaN equals nothing). Nothing goes
 * to the error record. */

/* DeallocateList: frees the selected list. An unknown listid or ifflag
 * touches no list and gives ierror 1, as for a list that is not allocated.
 *   listid (in)  list number 1..3
 *   ifflag (in)  kind: 0 integer, 1 real, 2 complex
 *   ierror (out) 0 freed, 1 the list was not allocated or does not exist */
void DeallocateList(const int32_t* listid, const int32_t* ifflag, int32_t* ierror);

/* AllocateList: creates the selected list with le slots and sets every slot
 * to the empty-slot value of its kind (the other two defaults are ignored).
 * On an allocated list it keeps the size, empties every slot and reports
 * 5014. An unknown listid or ifflag touches no list and gives ierror 5014
 * as well.
 *   listid   (in)  list number 1..3
 *   ifflag   (in)  kind: 0 integer, 1 real, 2 complex
 *   le       (in)  number of slots (none below 1)
 *   ierror   (out) 0 created; 5014 already allocated, no such list, or
 *                  allocation failed
 *   defcmplx (in, optional) empty-slot value of a complex list
 *   defreal  (in, optional) empty-slot value of a real list
 *   defint   (in, optional) empty-slot value of an integer list */
void AllocateList(const int32_t* listid, const int32_t* ifflag, const int32_t* le, int32_t* ierror,
                  const vx_complex* defcmplx, const double* defreal, const int32_t* defint);

/* GetAllocationStatus: whether the selected list is allocated. An unknown
 * listid or ifflag leaves checkid unwritten.
 *   checkid (out) 1-byte flag: true when allocated
 *   listid  (in)  list number 1..3
 *   ifflag  (in)  kind: 0 integer, 1 real, 2 complex */
void GetAllocationStatus(vx_l1* checkid, const int32_t* listid, const int32_t* ifflag);

/* GetSizeOfList: used length of the selected list: the slots before the
 * first one holding the empty-slot value of its kind, or the whole size when
 * none does.
 *   listid   (in)  list number 1..3
 *   ifflag   (in)  kind: 0 integer, 1 real, 2 complex
 *   defcmplx (in, optional) empty-slot value of a complex list
 *   defreal  (in, optional) empty-slot value of a real list
 *   defint   (in, optional) empty-slot value of an integer list
 *   result   (ret) used length; -1 when the list is not allocated or does
 *                  not exist */
int32_t GetSizeOfList(const int32_t* listid, const int32_t* ifflag, const vx_complex* defcmplx,
                      const double* defreal, const int32_t* defint);

/* iGetCopyOfList, fGetCopyOfList, cGetCopyOfList: copies the first ncopy
 * slots of list listid, used or empty, of the integer lists (iGetCopyOfList),
 * the real lists (fGetCopyOfList) or the complex lists (cGetCopyOfList).
 * Entries of copy beyond the list's size stay as they were.
 *   listid (in)  list number 1..3
 *   copy   (out) ncopy values
 *   ncopy  (in)  number of slots to copy
 *   ierror (out) 0, or -1 (copy untouched) when the list is not allocated */
void iGetCopyOfList(const int32_t* listid, int32_t* copy, const int32_t* ncopy, int32_t* ierror);
void fGetCopyOfList(const int32_t* listid, double* copy, const int32_t* ncopy, int32_t* ierror);
void cGetCopyOfList(const int32_t* listid, vx_complex* copy, const int32_t* ncopy, int32_t* ierror);

/* iAppendScalar2List, fAppendScalar2List, cAppendScalar2List: stores a value
 * in the first empty slot of list listid of the integer lists
 * (iAppendScalar2List), the real lists (fAppendScalar2List) or the complex
 * lists (cAppendScalar2List), creating the list with allocinc slots when it
 * does not exist and growing it by allocinc slots when it is full. With
 * uniflag 1 a value already in the list (in any slot, empty ones included) is
 * not stored again.
 *   listid   (in)  list number 1..3
 *   scalar   (in)  value to append
 *   uniflag  (in)  1: only when not yet present; otherwise always
 *   iresult  (out) 1 stored; 0 present already; -5014 no such list
 *                  (listid outside 1..3), or the growth failed and the
 *                  list keeps its former contents
 *   allocinc (in, optional) slots added per growth, default 500
 *   defval   (in, optional) empty-slot value, default of the kind */
void iAppendScalar2List(const int32_t* listid, const int32_t* scalar, const int32_t* uniflag, int32_t* iresult,
                        const int32_t* allocinc, const int32_t* defval);
void fAppendScalar2List(const int32_t* listid, const double* scalar, const int32_t* uniflag, int32_t* iresult,
                        const int32_t* allocinc, const double* defval);
void cAppendScalar2List(const int32_t* listid, const vx_complex* scalar, const int32_t* uniflag,
                        int32_t* iresult, const int32_t* allocinc, const vx_complex* defval);

/* iAppendArray2List, fAppendArray2List, cAppendArray2List: appends a run of
 * values, one after the other, to list listid of the integer lists
 * (iAppendArray2List), the real lists (fAppendArray2List) or the complex
 * lists (cAppendArray2List). With uniflag 1 nothing is appended when the
 * whole run already occurs as a contiguous run in the used part of the list;
 * values inside the run are not tested one by one.
 *   listid   (in)  list number 1..3
 *   array    (in)  narray values to append
 *   narray   (in)  number of values
 *   uniflag  (in)  1: only when the run is not yet present; otherwise always
 *   iresult  (out) result of the last value appended (see
 *                  iAppendScalar2List); 0 when nothing was appended
 *   allocinc (in, optional) slots added per growth, default 500
 *   defval   (in, optional) empty-slot value, default of the kind */
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
