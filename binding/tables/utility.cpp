// Python table of the array, search and check-in helpers of the component utility.
#include <algorithm>
#include "table.h"
#include "util.h"
#include "vexlan/utility.h"

namespace {
// From Python the extent of a is known as well: the rows refuse an a narrower
// than the mask entries within 1..n, and the bound by a here keeps the copy
// inside a whatever it is given. The exported routines can only bound the
// entries by b.
void MatrixSortWithin(double* a, const int32_t* acols, const double* b, const int32_t* mask, const int32_t* m,
                      const int32_t* n) {
  vx::util::copy_masked_columns(a, b, mask, *m, *n, std::min<int64_t>(*n, *acols));
}
void VectorSortWithin(double* a, const int32_t* na, const double* b, const int32_t* mask, const int32_t* n) {
  vx::util::copy_masked_columns(a, b, mask, 1, *n, std::min<int64_t>(*n, *na));
}
}  // namespace

// ---------------------------------------------------------- check-in list

// A participant count beyond 2**29 is far beyond any use: refused rather than
// letting the list exhaust the machine.
VX_ROUTINE(utility, ProcessLock, "processlock = processlock(procid,maxid,[wflag])",
           "processlock: l1 ret",
           "procid: i4",
           "maxid: i4 check(maxid<=536870912)",
           "wflag: i4 = 0");

VX_ROUTINE(utility, ProcessUnLock, "ierror = processunlock()",
           "ierror: i4 out");

// ------------------------------------------------------------------ copies

VX_ROUTINE(utility, MatrixCopy, "b = matrixcopy(a,[n,m])",
           "a: f8(n,m)",
           "b: f8(n,m) out",
           "n: i4",
           "m: i4");

VX_ROUTINE(utility, fVectorCopy, "b = real_vectorcopy(a,[n])",
           "a: f8(n)",
           "b: f8(n) out",
           "n: i4");

VX_ROUTINE(utility, iVectorCopy, "b = int_vectorcopy(a,[n])",
           "a: i4(n)",
           "b: i4(n) out",
           "n: i4");

VX_ROUTINE(utility, cVectorCopy, "b = cmplx_vectorcopy(a,[n])",
           "a: c16(n)",
           "b: c16(n) out",
           "n: i4");

// ------------------------------------------------------------ fill family

#define VX_FILL_ROW(SYM, PYNAME, VIEW, DIMS, SCALAR)                                   \
  VX_ROUTINE(utility, SYM, "a = " PYNAME "(a,lambda,[overwrite_a])",                   \
             "a: " VIEW "(" DIMS ") io",                                               \
             "lambda: " SCALAR)

VX_FILL_ROW(real_fillvectorwithscalar, "real_fillvectorwithscalar", "view_f8", "*", "f8");
VX_FILL_ROW(real_fillmatrixwithscalar, "real_fillmatrixwithscalar", "view_f8", "*,*", "f8");
VX_FILL_ROW(real_fill3darraywithscalar, "real_fill3darraywithscalar", "view_f8", "*,*,*", "f8");
VX_FILL_ROW(real_fill4darraywithscalar, "real_fill4darraywithscalar", "view_f8", "*,*,*,*", "f8");
VX_FILL_ROW(real_fill5darraywithscalar, "real_fill5darraywithscalar", "view_f8", "*,*,*,*,*", "f8");
VX_FILL_ROW(real_fill6darraywithscalar, "real_fill6darraywithscalar", "view_f8", "*,*,*,*,*,*", "f8");
VX_FILL_ROW(real_fill7darraywithscalar, "real_fill7darraywithscalar", "view_f8", "*,*,*,*,*,*,*", "f8");
VX_FILL_ROW(int_fillvectorwithscalar, "int_fillvectorwithscalar", "view_i4", "*", "i4");
VX_FILL_ROW(int_fillmatrixwithscalar, "int_fillmatrixwithscalar", "view_i4", "*,*", "i4");
VX_FILL_ROW(int_fill3darraywithscalar, "int_fill3darraywithscalar", "view_i4", "*,*,*", "i4");
VX_FILL_ROW(int_fill4darraywithscalar, "int_fill4darraywithscalar", "view_i4", "*,*,*,*", "i4");
VX_FILL_ROW(int_fill5darraywithscalar, "int_fill5darraywithscalar", "view_i4", "*,*,*,*,*", "i4");
VX_FILL_ROW(int_fill6darraywithscalar, "int_fill6darraywithscalar", "view_i4", "*,*,*,*,*,*", "i4");
VX_FILL_ROW(int_fill7darraywithscalar, "int_fill7darraywithscalar", "view_i4", "*,*,*,*,*,*,*", "i4");
#undef VX_FILL_ROW

