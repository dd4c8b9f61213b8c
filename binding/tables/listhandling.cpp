// Python table of the growable lists of the component listhandling. The
// lists themselves are not exposed; only these routines reach them.
#include "table.h"
#include "vexlan/listhandling.h"

// The complex empty-slot value has no literal in the table language: an
// omitted defcmplx/defval reaches the routine as absent, which means the
// largest finite real in both parts.

VX_ROUTINE(listhandling, DeallocateList, "ierror = deallocatelist(listid,ifflag)",
           "listid: i4",
           "ifflag: i4",
           "ierror: i4 out");

VX_ROUTINE(listhandling, AllocateList, "ierror = allocatelist(listid,ifflag,le,[defcmplx,defreal,defint])",
           "listid: i4",
           "ifflag: i4",
           "le: i4",
           "ierror: i4 out",
           "defcmplx: c16 absent \"(1.7976931348623157e+308+1.7976931348623157e+308j)\"",
           "defreal: f8 = 1.7976931348623157e+308",
           "defint: i4 = 2147483647");

VX_ROUTINE(listhandling, GetAllocationStatus, "checkid = getallocationstatus(listid,ifflag)",
           "checkid: l1 out",
           "listid: i4",
           "ifflag: i4");

VX_ROUTINE(listhandling, GetSizeOfList, "getsizeoflist = getsizeoflist(listid,ifflag,[defcmplx,defreal,defint])",
           "getsizeoflist: i4 ret",
           "listid: i4",
           "ifflag: i4",
           "defcmplx: c16 absent \"(1.7976931348623157e+308+1.7976931348623157e+308j)\"",
           "defreal: f8 = 1.7976931348623157e+308",
           "defint: i4 = 2147483647");

#define VX_COPY_ROW(SYM, PYNAME, T)                                                  \
  VX_ROUTINE(listhandling, SYM, "copy,ierror = " PYNAME "(listid,copy,[ncopy,overwrite_copy])", \
             "listid: i4",                                                           \
             "copy: " T "(ncopy) io",                                                \
             "ncopy: i4 = len(copy) check(ncopy>=0) check(len(copy)==ncopy)",        \
             "ierror: i4 out")
VX_COPY_ROW(iGetCopyOfList, "int_getcopyoflist", "i4");
VX_COPY_ROW(fGetCopyOfList, "real_getcopyoflist", "f8");
VX_COPY_ROW(cGetCopyOfList, "cmplx_getcopyoflist", "c16");
#undef VX_COPY_ROW

VX_ROUTINE(listhandling, iAppendScalar2List, "iresult = int_appendscalar2list(listid,scalar,uniflag,[allocinc,defval])",
           "listid: i4", "scalar: i4", "uniflag: i4", "iresult: i4 out",
           "allocinc: i4 = 500", "defval: i4 = 2147483647");
VX_ROUTINE(listhandling, fAppendScalar2List, "iresult = real_appendscalar2list(listid,scalar,uniflag,[allocinc,defval])",
           "listid: i4", "scalar: f8", "uniflag: i4", "iresult: i4 out",
           "allocinc: i4 = 500", "defval: f8 = 1.7976931348623157e+308");
VX_ROUTINE(listhandling, cAppendScalar2List, "iresult = cmplx_appendscalar2list(listid,scalar,uniflag,[allocinc,defval])",
           "listid: i4", "scalar: c16", "uniflag: i4", "iresult: i4 out",
           "allocinc: i4 = 500",
           "defval: c16 absent \"(1.7976931348623157e+308+1.7976931348623157e+308j)\"");

VX_ROUTINE(listhandling, iAppendArray2List,
           "iresult = int_appendarray2list(listid,array,uniflag,[narray,allocinc,defval])",
           "listid: i4", "array: i4(narray)", "narray: i4 = len(array) check(narray>=0)", "uniflag: i4",
           "iresult: i4 out", "allocinc: i4 = 500", "defval: i4 = 2147483647");
VX_ROUTINE(listhandling, fAppendArray2List,
           "iresult = real_appendarray2list(listid,array,uniflag,[narray,allocinc,defval])",
           "listid: i4", "array: f8(narray)", "narray: i4 = len(array) check(narray>=0)", "uniflag: i4",
           "iresult: i4 out", "allocinc: i4 = 500", "defval: f8 = 1.7976931348623157e+308");
VX_ROUTINE(listhandling, cAppendArray2List,
           "iresult = cmplx_appendarray2list(listid,array,uniflag,[narray,allocinc,defval])",
           "listid: i4", "array: c16(narray)", "narray: i4 = len(array) check(narray>=0)", "uniflag: i4",
           "iresult: i4 out", "allocinc: i4 = 500",
           "defval: c16 absent \"(1.7976931348623157e+308+1.7976931348623157e+308j)\"");
