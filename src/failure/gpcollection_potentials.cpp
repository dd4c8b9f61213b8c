// Stress-vector failure potentials for isotropic or resin-like materials
// (Drucker-Prager, Bauwens, Raghava, and the pressure-dependent Mises
// potential): first invariant and von Mises stress of the stress vector,
// with a damage value kept by the caller.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "vexlan/gpcollection.h"
#include "vexlan/lamina.h"
#include "vx.h"

namespace {

struct Invariants {
  double i1, vm;
};
inline Invariants invariants(const double* stress) {
  const int32_t six = 6;
  return {stress[0] + stress[1] + stress[2], GetMisesStress(stress, &six)};
}

}  // namespace

VX_API void GPDruckerPrager(const double* stress, const double* xt, const double* xc, double* d, double* di1) {
  const Invariants s = invariants(stress);
  const double t = *xt, c = *xc;
  // Positive inside the cone, zero on it, negative beyond.
  const double f = (t - c) / (t + c) * s.i1 * 0.5773502691896258 + t * c / (t + c) * 1.1547005383792517 -
                   std::sqrt(s.vm * s.vm * 0.3333333333333333);
  *di1 = f;
  // Failed on the surface (within one stress unit inside it) and everywhere
  // beyond, not just in a band around it. A potential that is not a number
  // leaves the damage unknown, as in the other potentials.
  if (f <= 1.0) *d = 1.0;
  else if (f != f) *d = f;
  else *d = std::max(*d, 0.0);
}

VX_API void GPBauwens(const double* stress, const double* xt, const double* xc, double* d) {
  const Invariants s = invariants(stress);
  const double e = 0.5 * (1.0 / *xt + 1.0 / *xc) * s.vm + 0.5 * (1.0 / *xt - 1.0 / *xc) * s.i1;
  // A held damage that is not a number stays unknown: the maximum would drop it.
  if (std::isnan(*d)) return;
  *d = std::min(std::max(e, *d), 1.0);
}

VX_API void GPRaghava(const double* stress, const double* xt, const double* xc, double* d) {
  const Invariants s = invariants(stress);
  const double e = (1.0 / *xt - 1.0 / *xc) * s.i1 + s.vm * s.vm / (*xt * *xc);
  if (std::isnan(*d)) return;  // unknown, as in GPBauwens
  *d = std::min(std::max(e, std::max(*d, 0.0)), 1.0);
}

VX_API void GPHa(const double* stress, const double* xt, const double* xc, const double* np, double* d, double* di1,
                 double* dmises, double* i1cr, double* misescr, double* life) {
  const double n = *np, t = *xt;
  const double k = *xc / t, p = std::pow(k, n);
  *misescr = t * std::pow((p + k) / (k + 1.0), 1.0 / n);
  *i1cr = t * (p + k) / (p - 1.0);
  const Invariants s = invariants(stress);
  *dmises = std::pow(s.vm / *misescr, n);
  *di1 = s.i1 / *i1cr;
  *d = std::min(*dmises + *di1, 1.0);
  // A damage left NaN by an input that is not a finite number has no verdict:
  // the life counts as used up, never as intact.
  if (std::isnan(*d)) {
    bool finite = std::isfinite(t) && std::isfinite(*xc) && std::isfinite(n);
    for (int k = 0; k < 6; ++k) finite = finite && std::isfinite(stress[k]);
    if (!finite) {
      vx::report(-2, "NaN damage in GPHa: life counted as used up");
      *life = 1.0;
    }
  }
  if (*d >= 1.0) *life = 1.0;
}
