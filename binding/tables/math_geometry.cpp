// Python table of the root finders, the golden-section search, the cubic
// equations and the geometry and tensor routines of the component math.
#include "table.h"
#include "vexlan/geometry.h"

// ---- call-backs of the root finders
// A Python call-back returns its outputs (f, df or xnew) in this order.

VX_CALLBACK(bdsafe_dfunc, vx_rootfunc, "def dfunc(fa,d0,a,args,nfun,[na]): return",
            "f: f8 out",
            "df: f8 out",
            "x: f8",
            "args: f8(na)",
            "na: i4",
            "nfun: i4");

VX_CALLBACK(nrsafe_dfunc, vx_rootfunc, "def dfunc(fl,df,x1,args,nfun,[na]): return",
            "f: f8 out",
            "df: f8 out",
            "x: f8",
            "args: f8(na)",
            "na: i4",
            "nfun: i4");

VX_CALLBACK(fpsafe_dfunc, vx_fixpointfunc, "def dfunc(xnew,fargs,nfun,[na]): return",
            "xnew: f8 out",
            "fargs: f8(na) inout",
            "na: i4",
            "nfun: i4");

// ---- root finders

VX_ROUTINE(math, bdsafe, "root,istat = bdsafe(dfunc,x1,x2,args,xacc,maxit,nfun,[na,dfunc_extra_args])",
           "dfunc: cb(bdsafe_dfunc)",
           "x1: f8",
           "x2: f8",
           "root: f8 out",
           "args: f8(na)",
           "xacc: f8",
           "maxit: i4",
           "na: i4 = len(args) check(len(args)==na)",
           "nfun: i4",
           "istat: i4 out");

VX_ROUTINE(math, nrsafe, "root,istat = nrsafe(dfunc,x1,x2,args,xacc,maxit,nfun,[na,dfunc_extra_args])",
           "dfunc: cb(nrsafe_dfunc)",
           "x1: f8",
           "x2: f8",
           "root: f8 out",
           "args: f8(na)",
           "xacc: f8",
           "maxit: i4",
           "na: i4 = len(args) check(len(args)==na)",
           "nfun: i4",
           "istat: i4 out");

VX_ROUTINE(math, fpsafe, "xs,istat = fpsafe(dfunc,xs,args,xacc,maxit,nfun,[na,dfunc_extra_args])",
           "dfunc: cb(fpsafe_dfunc)",
           "xs: f8 io",
           "args: f8(na)",
           "xacc: f8",
           "maxit: i4",
           "na: i4 = len(args) check(len(args)==na)",
           "nfun: i4",
           "istat: i4 out");

// ---- golden-section search and cubic equations

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
           "npoints: i4 = len(x) check(len(x)==npoints) check(len(y)==npoints)");

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
           "npoints: i4 = len(x) check(len(x)==npoints) check(len(y)==npoints)");

VX_ROUTINE(math, GetMaximumFromGoldenSearch,
           "xmax = getmaximumfromgoldensearch(y,xmove,ymove,defaultvalue,xdir,increment,[npoints])",
           "xmax: f8 out",
           "y: f8(npoints)",
           "xmove: f8(4)",
           "ymove: f8(4)",
           "defaultvalue: f8",
           "xdir: i4",
           "increment: i4",
           "npoints: i4 = len(y) check(len(y)==npoints)");

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

// ---- geometry and tensor transformations

VX_ROUTINE(math, tensormultiplication, "out_2nd = tensormultiplication(t_4th,t_2nd)",
           "t_4th: f8(3,3,3,3)",
           "t_2nd: f8(3,3)",
           "out_2nd: f8(3,3) out");

VX_ROUTINE(math, TensorTransformation2nd, "tensout = tensortransformation2nd(tensin,tbase)",
           "tensin: f8(3,3)",
           "tensout: f8(3,3) out",
           "tbase: f8(3,3)");

VX_ROUTINE(math, GetBoundingBoxFromEllipse, "xybound = getboundingboxfromellipse(a,b,phi_d)",
           "xybound: f8(2) out",
           "a: f8",
           "b: f8",
           "phi_d: f8");

VX_ROUTINE(math, GetRadiusOfEllipse, "r = getradiusofellipse(a,b,phi_d)",
           "r: f8 out",
           "a: f8",
           "b: f8",
           "phi_d: f8");

VX_ROUTINE(math, gettrianglearea, "gettrianglearea = gettrianglearea(x1,y1,x2,y2,x3,y3)",
           "gettrianglearea: f8 ret",
           "x1: f8",
           "y1: f8",
           "x2: f8",
           "y2: f8",
           "x3: f8",
           "y3: f8");

