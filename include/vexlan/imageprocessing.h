/* Point-in-shape tests in the local plane of a figure (component imageprocessing). */
#ifndef VEXLAN_IMAGEPROCESSING_H
#define VEXLAN_IMAGEPROCESSING_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

void GetPointOnXYPlane(double* xycoord, const double* point, const double* origin,
                       const double* xyplane, const double* theta);
double Polygon(const double* px, const double* py, const double* xx, const double* yy,
               const int32_t* n);
vx_l1 ProjectedPointInPolygon(const double* point, const double* xypairs, const double* theta,
                              const double* refcoords, const double* refcos,
                              const int32_t* npoints);
double Ellipse(const double* x, const double* y, const double* a, const double* b,
               const double* xyorigin);
double Rectangle(const double* x, const double* y, const double* a, const double* b,
                 const double* xyorigin);
vx_l1 ProjectedPointInShape(const double* point, const double* a, const double* b,
                            const double* theta, const double* refcoords, const double* refcos,
                            const int32_t* shapeid);
double Line(const double* x, const double* y, const double* a, const double* b,
            const double* proximity);

#ifdef __cplusplus
}
#endif
#endif
