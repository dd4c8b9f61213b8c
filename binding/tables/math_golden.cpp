// Python table of the golden-section search and the cubic equations of the
// component math.
#include "table.h"
#include "vexlan/math_golden.h"

VX_ROUTINE(math, IniGoldenSearch,
           "x,y,xmove,lplimits,incr,subcall,golden,finish = inigoldensearch(xlow,xup,dx,gsflag,npoints)",
           "x: f8(npoints) out",
           "y: f8(npoints) out",
           "xmove: f8(4) out",
           "lplimits: f8(2) out",
           "incr: i4 out",
           "subcall: i4 out",
           "golden: l1 out",
           "finish: l1 out",
           "xlow: f8",
           "xup: f8",
           "dx: f8",
           "gsflag: i4",
           "npoints: i4");

VX_ROUTINE(math, GSSAFE,
           "gssafe(xi,yi,dx,x,y,xmove,ymove,lplimits,xdir,increment,proc,isgolden,update,finish,defaultvalue,[npoints])",
           "xi: f8 inout",
           "yi: f8 inout",
           "dx: f8",
           "x: f8(npoints) inout",
           "y: f8(npoints) inout",
           "xmove: f8(4) inout",
           "ymove: f8(4) inout",
           "lplimits: f8(2) inout",
           "xdir: i4 inout",
           "increment: i4 inout",
           "proc: i4 inout",
           "isgolden: l1 inout",
           "update: l1 inout",
           "finish: l1 inout",
           "defaultvalue: f8",
           "npoints: i4");

VX_ROUTINE(math, GetNextFromGoldenSearch,
           "xnext,dx,x,xmove,ymove,xdir,increment = getnextfromgoldensearch(x,y,xmove,ymove,xdir,increment,"
           "[npoints,overwrite_x,overwrite_xmove,overwrite_ymove])",
           "xnext: f8 out",
           "dx: f8 out",
           "x: f8(npoints) io",
           "y: f8(npoints)",
           "xmove: f8(4) io",
           "ymove: f8(4) io",
           "xdir: i4 io",
           "increment: i4 io",
           "npoints: i4");

VX_ROUTINE(math, GetMaximumFromGoldenSearch,
           "xmax = getmaximumfromgoldensearch(y,xmove,ymove,defaultvalue,xdir,increment,[npoints])",
           "xmax: f8 out",
           "y: f8(npoints)",
           "xmove: f8(4)",
           "ymove: f8(4)",
           "defaultvalue: f8",
           "xdir: i4",
           "increment: i4",
           "npoints: i4");

VX_ROUTINE(math, partialcurvelength, "partialcurvelength = partialcurvelength(dy)",
           "partialcurvelength: f8 ret",
           "dy: f8");

VX_ROUTINE(math, cuberoot, "cuberoot = cuberoot(a)",
           "cuberoot: f8 ret",
           "a: f8");

VX_ROUTINE(math, SpecialCase, "xx1,xx2,xx3 = specialcase(p,q)",
           "p: f8",
           "q: f8",
           "xx1: f8 out",
           "xx2: f8 out",
           "xx3: f8 out");

VX_ROUTINE(math, Solution3PE, "x1,x2,x3 = solution3pe(a,b,c,d)",
           "a: f8",
           "b: f8",
           "c: f8",
           "d: f8",
           "x1: f8 out",
           "x2: f8 out",
           "x3: f8 out");