VX_ROUTINE(math, GetParabolaCoefficients, "oud = getparabolacoefficients(ind)",
           "ind: f8(3,2)",
           "oud: f8(3) out");

VX_ROUTINE(math, GetTransformationMatrix, "tbase = gettransformationmatrix(nx,ny,nz)",
           "tbase: f8(3,3) out",
           "nx: f8(3)",
           "ny: f8(3)",
           "nz: f8(3)");

VX_ROUTINE(math, GetRotationMatrix, "trot = getrotationmatrix(n,alpha_r)",
           "trot: f8(3,3) out",
           "n: f8(3)",
           "alpha_r: f8");

VX_ROUTINE(math, TensorRotation4th, "output_4th = tensorrotation4th(input_4th,angle_r,[n0])",
           "input_4th: f8(3,3,3,3)",
           "output_4th: f8(3,3,3,3) out",
           "angle_r: f8",
           "n0: f8(3)");

VX_ROUTINE(math, TensorRotation2nd, "output_2nd = tensorrotation2nd(input_2nd,angle_r,[n0])",
           "input_2nd: f8(3,3)",
           "output_2nd: f8(3,3) out",
           "angle_r: f8",
           "n0: f8(3)");

VX_ROUTINE(math, GetEulerRotation, "eul = geteulerrotation(r)",
           "eul: f8(3) out",
           "r: f8(3,3)");

VX_ROUTINE(math, CoordinateNormalization, "pnorm = coordinatenormalization(p,interval,[np,ndim])",
           "p: f8(np,ndim)",
           "pnorm: f8(np,ndim) out",
           "interval: f8(2)",
           "np: i4 = shape(p,0) check(shape(p,0)==np)",
           "ndim: i4 = shape(p,1) check(shape(p,1)==ndim)");

VX_ROUTINE(math, CoordinateRotation, "prot = coordinaterotation(a,p,alpha_d)",
           "a: f8(3)",
           "p: f8(3)",
           "prot: f8(3) out",
           "alpha_d: f8");

VX_ROUTINE(math, CoordinateTranslation, "ptrans = coordinatetranslation(a,p)",
           "a: f8(3)",
           "p: f8(3)",
           "ptrans: f8(3) out");

VX_ROUTINE(math, GetCentroid, "c = getcentroid(x,y,[n])",
           "c: f8(2) out",
           "x: f8(n)",
           "y: f8(n)",
           "n: i4 = len(x) check(len(x)==n) check(len(y)==n)");

VX_ROUTINE(math, CoordinateReflection, "pref = coordinatereflection(na,nb,p)",
           "na: f8(3)",
           "nb: f8(3)",
           "p: f8(3)",
           "pref: f8(3) out");

VX_ROUTINE(math, CoordinateProjection, "ppro = coordinateprojection(u,v,p,[r0])",
           "u: f8(3)",
           "v: f8(3)",
           "p: f8(3)",
           "ppro: f8(3) out",
           "r0: f8(3)");

VX_ROUTINE(math, GetABVector, "v = getabvector(a,b,[n])",
           "v: f8(n) out",
           "a: f8(n)",
           "b: f8(n)",
           "n: i4 = len(a) check(len(a)==n) check(len(b)==n)");

VX_ROUTINE(math, EffectiveArcLength, "effectivearclength = effectivearclength(oa,ob,curvature,[n])",
           "effectivearclength: f8 ret",
           "oa: f8(n)",
           "ob: f8(n)",
           "curvature: f8",
           "n: i4 = len(oa) check(len(oa)==n) check(len(ob)==n)");

VX_ROUTINE(math, PolarTransformation, "polar = polartransformation(cartesian,[n,phi0])",
           "cartesian: f8(n)",
           "polar: f8(n) out",
           "n: i4 = len(cartesian) check(len(cartesian)==n)",
           "phi0: f8");

VX_ROUTINE(math, GetUnitVector, "xu = getunitvector(x,[n])",
           "xu: f8(n) out",
           "x: f8(n)",
           "n: i4 = len(x) check(len(x)==n)");

VX_ROUTINE(math, ScalarProjection, "scalarprojection = scalarprojection(a,b,[n])",
           "scalarprojection: f8 ret",
           "a: f8(n)",
           "b: f8(n)",
           "n: i4 = len(a) check(len(a)==n) check(len(b)==n)");

VX_ROUTINE(math, EuclideanAngle, "euclideanangle = euclideanangle(x,y,[n])",
           "euclideanangle: f8 ret",
           "x: f8(n)",
           "y: f8(n)",
           "n: i4 = len(x) check(len(x)==n) check(len(y)==n)");
