// Building blocks of the micromechanics routines on fixed 6 x 6 matrices in
// Voigt order. Inverses go through MatrixInverse so that a singular phase is
// reported in the error record like everywhere else, and the computation goes on.
#pragma once
#include <array>
#include "fixed.h"
#include "vexlan.h"


namespace vx::micro {

using M6 = Mat6;
using Eng = std::array<double, 9>;

inline M6 inv(const M6& a) {
  M6 r = M6::zero();
  const i4 n = 6;
  MatrixInverse(a.a, r.a, &n);
  return r;
}
inline bool all_zero(const M6& a) {
  for (int k = 0; k < 36; ++k)
    if (a.a[k] != 0.0) return false;
  return true;
}

// Volume fractions are limited to [lo, hi] the library's way (fLimit).
inline double clamp(double v, double lo = 0.0, double hi = 1.0) { return fLimit(&v, &lo, &hi); }

// Transversely isotropic compliance from E1, E2, G12, G23, nu12.
M6 voigt_compliance(const double* props);
// E1, E2, E3, G23, G13, G12, nu23, nu13, nu12 of a compliance.
Eng eng_consts(const M6& s);
// Eshelby tensor; false (with the record written) for an unsupported request.
bool eshelby(M6& et, i4 type, double ratio, double nu, const double* cm);
// Strain concentration tensor; false for an unknown scheme (record written).
bool concentration(M6& a, const M6& et, const M6& ci, const M6& cm, double v, i4 atype);
// Prepared phase compliances (fibre or bundle, matrix or porous matrix).
void phase_reduction(M6& sf, M6& sm, const double* fiberprops, const double* matrixprops, double vf,
                     const double* vvoid, const double* vint, const double* interprops,
                     const i4* voidtype);
void ud_strength(double* ud, const M6& bridging, const double* fiberprops, const double* matrixprops,
                 double vf);

}  // namespace vx::micro
