// Delamination (interface) criteria: stress-ratio forms on the interface
// normal and shear stresses, Puck's action-plane formula applied to the
// interface plane, and the two-ply forms of Choi-Chang and Chai.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "delcollection_kernels.h"
#include "vexlan/delcollection.h"
#include "vx.h"

namespace {

inline double sq(double x) { return x * x; }

// Signed normal-stress ratio: tensile strength for a positive stress.
inline double normal_ratio(double s, double xt, double xc) { return s > 0.0 ? s / xt : s / xc; }

}  // namespace

VX_API void DelLee(double* rdel, const double* s33, const double* s12, const double* s13, const double* xt33,
                   const double* xc33, const double* ilss) {
  const double shear = std::sqrt(sq(*s12) + sq(*s13)) / *ilss, n = normal_ratio(*s33, *xt33, *xc33);
  // A normal stress that is not finite (or a strength that is not a number)
  // leaves the effort unknown, whichever term would win.
  *rdel = (n != n || std::isinf(*s33)) ? std::numeric_limits<double>::quiet_NaN() : std::max(shear, n);
}

VX_API void DelOchoaEngblom(double* rdel, const double* s33, const double* s13, const double* s23, const double* xt33,
                            const double* xc33, const double* ilss) {
  *rdel = std::sqrt((sq(*s13) + sq(*s23)) / sq(*ilss) + sq(normal_ratio(*s33, *xt33, *xc33)));
}

VX_API void DelHashin(double* rdel, const double* s33, const double* s13, const double* s23, const double* xt22,
                      const double* xc22, const double* ilss) {
  *rdel = std::sqrt(sq(normal_ratio(*s33, *xt22, *xc22)) + sq(*s23 / *ilss) + sq(*s13 / *ilss));
}

VX_API void DelPuck(double* rdel, const double* s33, const double* s13, const double* s23, const double* xt22,
                    const double* xc22, const double* ilss, const double* gp) {
  const double g1 = gp ? gp[0] : 0.3, g2 = gp ? gp[1] : 0.2, g3 = gp ? gp[2] : 0.15, g4 = gp ? gp[3] : 0.15;
  const double ra = *xc22 / (2.0 * (1.0 + g4)), sl = *ilss;
  const double sn = *s33, t23 = *s23, t13 = *s13, s = t23 * t23 + t13 * t13;
  const double shear = sq(t23) / sq(ra) + sq(t13) / sq(sl);
  if (sn < 0.0) {
    const double p = s > 0.0 ? (g4 * t23 * t23 / ra + g2 * t13 * t13 / sl) * sn / s : 0.0;
    *rdel = std::sqrt(shear + p * p) + p;
    return;
  }
  const double q = s > 0.0 ? (g3 * t23 * t23 / ra + g1 * t13 * t13 / sl) / s : 0.0;
  *rdel = sn * q + std::sqrt(sq(1.0 / *xt22 - q) * sn * sn + shear);
}

VX_API void DelChoiChang(double* rdel, const double* s22l, const double* s13l, const double* s23u,
                         const double* xt22l, const double* xc22l, const double* ilssl, const double* ilssu,
                         const double* da) {
  const double y = *s22l > 0.0 ? *xt22l : *xc22l;
  const double d = da ? *da : 1.8;
  *rdel = std::sqrt(d * (sq(*s23u / *ilssu) + sq(*s22l / y) + sq(*s13l / *ilssl)));
}

VX_API void DelChai(double* rdel, const double* s22l, const double* s13l, const double* s23u, const double* xt22l,
                    const double* xc22l, const double* x23u, const double* ilssl, const double* df1,
                    const double* df2, const double* df3) {
  *rdel = vx::delcollection::chai(*s22l, *s13l, *s23u, *xt22l, *xc22l, *x23u, *ilssl, *df1, *df2, *df3);
}