// ---------------------------------------------------- zero initialisation

VX_ROUTINE(utility, IniVectorwithZeros, "a = inivectorwithzeros(n)",
           "a: f8(n) out",
           "n: i4");

VX_ROUTINE(utility, IniMatrixwithZeros, "a = inimatrixwithzeros(n,m)",
           "a: f8(n,m) out",
           "n: i4",
           "m: i4");

VX_ROUTINE(utility, Ini3DArraywithZeros, "a = ini3darraywithzeros(l,m,n)",
           "a: f8(l,m,n) out",
           "l: i4", "m: i4", "n: i4");

VX_ROUTINE(utility, Ini4DArraywithZeros, "a = ini4darraywithzeros(l,m,n,o)",
           "a: f8(l,m,n,o) out",
           "l: i4", "m: i4", "n: i4", "o: i4");

VX_ROUTINE(utility, Ini5DArraywithZeros, "a = ini5darraywithzeros(l,m,n,o,p)",
           "a: f8(l,m,n,o,p) out",
           "l: i4", "m: i4", "n: i4", "o: i4", "p: i4");

VX_ROUTINE(utility, Ini6DArraywithZeros, "a = ini6darraywithzeros(l,m,n,o,p,q)",
           "a: f8(l,m,n,o,p,q) out",
           "l: i4", "m: i4", "n: i4", "o: i4", "p: i4", "q: i4");

VX_ROUTINE(utility, IniMaxDArraywithZeros, "a = inimaxdarraywithzeros(l,m,n,o,p,q,r)",
           "a: f8(l,m,n,o,p,q,r) out",
           "l: i4", "m: i4", "n: i4", "o: i4", "p: i4", "q: i4", "r: i4");

// ------------------------------------------------------ standard matrices

VX_ROUTINE(utility, GetIdentityMatrix, "a = getidentitymatrix(n)",
           "a: f8(n,n) out",
           "n: i4");

VX_ROUTINE(utility, GetScalarMatrix, "a = getscalarmatrix(n,lambda)",
           "a: f8(n,n) out",
           "n: i4",
           "lambda: f8");

VX_ROUTINE(utility, GetEyeMatrix, "a = geteyematrix(n,[k])",
           "a: f8(n,n) out",
           "k: i4 = 0",
           "n: i4");

VX_ROUTINE(utility, GetTriangularMatrix, "lu = gettriangularmatrix(a,[n,luflag])",
           "lu: f8(n,n) out",
           "a: f8(n,n)",
           "n: i4",
           "luflag: l1 = 0");

VX_ROUTINE(utility, Symmetrize, "sym = symmetrize(lu,[n])",
           "lu: f8(n,n)",
           "sym: f8(n,n) out",
           "n: i4");

VX_ROUTINE(utility, Linspace, "x = linspace(a,b,n,[endpoint])",
           "x: f8(n) out",
           "a: f8",
           "b: f8",
           "n: i4",
           "endpoint: l1 = 1");

VX_ROUTINE(utility, GetIndexVector, "a = getindexvector(n)",
           "a: i4(n) out",
           "n: i4");

// ------------------------------------------ reshaping, packing, splitting

VX_ROUTINE(utility, MatrixConcatenation, "ab = matrixconcatenation(a,b,ctype,[k,l,m,n])",
           "a: f8(k,l)",
           "b: f8(m,n)",
           "ab: f8(max(k+ctype*m,0),max(l+n-ctype*n,0)) out",
           "ctype: i4",
           "k: i4",
           "l: i4",
           "m: i4",
           "n: i4");

// k of 0 gives an empty result instead of a division by zero.
VX_ROUTINE(utility, VectorSplit, "b = vectorsplit(a,k,[n])",
           "a: f8(n)",
           "b: f8(k>0 ? n/k : 0,k) out",
           "k: i4",
           "n: i4");

VX_ROUTINE(utility, MatrixSplit, "b = matrixsplit(a,k,[l,m])",
           "a: f8(l,m)",
           "b: f8(k>0 ? l/k : 0,m,k) out",
           "k: i4",
           "l: i4",
           "m: i4");

VX_ROUTINE(utility, GetSubArray, "subarray,subslice = getsubarray(array,nsub,[narray,tail])",
           "subarray: f8(nsub) out",
           "subslice: i4(2) out",
           "array: f8(narray)",
           "narray: i4",
           "nsub: i4",
           "tail: l1 = 1");

