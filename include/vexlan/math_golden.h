/* Maximum search by golden sections (reverse communication) and cubic
 * equations, component math. */
#ifndef VEXLAN_MATH_GOLDEN_H
#define VEXLAN_MATH_GOLDEN_H
#include "types.h"
#ifdef __cplusplus
extern "C" {
#endif

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

#ifdef __cplusplus
}
#endif
#endif
