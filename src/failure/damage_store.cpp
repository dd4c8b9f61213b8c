// Damage-region store: the regions of damage per failure mode, ply (interface
// for delamination) and damage held in damagedata and bukdata; growth of the
// regions to cover failed integration points, the region test, and the query
// that raises a point's damage flags and its buckling knock-down factor.
//
// The ply angle is applied once: growth and query both work in the ply frame
// (the reference frame turned by the ply angle), the query turning further
// only by the damage's own angle, like the polygon outlines do.
#include <algorithm>
#include <cmath>
#include "data.h"
#include "scratch.h"
#include "../laminate/sublaminate_impl.h"
#include "vexlan.h"
#include "vexlan/damage_store.h"

namespace vx {
namespace {

using namespace damagedata;

// Ply frame: reference axes 1 and 2 turned about axis 3 by the ply angle
// (degrees); the third column is axes 1 x 2 (growth) or the reference normal (query).
void ply_frame(double* g, const double* refcos, double plyangle, bool cross) {
  CoordinateRotation(refcos + 6, refcos, g, &plyangle);
  CoordinateRotation(refcos + 6, refcos + 3, g + 3, &plyangle);
  if (cross) {
    CrossProduct(g, g + 3, g + 6);
  } else {
    for (int k = 0; k < 3; ++k) g[6 + k] = refcos[6 + k];
  }
}

bool ply_angle(double& phi, i4 ilay, i4 isec) {
  if (!sectiondata::plyorientation.contains(ilay, isec)) return false;
  phi = sectiondata::plyorientation(ilay, isec);
  return true;
}

// Origin and angle of damage d; a damage the plane table does not hold sits at
// the global origin with angle 0.
void damage_plane(double* origin, double& angle, i4 d) {
  origin[0] = origin[1] = origin[2] = 0.0;
  angle = 0.0;
  if (!dmgplane.contains(1, d)) return;
  const i4 npos = i4(dmgplane.extent(1));
  for (i4 k = 1; k <= std::min(npos, 3); ++k) origin[k - 1] = dmgplane(k, d);
  i4 last = npos;
  for (i4 k = 1; k <= npos; ++k)
    if (dmgplane(k, d) == -huge) {
      last = k - 1;
      break;
    }
  if (last >= 1) angle = dmgplane(last, d);
}

// The region test: the outline of (layid, mode, d) when it holds two vertices
// or more, in the frame polyframe; else the ellipse a, b in the frame
// ellframe. Both are turned by the damage's angle.
bool region_test(const double* point, const double* polyframe, const double* ellframe, const double* origin,
                 double angle, double a, double b, i4 mode, i4 d, i4 layid) {
  if (dmgpoints.contains(1, layid, mode, d)) {
    const i4 nxy = i4(dmgpoints.extent(1));
    i4 k = nxy + 1;
    for (i4 j = 1; j <= nxy; ++j)
      if (dmgpoints(j, layid, mode, d) == huge) {
        k = j;
        break;
      }
    if (k >= 7) {
      const i4 n = (k - 1) / 3;
      Scratch<double, 128> xy(2 * size_t(n));
      for (i4 v = 0; v < n; ++v) {
        xy[v] = dmgpoints(3 * v + 2, layid, mode, d);
        xy[n + v] = dmgpoints(3 * v + 3, layid, mode, d);
      }
      return ProjectedPointInPolygon(point, xy, &angle, origin, polyframe, &n) != 0;
    }
  }
  const i4 ellipse = 1;
  return ProjectedPointInShape(point, &a, &b, &angle, origin, ellframe, &ellipse) != 0;
}

// Region of column col of a half-axis array; ellframe is the frame of the
// ply in which that region grew.
bool in_region(const double* point, const double* frame, const double* ellframe, const double* origin,
               double angle, const RArr3& dds, i4 col, i4 mode, i4 d, i4 ilay, bool skip) {
  if (skip || !dds.contains(2, col, d)) return false;
  return region_test(point, frame, ellframe, origin, angle, dds(1, col, d), dds(2, col, d), mode, d, ilay);
}

bool all_zero(const RArr4& a) {
  const double* p = a.data();
  for (int64_t k = 0, n = a.size(); k < n; ++k)
    if (p[k] != 0.0) return false;
  return true;
}

// Builds the buckling lists of every section and damage from the store; the
// per-ply elastic constants are the first nine values of each peprops column.
// The reason when the data cannot give them, else null.
const char* build_buckling_lists(i4 isec) {
  using namespace sectiondata;
  using materialdata::matidlist;
  using materialdata::peprops;
  using bukdata::bukintdatalist;
  using bukdata::bukrealdatalist;
  const i4 np = nplies, ns = nsec, nd = std::min<i4>(ndmg, i4(delamdds.extent(3)));
  const i4 ni = np > 1 ? np - 1 : 0;  // np - 1 of the smallest count would wrap
  const char* short_data = "Section or material data too short for the buckling lists in GetDamageFromDDS";
  if (np < 1 || ns < 1 || nd < 1 || delamdds.extent(2) < ni) return short_data;
  // Each interface's record holds a, b and the angle written below.
  if (delamdds.extent(1) < 3) return "Delamination records without an angle row in GetDamageFromDDS";
  if (!plyorientation.contains(np, ns) || !plythickness.contains(np, ns) || !xcstrength.contains(ns) ||
      !matidlist.contains(np, ns) || !peprops.allocated() || peprops.extent(1) < 9 || peprops.extent(2) < np ||
      peprops.extent(3) < ns)
    return short_data;
  // The lists are written as records of 12 reals and 4 integers.
  if (bukrealdatalist.extent(1) != 12 || bukintdatalist.extent(1) != 4) return short_data;
  for (i4 e = 1; e <= nd; ++e)
    for (i4 i = 1; i <= ni; ++i) delamdds(3, i, e) = plyorientation.contains(i, isec) ? plyorientation(i, isec) : 0.0;
  // The stack arrays packed with np plies per section: after a second section
  // card their leading extent can exceed the ply count.
  Scratch<double, 256> elastic(size_t(9) * np * ns), orient(size_t(np) * ns), thick(size_t(np) * ns);
  Scratch<i4, 128> seclist(size_t(np) * ns);
  for (i4 s = 1; s <= ns; ++s)
    for (i4 p = 1; p <= np; ++p) {
      const size_t at = size_t(p - 1) + size_t(np) * (s - 1);
      for (i4 k = 1; k <= 9; ++k) elastic[9 * at + (k - 1)] = peprops(k, p, s);
      orient[at] = plyorientation(p, s);
      thick[at] = plythickness(p, s);
      seclist[at] = matidlist(p, s);
    }
  Scratch<double, 256> delam(size_t(3) * std::max(ni, 1) * nd);
  Scratch<i4, 128> shape(size_t(std::max(ni, 1)) * nd);
  for (i4 e = 1; e <= nd; ++e)
    for (i4 i = 1; i <= ni; ++i) {
      for (i4 k = 1; k <= 3; ++k) delam[3 * (size_t(i - 1) + size_t(ni) * (e - 1)) + (k - 1)] = delamdds(k, i, e);
      shape[size_t(i - 1) + size_t(ni) * (e - 1)] = 1;
    }
  sublam::bukdata(bukrealdatalist.data(), bukintdatalist.data(),
                  i4(std::min(bukrealdatalist.extent(2), bukintdatalist.extent(2))),
                  i4(std::min(bukrealdatalist.extent(3), bukintdatalist.extent(3))),
                  i4(std::min(bukrealdatalist.extent(4), bukintdatalist.extent(4))), delam, ni, shape,
                  xcstrength.data(), elastic, orient, thick, seclist, nd, np, ns, ihuge);
  return nullptr;
}

}  // namespace
}  // namespace vx

