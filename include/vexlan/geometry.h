/* Root finders, maximum search by reverse communication, cubic equations,
 * geometry of points and plane figures, and tensor rotations (component math).
 *
 * Matrices are column-major: a 3 x 3 matrix r holds r(1,1), r(2,1), r(3,1),
 * r(1,2), ... ; a fourth-order tensor is a 3x3x3x3 array indexed (i,j,k,l).
 * Angles: arguments ending in _r are radians, in _d degrees. */
#ifndef VEXLAN_GEOMETRY_H
#define VEXLAN_GEOMETRY_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

/* ---- Root finders ---------------------------------------------------------- */

/* Function (and derivative) of bdsafe and nrsafe: f and df are written by the
 * call-back; args(na) and nfun are the caller's, handed through unchanged. */
typedef void (*vx_rootfunc)(double* f, double* df, const double* x, const double* args,
                            const int32_t* na, const int32_t* nfun);
/* Iteration function of fpsafe: xnew = g(fargs(1)); fargs(na) is a working
 * copy of the caller's args whose first element holds the current iterate. */
typedef void (*vx_fixpointfunc)(double* xnew, double* fargs, const int32_t* na, const int32_t* nfun);

void bdsafe(vx_rootfunc dfunc, const double* x1, const double* x2, double* root, const double* args,
            const double* xacc, const int32_t* maxit, const int32_t* na, const int32_t* nfun,
            int32_t* istat);
void nrsafe(vx_rootfunc dfunc, const double* x1, const double* x2, double* root, const double* args,
            const double* xacc, const int32_t* maxit, const int32_t* na, const int32_t* nfun,
            int32_t* istat);
void fpsafe(vx_fixpointfunc dfunc, double* xs, const double* args, const double* xacc,
            const int32_t* maxit, const int32_t* na, const int32_t* nfun, int32_t* istat);

/* ---- Golden-section search (reverse communication) and cubic equations ----- */

void IniGoldenSearch(double* x, double* y, double* xmove, double* lplimits, int32_t* incr,
                     int32_t* subcall, vx_l1* golden, vx_l1* finish, const double* xlow,
                     const double* xup, const double* dx, const int32_t* gsflag,
                     const int32_t* npoints);
void GSSAFE(double* xi, double* yi, const double* dx, double* x, double* y, double* xmove,
            double* ymove, double* lplimits, int32_t* xdir, int32_t* increment, int32_t* proc,
            vx_l1* isgolden, vx_l1* update, vx_l1* finish, const double* defaultvalue,
            const int32_t* npoints);
void GetNextFromGoldenSearch(double* xnext, double* dx, double* x, const double* y, double* xmove,
                             double* ymove, int32_t* xdir, int32_t* increment,
                             const int32_t* npoints);
void GetMaximumFromGoldenSearch(double* xmax, const double* y, const double* xmove,
                                const double* ymove, const double* defaultvalue,
                                const int32_t* xdir, const int32_t* increment,
                                const int32_t* npoints);
double partialcurvelength(const double* dy);
double cuberoot(const double* a);
void SpecialCase(const double* p, const double* q, double* xx1, double* xx2, double* xx3);
void Solution3PE(const double* a, const double* b, const double* c, const double* d, double* x1,
                 double* x2, double* x3);

/* ---- Geometry and tensor transformations ----------------------------------- */

void tensormultiplication(const double* t_4th, const double* t_2nd, double* out_2nd);
void TensorTransformation2nd(const double* tensin, double* tensout, const double* tbase);
void GetBoundingBoxFromEllipse(double* xybound, const double* a, const double* b,
                               const double* phi_d);
void GetRadiusOfEllipse(double* r, const double* a, const double* b, const double* phi_d);
double gettrianglearea(const double* x1, const double* y1, const double* x2, const double* y2,
                       const double* x3, const double* y3);
void GetParabolaCoefficients(const double* ind, double* oud);
void GetTransformationMatrix(double* tbase, const double* nx, const double* ny, const double* nz);
void GetRotationMatrix(double* trot, const double* n, const double* alpha_r);
/* n0 may be NULL: the 1-axis (1, 0, 0). */
void TensorRotation4th(const double* input_4th, double* output_4th, const double* angle_r,
                       const double* n0);
void TensorRotation2nd(const double* input_2nd, double* output_2nd, const double* angle_r,
                       const double* n0);
void GetEulerRotation(double* eul, const double* r);
void CoordinateNormalization(const double* p, double* pnorm, const double* interval,
                             const int32_t* np, const int32_t* ndim);
void CoordinateRotation(const double* a, const double* p, double* prot, const double* alpha_d);
void CoordinateTranslation(const double* a, const double* p, double* ptrans);
void GetCentroid(double* c, const double* x, const double* y, const int32_t* n);
void CoordinateReflection(const double* na, const double* nb, const double* p, double* pref);
/* r0 may be NULL: the origin. */
void CoordinateProjection(const double* u, const double* v, const double* p, double* ppro,
                          const double* r0);
void GetABVector(double* v, const double* a, const double* b, const int32_t* n);
double EffectiveArcLength(const double* oa, const double* ob, const double* curvature,
                          const int32_t* n);
/* phi0 may be NULL: 0. */
void PolarTransformation(const double* cartesian, double* polar, const int32_t* n,
                         const double* phi0);
void GetUnitVector(double* xu, const double* x, const int32_t* n);
double ScalarProjection(const double* a, const double* b, const int32_t* n);
double EuclideanAngle(const double* x, const double* y, const int32_t* n);

#ifdef __cplusplus
}
#endif
#endif
