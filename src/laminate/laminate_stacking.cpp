// Placing plies on the thickness coordinate of a stack and of the sections of
// the section data, splitting a stack at an interface, the dominant ply angle
// of a stack and the angle step between neighbouring plies.
#include <cmath>
#include <cstring>

#include "laminate_clt.h"
#include "scratch.h"
#include "vexlan/errorhandling.h"
#include "vexlan/laminate.h"
#include "vx.h"

using vx::i4;

VX_API double GetPlyZCoord(const double* plythickness, const int32_t* iply, const int32_t* nplies,
                           const int32_t* zpos, const double* refoffset) {
  const i4 n = *nplies, i = *iply;
  if (i < 1 || i > n) {
    vx::report(-2, "Error in GetPlyZCoord: ply number outside the stack.");
    return 0.0;
  }
  vx::lam::PlyWalk w(plythickness, n, refoffset ? *refoffset : 0.0);
  for (i4 k = 0; k < i - 1; ++k) w.next(k);
  if (*zpos == 2) return w.top(i - 1);
  if (*zpos == 1) return w.mid(i - 1);
  return w.bot();
}

VX_API void GetSectionZCoord(double* plyzcoord, const int32_t* sectionlist,
                             const double* plythickness, const int32_t* nplies,
                             const int32_t* nsec, const int32_t* defint) {
  const i4 np = *nplies, ns = *nsec;
  const i4 marker = defint ? *defint : vx::unset;
  if (np < 0 || ns < 0) return;
  const int64_t nz = 2 * int64_t(np) + 1;
  for (int64_t k = 0; k < nz * ns; ++k) plyzcoord[k] = 0.0;
  for (i4 j = 0; j < ns; ++j) {
    const i4* list = sectionlist + int64_t(j) * np;
    const double* t = plythickness + int64_t(j) * np;
    double* z = plyzcoord + int64_t(j) * nz;
    i4 n = np;  // used plies: the entries before the first marker
    for (i4 k = 0; k < np; ++k)
      if (list[k] == marker) {
        n = k;
        break;
      }
    if (n == 0) continue;  // an unused section, or one whose first entry is unset
    vx::lam::PlyWalk w(t, n);
    for (i4 k = 0; k < n; ++k) {
      z[2 * k] = w.bot();
      z[2 * k + 1] = w.mid(k);
      if (k + 1 < n) w.next(k);
    }
    z[2 * n] = w.top(n - 1);
  }
}

VX_API void GetSubLaminateStack(int32_t* sublamstack, const double* plythickness,
                                const int32_t* intface, const int32_t* nplies) {
  const i4 n = *nplies, f = *intface;
  if (f < 0 || f > n) {
    vx::report(-2, "Error in GetSubLaminateStack: interface outside the stack.");
    return;
  }
  double below = 0.0, above = 0.0;
  for (i4 k = 0; k < f; ++k) below += plythickness[k];
  for (i4 k = f; k < n; ++k) above += plythickness[k];
  if (below >= above) {
    sublamstack[0] = f + 1;
    sublamstack[1] = n;
  } else {
    sublamstack[0] = 1;
    sublamstack[1] = f;
  }
}

VX_API double GetDecoupAngle(const double* plyelastic, const double* plyorientation,
                             const double* plythickness, const int32_t* nplies) {
  const i4 n = *nplies;
  if (n < 1) {
    vx::report(-2, "Error in GetDecoupAngle: a stack needs at least one ply.");
    return 0.0;
  }
  if (n == 1) return plyorientation[0];
  double total = 0.0;
  for (i4 k = 0; k < n; ++k) total += plythickness[k];
  const double max1 = std::fmax(plyelastic[0], plyelastic[1]);
  // Groups in order of first appearance: representative angle and weight.
  vx::Scratch<double, 64> angle{size_t(n)}, weight{size_t(n)};
  i4 ngroups = 0;
  for (i4 k = 0; k < n; ++k) {
    const double e1 = plyelastic[9 * int64_t(k)], e2 = plyelastic[9 * int64_t(k) + 1];
    const double mx = e1 > e2 ? e1 : e2, mn = e1 > e2 ? e2 : e1;
    const double w = plythickness[k] / total * (mx - mn) / mn * mx / max1;
    const double t = plyorientation[k];
    i4 g = 0;
    while (g < ngroups) {
      const double a = angle[g];
      if (t == a || t == a + 90.0 || t == a - 90.0 || t == a + 180.0 || t == a - 180.0) break;
      ++g;
    }
    if (g == ngroups) {
      angle[g] = t;
      weight[g] = 0.0;
      ++ngroups;
    }
    weight[g] += w;
  }
  i4 best = 0;
  for (i4 g = 1; g < ngroups; ++g)
    if (weight[g] > weight[best]) best = g;
  return angle[best];
}

VX_API double GetdAngle(const double* plyorientation, const int32_t* nplies, const int32_t* luflag,
                        const int32_t* iply) {
  const i4 n = *nplies, i = *iply;
  if (*luflag != 0 && *luflag != 1) {
    const char msg[] = "Error: Default case in GetdAngle. Please check your input parameters.";
    const int32_t code = -3, two = 2, eight = 8;
    const int32_t intv[2] = {*luflag, i};
    const double realv[2] = {0.0, 0.0};
    int32_t asciim[16] = {};
    xerr(&code, msg, intv, &two, realv, &two, asciim, &eight, &two, nullptr, std::strlen(msg));
    return 0.0;
  }
  if (i < 1 || i > n) {
    vx::report(-2, "Error in GetdAngle: ply number outside the stack.");
    return 0.0;
  }
  if (*luflag == 0) return i == 1 ? 0.0 : plyorientation[i - 1] - plyorientation[i - 2];
  return i == n ? 0.0 : plyorientation[i - 1] - plyorientation[i];
}