using namespace vx;
using namespace vx::damagedata;

VX_API void getextentofprojecteddamage(double* halfaxis, const double* gpcoords, const double* refcoords,
                                       const double* refcos, const double* theta, const double* mdmg) {
  // A flag that is not a number gives no verdict: the point counts as failed.
  if (std::isnan(*mdmg)) report(-2, "NaN failure flag in getextentofprojecteddamage");
  else if (!(*mdmg >= 1.0)) return;
  double r[2];
  GetPointOnXYPlane(r, gpcoords, refcoords, refcos, theta);
  // A NaN coordinate never grows a region; half-axes stay non-negative.
  for (int k = 0; k < 2; ++k)
    if (std::fabs(r[k]) > halfaxis[k]) halfaxis[k] = std::fabs(r[k]);
}

VX_API vx_l1 PointInDamage(const double* point, const double* dmgcos, const double* dmgorigin,
                           const double* dmgangle, const double* /*plyangle: held by dmgcos*/, const double* a,
                           const double* b, const i4* modeid, const i4* dmgid, const i4* layid, const vx_l1* skip) {
  if (*skip) return 0;
  return region_test(point, dmgcos, dmgcos, dmgorigin, *dmgangle, *a, *b, *modeid, *dmgid, *layid) ? 1 : 0;
}

