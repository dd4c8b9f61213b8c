/* Geometry of points and plane figures and tensor rotations, component math.
 *
 * Matrices are column-major: a 3 x 3 matrix r holds r(1,1), r(2,1), r(3,1),
 * r(1,2), ... ; a fourth-order tensor is a 3x3x3x3 array indexed (i,j,k,l).
 * Angles: arguments ending in _r are radians, in _d degrees. */
#ifndef VEXLAN_MATH_GEOMETRY_H
#define VEXLAN_MATH_GEOMETRY_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

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
