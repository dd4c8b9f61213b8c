// Core-crushing criteria of sandwich cores: the exposure at the core's upper
// face, middle and lower face where the core is in through-thickness
// compression; the effort is the largest of the three.
#include <cmath>
#include <cstdint>
#include <limits>

#include "util.h"
#include "vexlan/cccollection.h"
#include "vx.h"

namespace {

template <class Exposure>
inline double core_effort(const double* s33u, const double* s33m, const double* s33l, const double* taou,
                          const double* taom, const double* taol, Exposure&& e) {
  const double s[3] = {*s33u, *s33m, *s33l};
  const double* tau[3] = {taou, taom, taol};
  double f[3] = {1e-20, 1e-20, 1e-20};
  // A face in tension does not crush; a stress that is not a number, or an
  // infinite tension, tells nothing about the face.
  for (int k = 0; k < 3; ++k) {
    if (s[k] <= 0.0) f[k] = e(s[k], tau[k][0], tau[k][1]);
    else if (!(s[k] < std::numeric_limits<double>::infinity())) f[k] = vx::not_a_number;
  }
  // A position that is not a number makes the effort unknown (passing over it
  // would report the core as intact there).
  return f[vx::util::largest_location(f, 3) - 1];
}

}  // namespace

VX_API void CCPetras(double* rcc, const double* s33u, const double* s33m, const double* s33l, const double* taou,
                     const double* taom, const double* taol, const double* xc33, const double* x13,
                     const double* x23) {
  const double zc = *xc33, s13 = *x13, s23 = *x23;
  // Magnitudes of the ratios: a compressive stress (negative) must add to the
  // exposure, so that s33 = -xc33 alone is at failure whatever the shear sign.
  *rcc = core_effort(s33u, s33m, s33l, taou, taom, taol, [&](double s, double t1, double t2) {
    return std::fabs(s) / zc + std::fabs(t1) / s23 + std::fabs(t2) / s13;
  });
}

VX_API void CCBesant(double* rcc, const double* s33u, const double* s33m, const double* s33l, const double* taou,
                     const double* taom, const double* taol, const double* xc33, const double* x13, const double* x23,
                     const double* besantexponent) {
  const double n = *besantexponent, zc = *xc33, s13 = *x13, s23 = *x23;
  *rcc = core_effort(s33u, s33m, s33l, taou, taom, taol, [&](double s, double t1, double t2) {
    // An infinite exponent would give 1 at any compression.
    if (!std::isfinite(n)) return vx::not_a_number;
    return std::pow(std::pow(std::fabs(s), n) / std::pow(zc, n) + std::pow(std::fabs(t1), n) / std::pow(s23, n) +
                        std::pow(std::fabs(t2), n) / std::pow(s13, n),
                    1.0 / n);
  });
}
