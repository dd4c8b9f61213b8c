// In-situ strengths of a ply embedded in a laminate: the fracture-mechanics
// estimate for thin plies, Puck's compressive strength of a ply loaded off its
// fibre axis in plane stress, and the empirical thickness/angle law.
#include <algorithm>
#include <cmath>

#include "vexlan/isscollection.h"
#include "util.h"
#include "vx.h"

VX_API void InSituLaRC04(double* ys, const double* elastic, const double* gxc, const double* xt22,
                         const double* x12, const double* t, const double* tlim) {
  const double lim = tlim ? *tlim : 0.0007;
  if (!(*t <= lim)) {  // thick ply, NaN thickness included
    ys[0] = 1.5839191966013624 * *xt22;  // 1.12 sqrt(2)
    ys[1] = 1.4142135623730951 * *x12;   // sqrt(2)
    return;
  }
  const double e11 = elastic[0], e22 = elastic[1], nu = elastic[2], g12 = elastic[3];
  const double l22 = 2.0 * (1.0 / e22 - nu * nu / e11);
  const double l44 = 1.0 / g12;
  ys[0] = std::sqrt(8.0 * gxc[0] / (vx::pi * *t * l22));
  ys[1] = std::sqrt(8.0 * gxc[1] / (vx::pi * *t * l44));
}

VX_API void InSituPuckPS(double* xc, const double* xc11, const double* xc22, const double* x12,
                         const double* theta, const double* gp) {
  const double p = gp ? gp[1] : 0.2;
  const double a = gp ? gp[3] : 0.15;
  const double th = *theta;
  const double c = std::cos(2.0 * th * vx::deg2rad);
  // The load acts on the ply alike at theta and -theta (only the sign of the
  // shear stress changes, and the criterion squares it): |sin 2 theta|.
  const double s = std::fabs(std::sin(2.0 * th * vx::deg2rad));
  const bool fibrelimit = th != 90.0;
  double f = 0.0;
  if (fibrelimit) {
    f = 2.0 * *xc11 / (1.0 + c);
    if (th == 0.0) {
      *xc = f;
      return;
    }
  }
  const double k = (1.0 - c) / s;  // tan(theta): |s22 / s12| of the load
  double r;
  if (*xc22 / (1.0 + a) / 2.0 / (std::sqrt(1.0 + 2.0 * a) * *x12) >= k) {
    // Shear-dominated compression: the inclined-plane friction raises the
    // strength, so the pressure term enters with the compressive sign.
    const double w = (1.0 - c) * p;
    r = 2.0 * *x12 / (std::sqrt(s * s + w * w) - w);
  } else {
    const double v = *xc22 / (2.0 * (1.0 + a) * *x12);
    r = 2.0 * k * *xc22 / ((v * v + k * k) * s);
  }
  *xc = fibrelimit ? vx::util::min_or_nan(r, f) : r;
}

VX_API void InSituChangLessard(double* ys, const double* xt22, const double* ilss,
                               const double* tratio, const double* dtmin_d, const double* atod) {
  const double a1 = atod ? atod[0] : 1.3, a2 = atod ? atod[1] : 0.7;
  const double a3 = atod ? atod[2] : 0.0, a4 = atod ? atod[3] : 1.0;
  const double r = *tratio;
  const double s = std::sin(*dtmin_d * vx::deg2rad);
  ys[0] = *xt22 * (1.0 + a1 * s / std::pow(r, a2));
  ys[1] = *ilss * (1.0 + a3 * s / std::pow(r, a4));
}