VX_ROUTINE(utility, GetPackedList, "packed = getpackedlist(list,condition,padding,cflag,npack,[nlist])",
           "packed: f8(npack) out",
           "list: f8(nlist)",
           "condition: f8",
           "padding: f8",
           "cflag: i4",
           "npack: i4",
           "nlist: i4");

VX_ROUTINE(utility, GetUnpackedMatrixFromList, "matrix = getunpackedmatrixfromlist(list,n,m)",
           "matrix: f8(n,m) out",
           "list: f8(n*m)",
           "n: i4",
           "m: i4");

VX_ROUTINE(utility, GetUnpackedTriangle, "lu = getunpackedtriangle(packed,nlu,order,[np,upper])",
           "lu: f8(nlu,nlu) out",
           "packed: f8(np)",
           "nlu: i4",
           "np: i4 = len(packed) check(len(packed)==np) check(np>=max(nlu,0)*(max(nlu,0)+1)/2)",
           "order: str(*)",
           "upper: l1 = 0");

// Fewer values than the walk needs (n(n-1)/2, or n(n-1) when k differs from
// that) are refused.
VX_ROUTINE(utility, FillMatrixOffDiagonals, "a = fillmatrixoffdiagonals(a,x,[n,k,overwrite_a])",
           "a: f8(n,n) io",
           "x: f8(k)",
           "n: i4",
           "k: i4 = len(x) check(len(x)==k) check(k==n*(n-1)/2 || k>=n*(n-1))");

VX_ROUTINE(utility, VectorFlip, "b = vectorflip(a,[n])",
           "a: f8(n)",
           "b: f8(n) out",
           "n: i4");

VX_ROUTINE(utility, MatrixFlip, "b = matrixflip(a,dimflag,[n,m])",
           "a: f8(n,m)",
           "b: f8(n,m) out",
           "n: i4",
           "m: i4",
           "dimflag: i4");

// a may have more columns (elements) than the mask names, which are left
// alone; fewer than the largest mask entry within 1..n are refused.
VX_ROUTINE(utility, MatrixSortWithin, "a = matrixsort(a,b,mask,[m,n,overwrite_a])",
           "a: f8(m,*) io",
           "acols: i4 = shape(a,1) check(shape(a,1)>=maxupto(mask,n))",
           "b: f8(m,n)",
           "mask: i4(n)",
           "m: i4 = shape(b,0) check(shape(b,0)==m) check(shape(a,0)==m)",
           "n: i4");

VX_ROUTINE(utility, VectorSortWithin, "a = vectorsort(a,b,mask,[n,overwrite_a])",
           "a: f8(*) io",
           "na: i4 = len(a) check(len(a)>=maxupto(mask,n))",
           "b: f8(n)",
           "mask: i4(n)",
           "n: i4");

// ------------------------------------------------------------ searching

VX_ROUTINE(utility, iFindLocation, "int_findlocation = int_findlocation(element,array,[ndim,notfound])",
           "int_findlocation: i4 ret",
           "element: i4",
           "array: i4(ndim)",
           "ndim: i4",
           "notfound: i4 = -1");

VX_ROUTINE(utility, fFindLocation, "real_findlocation = real_findlocation(element,array,[ndim,notfound])",
           "real_findlocation: i4 ret",
           "element: f8",
           "array: f8(ndim)",
           "ndim: i4",
           "notfound: i4 = -1");

VX_ROUTINE(utility, cFindLocation, "cmplx_findlocation = cmplx_findlocation(element,array,[ndim,notfound])",
           "cmplx_findlocation: i4 ret",
           "element: c16",
           "array: c16(ndim)",
           "ndim: i4",
           "notfound: i4 = -1");

VX_ROUTINE(utility, iFindSubArray, "int_findsubarray = int_findsubarray(subarray,array,[sdim,ndim,notfound])",
           "int_findsubarray: i4 ret",
           "subarray: i4(sdim)",
           "array: i4(ndim)",
           "sdim: i4",
           "ndim: i4",
           "notfound: i4 = -1");

VX_ROUTINE(utility, fFindSubArray, "real_findsubarray = real_findsubarray(subarray,array,[sdim,ndim,notfound])",
           "real_findsubarray: i4 ret",
           "subarray: f8(sdim)",
           "array: f8(ndim)",
           "sdim: i4",
           "ndim: i4",
           "notfound: i4 = -1");