VX_API void UpdateDDS(i4* ierror, const double* sdv, const double* gpcoords, const double* refcoords,
                      const double* refcos, const i4* ilay_, const i4* isec_, const i4* idmg_) {
  *ierror = 0;
  const i4 ilay = *ilay_, isec = *isec_, idmg = *idmg_;
  double phi;
  if (!ply_angle(phi, ilay, isec)) {
    report(-2, "Ply or section outside the section data in UpdateDDS");
    return;
  }
  double g[9];
  ply_frame(g, refcos, phi, true);
  RArr3* cols[5] = {&generaldds, &fiberdds, &matrixdds, &delamdds, &coredds};
  // The damage card creates only the kinds it names (and the marker, so the
  // allocation keeps what it read): the kinds it left out are created here,
  // or a failure of such a mode would never be recorded.
  bool missing = !damagedds.allocated() || !userdds.allocated() || !bukdata::bukintdatalist.allocated() ||
                 !bukdata::bukrealdatalist.allocated();
  for (const RArr3* c : cols) missing = missing || !c->allocated();
  if (missing) allocatedamagedata(ierror, &sectiondata::nplies, &sectiondata::nsec, &ndmg);
  // The count is read after the allocation, which raises it to at least 1.
  if (idmg < 1 || idmg > ndmg) {
    report(-2, "Damage outside the damage store in UpdateDDS");
    return;
  }
  double work[5][2] = {};
  // A flag that is not a number gives no verdict: that mode counts as failed.
  double flag[5];
  bool have[5], dropped = false, unknown = false;
  for (int m = 0; m < 5; ++m) {
    unknown = unknown || std::isnan(sdv[m]);
    flag[m] = std::isnan(sdv[m]) ? 1.0 : sdv[m];
  }
  if (unknown) report(-2, "NaN failure flag in UpdateDDS");
  for (int m = 0; m < 5; ++m) {
    const bool delam_ok = m != 3 || ilay < sectiondata::nplies;
    have[m] = delam_ok && cols[m]->contains(2, ilay, idmg);
    if (have[m]) {
      work[m][0] = (*cols[m])(1, ilay, idmg);
      work[m][1] = (*cols[m])(2, ilay, idmg);
    }
    // Arrays read from a card can be smaller than the counters.
    dropped = dropped || (delam_ok && !have[m] && flag[m] >= 1.0);
  }
  if (dropped) report(-2, "Failed mode outside the damage store in UpdateDDS");
  const double zero = 0.0;
  for (int m = 0; m < 5; ++m) getextentofprojecteddamage(work[m], gpcoords, refcoords, g, &zero, flag + m);
  for (int m = 0; m < 5; ++m)
    if (have[m]) {
      (*cols[m])(1, ilay, idmg) = work[m][0];
      (*cols[m])(2, ilay, idmg) = work[m][1];
    }
}

