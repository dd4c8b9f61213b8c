// Python table of the geometry and tensor routines of the component math.
#include "table.h"
#include "vexlan/math_geometry.h"

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
           "n0: f8(3) absent \"(1.0, 0.0, 0.0)\"");

VX_ROUTINE(math, TensorRotation2nd, "output_2nd = tensorrotation2nd(input_2nd,angle_r,[n0])",
           "input_2nd: f8(3,3)",
           "output_2nd: f8(3,3) out",
           "angle_r: f8",
           "n0: f8(3) absent \"(1.0, 0.0, 0.0)\"");

VX_ROUTINE(math, GetEulerRotation, "eul = geteulerrotation(r)",
           "eul: f8(3) out",
           "r: f8(3,3)");

VX_ROUTINE(math, CoordinateNormalization, "pnorm = coordinatenormalization(p,interval,[np,ndim])",
           "p: f8(np,ndim)",
           "pnorm: f8(np,ndim) out",
           "interval: f8(2)",
           "np: i4",
           "ndim: i4");

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
           "n: i4");

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
           "r0: f8(3) absent \"(0.0, 0.0, 0.0)\"");

VX_ROUTINE(math, GetABVector, "v = getabvector(a,b,[n])",
           "v: f8(n) out",
           "a: f8(n)",
           "b: f8(n)",
           "n: i4");

VX_ROUTINE(math, EffectiveArcLength, "effectivearclength = effectivearclength(oa,ob,curvature,[n])",
           "effectivearclength: f8 ret",
           "oa: f8(n)",
           "ob: f8(n)",
           "curvature: f8",
           "n: i4");

// A point of one component has no angle: refused rather than handed back as
// the zeros the routine leaves.
VX_ROUTINE(math, PolarTransformation, "polar = polartransformation(cartesian,[n,phi0])",
           "cartesian: f8(n)",
           "polar: f8(n) out",
           "n: i4 = len(cartesian) check(len(cartesian)==n) check(n>=2)",
           "phi0: f8 absent \"0.0\"");

VX_ROUTINE(math, GetUnitVector, "xu = getunitvector(x,[n])",
           "xu: f8(n) out",
           "x: f8(n)",
           "n: i4");

VX_ROUTINE(math, ScalarProjection, "scalarprojection = scalarprojection(a,b,[n])",
           "scalarprojection: f8 ret",
           "a: f8(n)",
           "b: f8(n)",
           "n: i4");

VX_ROUTINE(math, EuclideanAngle, "euclideanangle = euclideanangle(x,y,[n])",
           "euclideanangle: f8 ret",
           "x: f8(n)",
           "y: f8(n)",
           "n: i4");