VX_ROUTINE(utility, cFindSubArray, "cmplx_findsubarray = cmplx_findsubarray(subarray,array,[sdim,ndim,notfound])",
           "cmplx_findsubarray: i4 ret",
           "subarray: c16(sdim)",
           "array: c16(ndim)",
           "sdim: i4",
           "ndim: i4",
           "notfound: i4 = -1");

VX_ROUTINE(utility, iGetPairs, "ainb = int_getpairs(a,b,[n])",
           "ainb: i4(n) out",
           "a: i4(n)",
           "b: i4(n)",
           "n: i4");

VX_ROUTINE(utility, fGetPairs, "ainb = real_getpairs(a,b,[n])",
           "ainb: i4(n) out",
           "a: f8(n)",
           "b: f8(n)",
           "n: i4");

VX_ROUTINE(utility, GetIndicesExcludingSubArray, "indices = getindicesexcludingsubarray(a,sub,[n,nsub])",
           "indices: i4(n) out",
           "a: i4(n)",
           "sub: i4(nsub)",
           "n: i4",
           "nsub: i4");

VX_ROUTINE(utility, iGetContinuous, "iloc = int_getcontinuous(xarr,sflag,[xdim])",
           "xarr: i4(xdim)",
           "xdim: i4",
           "iloc: i4(xdim) out",
           "sflag: i4");

VX_ROUTINE(utility, fGetContinuous, "iloc = real_getcontinuous(xarr,sflag,[xdim])",
           "xarr: f8(xdim)",
           "xdim: i4",
           "iloc: i4(xdim) out",
           "sflag: i4");

VX_ROUTINE(utility, iGetMerged, "merged = int_getmerged(x,y,[nx,ny,defval])",
           "merged: i4(nx+ny) out",
           "x: i4(nx)",
           "y: i4(ny)",
           "nx: i4",
           "ny: i4",
           "defval: i4 = 2147483647");

VX_ROUTINE(utility, fGetMerged, "merged = real_getmerged(x,y,[nx,ny,defval])",
           "merged: f8(nx+ny) out",
           "x: f8(nx)",
           "y: f8(ny)",
           "nx: i4",
           "ny: i4",
           "defval: f8 = 1.7976931348623157e+308");

// The length is required and is the list's own: a list of another length
// is refused by the array check.
VX_ROUTINE(utility, iInList, "int_inlist = int_inlist(scalar,list,n)",
           "int_inlist: l1 ret",
           "scalar: i4",
           "list: i4(n)",
           "n: i4");

VX_ROUTINE(utility, fInList, "real_inlist = real_inlist(scalar,list,n)",
           "real_inlist: l1 ret",
           "scalar: f8",
           "list: f8(n)",
           "n: i4");

VX_ROUTINE(utility, iExList, "int_exlist = int_exlist(scalar,list,n)",
           "int_exlist: l1 ret",
           "scalar: i4",
           "list: i4(n)",
           "n: i4");

VX_ROUTINE(utility, fExList, "real_exlist = real_exlist(scalar,list,n)",
           "real_exlist: l1 ret",
           "scalar: f8",
           "list: f8(n)",
           "n: i4");

VX_ROUTINE(utility, iBounded, "int_bounded = int_bounded(x,xlow,xup)",
           "int_bounded: l1 ret", "x: i4", "xlow: i4", "xup: i4");

VX_ROUTINE(utility, fBounded, "real_bounded = real_bounded(x,xlow,xup)",
           "real_bounded: l1 ret", "x: f8", "xlow: f8", "xup: f8");

VX_ROUTINE(utility, iSwap, "a,b = int_swap(a,b)", "a: i4 io", "b: i4 io");
VX_ROUTINE(utility, fSwap, "a,b = real_swap(a,b)", "a: f8 io", "b: f8 io");
VX_ROUTINE(utility, cSwap, "a,b = cmplx_swap(a,b)", "a: c16 io", "b: c16 io");

VX_ROUTINE(utility, iINC, "i = int_inc(i,[step])", "i: i4 io", "step: i4 = 1");
VX_ROUTINE(utility, fINC, "f = real_inc(f,[step])", "f: f8 io", "step: f8 = 1.0");

VX_ROUTINE(utility, lXOR, "logical_xor = logical_xor(a,b)", "logical_xor: l1 ret", "a: l1", "b: l1");
VX_ROUTINE(utility, lNOR, "logical_nor = logical_nor(a,b)", "logical_nor: l1 ret", "a: l1", "b: l1");
VX_ROUTINE(utility, lNAND, "logical_nand = logical_nand(a,b)", "logical_nand: l1 ret", "a: l1", "b: l1");