VX_API void GetDamageFromDDS(double* sdv, const double* gpcoords, const double* refcos, const i4* ilay_,
                             const i4* isec_) {
  using bukdata::bukintdatalist;
  using bukdata::bukrealdatalist;
  const i4 ilay = *ilay_, isec = *isec_;
  double flag[6];
  for (int k = 0; k < 6; ++k) flag[k] = sdv[k];
  double rbuk = sdv[11];
  double phi;
  if (!ply_angle(phi, ilay, isec)) {
    report(-2, "Ply or section outside the section data in GetDamageFromDDS");
    return;
  }
  double g[9];
  ply_frame(g, refcos, phi, false);
  // No store array holds more damages or interfaces than these: the counters
  // may exceed the arrays, the loops never do.
  int64_t ndmax = 0;
  for (const RArr3* a : {&generaldds, &fiberdds, &matrixdds, &delamdds, &coredds})
    if (a->allocated()) ndmax = std::max(ndmax, a->extent(3));
  const i4 nd = i4(std::min<int64_t>(ndmg, ndmax));
  // Clamped at 0 before narrowing: the smallest ply count minus 1 would turn into the largest.
  const i4 nint = i4(std::clamp<int64_t>(sectiondata::nplies - int64_t(1), 0,
                                         delamdds.allocated() ? delamdds.extent(2) : 0));
  // Without the lists no point can be found buckled: say so (a single ply has
  // no interface to buckle at).
  if (nd >= 1 && nint >= 1 && delamdds.allocated()) {
    const char* why = !bukrealdatalist.allocated() || !bukintdatalist.allocated()
                          ? "Section or material data too short for the buckling lists in GetDamageFromDDS"
                      : all_zero(bukrealdatalist) ? build_buckling_lists(isec)
                                                  : nullptr;
    if (why) report(-2, why);
  }
  for (i4 d = 1; d <= nd; ++d) {
    double origin[3], angle;
    damage_plane(origin, angle, d);
    const RArr3* first[3] = {&generaldds, &fiberdds, &matrixdds};
    for (i4 m = 0; m < 3; ++m)
      if (in_region(gpcoords, g, g, origin, angle, *first[m], ilay, m + 1, d, ilay, false)) flag[m] = 1.0;
    if (delamdds.allocated()) {
      sdv[11] = 1.0;
      for (i4 i = 1; i <= nint; ++i)
        if (in_region(gpcoords, g, g, origin, angle, delamdds, i, 4, d, ilay, i != ilay)) flag[3] = 1.0;
      // Every record of the list, the remaining sub-laminate's included.
      const i4 nrec = bukintdatalist.allocated() ? i4(bukintdatalist.extent(2)) : 0;
      for (i4 i = 1; i <= nrec; ++i) {
        if (!bukintdatalist.contains(3, i, d, isec) || !bukrealdatalist.contains(2, i, d, isec)) continue;
        const i4 j = bukintdatalist(1, i, d, isec), s = bukintdatalist(2, i, d, isec),
                 e = bukintdatalist(3, i, d, isec);
        if (!(s <= ilay && ilay <= e) || !delamdds.contains(2, j, d)) continue;
        // The region of interface j grew in the axes of ply j: test it there.
        double pj = phi, gj[9];
        if (j != ilay && ply_angle(pj, j, isec)) ply_frame(gj, refcos, pj, false);
        else std::copy(g, g + 9, gj);
        if (in_region(gpcoords, g, gj, origin, angle, delamdds, j, 4, d, ilay, false)) {
          flag[5] = 1.0;
          rbuk = bukrealdatalist(2, i, d, isec);
        }
      }
    }
    if (in_region(gpcoords, g, g, origin, angle, coredds, ilay, 5, d, ilay, false)) flag[4] = 1.0;
  }
  for (int k = 0; k < 6; ++k) sdv[k] = std::max(sdv[k], flag[k]);
  sdv[11] = std::min(rbuk, sdv[11]);
}
