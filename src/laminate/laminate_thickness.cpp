// Quantities through the thickness of a stack: strains at the ply points from
// the section strains, stresses at the ply bottoms and tops from section-point
// stresses, and the running integrals from which the transverse shear
// distribution is built.
#include <cmath>

#include "fixed.h"
#include "laminate_clt.h"
#include "vexlan/laminate.h"
#include "vx.h"

using vx::i4;

VX_API void GetPlyStrain(double* plystrain, const double* se, const double* plyzcoord,
                         const int32_t* nzcrd) {
  const i4 n = *nzcrd;
  for (i4 i = 0; i < n; ++i) {
    const double z = plyzcoord[i];
    double* e = plystrain + 3 * int64_t(i);
    e[0] = se[0] + z * se[3];
    e[1] = se[1] + z * se[4];
    e[2] = se[2] + z * se[5];
  }
}

VX_API void GetPlyBottomTopStress(double* sbt, const double* sestress,
                                  const int32_t* plysectionpoint, const int32_t* nzcrd,
                                  const int32_t* nplies) {
  const i4 nz = *nzcrd, np = *nplies;
  if (nz < 1 || np < 1) {
    vx::report(-2, "Error in GetPlyBottomTopStress: no plies or no section points.");
    return;
  }
  for (i4 k = 0; k < np - 1; ++k)
    if (plysectionpoint[k] < 1) {
      vx::report(-2, "Error in GetPlyBottomTopStress: every ply needs a section point.");
      return;
    }
  const int64_t ncol = 2 * int64_t(np);
  for (int64_t k = 0; k < 6 * ncol; ++k) sbt[k] = 0.0;
  auto put = [&](int64_t col, int64_t point) {  // 1-based column and point
    for (int r = 0; r < 6; ++r) sbt[6 * (col - 1) + r] = sestress[6 * (point - 1) + r];
  };
  put(1, 1);
  put(ncol, nz);
  int64_t p = 0;
  for (i4 k = 1; k < np; ++k) {
    p += plysectionpoint[k - 1];
    if (p >= nz) break;  // counts grow, so later plies lie beyond the points too
    put(2 * k, p);
    put(2 * k + 1, p + 1);
  }
}

VX_API void getpartialabwithcurvature(double* pij, const double* p0, const double* p1,
                                      const double* p2, const double* ki, const double* kj,
                                      const int32_t* pdim, const int32_t* nzcrd) {
  const int64_t n = 3 * int64_t(*pdim) * int64_t(*nzcrd);
  const double s = *ki + *kj, q = *ki * *kj;
  for (int64_t k = 0; k < n; ++k) pij[k] = p0[k] - s * p1[k] + q * p2[k];
}

VX_API void GetPartialFG(double* fg, const double* p1, const double* p2, const double* tstar1,
                         const double* tstar2, const int32_t* nzcrd, const int32_t* fgflag) {
  const vx::Mat3 t1 = vx::Mat3::load(tstar1), t2 = vx::Mat3::load(tstar2);
  const bool plus = *fgflag > 0;
  for (i4 i = 0; i < *nzcrd; ++i) {
    const vx::CMatRef<3, 3> a(p1 + 9 * int64_t(i)), b(p2 + 9 * int64_t(i));
    const vx::Mat3 x = vx::mul<3, 3, 3>(a, t1), y = vx::mul<3, 3, 3>(b, t2);
    double* o = fg + 9 * int64_t(i);
    for (int k = 0; k < 9; ++k) o[k] = plus ? x.a[k] - y.a[k] : y.a[k] - x.a[k];
  }
}
