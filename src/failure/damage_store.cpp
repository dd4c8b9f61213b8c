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
#include <cstdio>
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

// Origin and angle of damage d; without a plane table (a damage card without
// positions) every damage sits at the global origin with angle 0.
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
// ellframe. Both are turned by the damage's angle. 1 inside, 0 outside. With
// nan given, a region whose outline values or half-axes are NaN gives no
// verdict: -1, and *nan becomes the message naming the outline or axes_nan;
// without it such a region holds no point.
int region_test(const double* point, const double* polyframe, const double* ellframe, const double* origin,
                double angle, double a, double b, i4 mode, i4 d, i4 layid, const char* axes_nan = nullptr,
                const char** nan = nullptr) {
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
      bool unknown = false;
      for (i4 v = 0; v < n; ++v) {
        xy[v] = dmgpoints(3 * v + 2, layid, mode, d);
        xy[n + v] = dmgpoints(3 * v + 3, layid, mode, d);
        unknown = unknown || std::isnan(xy[v]) || std::isnan(xy[n + v]);
      }
      if (unknown && nan) {
        *nan = "NaN outline vertex in dmgpoints in GetDamageFromDDS";
        return -1;
      }
      return ProjectedPointInPolygon(point, xy, &angle, origin, polyframe, &n) != 0;
    }
  }
  if (nan && (std::isnan(a) || std::isnan(b))) {
    *nan = axes_nan;
    return -1;
  }
  const i4 ellipse = 1;
  return ProjectedPointInShape(point, &a, &b, &angle, origin, ellframe, &ellipse) != 0;
}

// A region array of the query and the message for its NaN half-axes.
struct Kind {
  const RArr3* dds;
  const char* nan;
};

bool finite(const double* p, int n) {
  for (int k = 0; k < n; ++k)
    if (!std::isfinite(p[k])) return false;
  return true;
}

bool all_zero(const RArr4& a) {
  const double* p = a.data();
  for (int64_t k = 0, n = a.size(); k < n; ++k)
    if (p[k] != 0.0) return false;
  return true;
}

// Whether an allocated array is at least as large as the extents given.
template <class T, int R>
bool holds(const Array<T, R>& a, std::initializer_list<int64_t> need) {
  int d = 1;
  for (const int64_t n : need)
    if (a.extent(d++) < n) return false;
  return true;
}

// Messages of data that disagree with their counters (or with each other);
// the call then records -2 and leaves its outputs as they came.
struct Refusal {
  const char* section;
  const char* ply;
  const char* damage;
};
constexpr Refusal growth_refusal{"Section data disagree with their counts in UpdateDDS",
                                 "Ply or section outside the section data in UpdateDDS",
                                 "Damage data disagree with their counts in UpdateDDS"};
constexpr Refusal query_refusal{"Section data disagree with their counts in GetDamageFromDDS",
                                "Ply or section outside the section data in GetDamageFromDDS",
                                "Damage data disagree with their counts in GetDamageFromDDS"};
constexpr const char* lists_disagree = "Buckling lists disagree with their counts in GetDamageFromDDS";
constexpr const char* short_data = "Section or material data too short for the buckling lists in GetDamageFromDDS";
constexpr const char* ply_angle_unknown = "Ply angle in plyorientation not finite in GetDamageFromDDS";

// The counters and the ply angles: a counter below 0, a ply or section outside
// them, or ply angles that cannot hold every ply of every section.
const char* section_disagrees(const Refusal& r, i4 ilay, i4 isec) {
  using namespace sectiondata;
  if (nplies < 0 || nsec < 0) return r.section;
  if (ilay < 1 || ilay > nplies || isec < 1 || isec > nsec) return r.ply;
  if (!plyorientation.allocated() || !holds(plyorientation, {nplies, nsec})) return r.section;
  return nullptr;
}

// The region arrays hold a and b (the delamination records also their angle)
// of every ply, or interface, and every damage the counters name. An absent
// array is a mode without damage.
bool regions_hold(i4 np, i4 nd) {
  for (const RArr3* a : {&generaldds, &fiberdds, &matrixdds, &coredds})
    if (a->allocated() && !holds(*a, {2, np, nd})) return false;
  return !delamdds.allocated() || holds(delamdds, {3, np - 1, nd});
}

// The store the query reads beyond the section counters; null when it agrees.
const char* store_disagrees() {
  const i4 np = sectiondata::nplies, nd = ndmg;
  if (nd < 0 || !regions_hold(np, nd)) return query_refusal.damage;
  // Without a plane table every damage lies at the global origin; a table
  // holds the origin of every damage.
  if (dmgplane.allocated() && !holds(dmgplane, {3, nd})) return query_refusal.damage;
  if (dmgpoints.allocated() && !holds(dmgpoints, {0, np, 6, nd})) return query_refusal.damage;
  return nullptr;
}

// The first datum that building the lists reads (the ply angles of section
// isec become the delamination angles) that is not a finite number, named;
// null when all are. Only the sections and plies the analysis takes count.
const char* build_data_unknown(i4 isec) {
  using namespace sectiondata;
  using materialdata::matidlist;
  using materialdata::peprops;
  const i4 np = nplies, ns = nsec, nd = ndmg, ni = np - 1;
  for (i4 i = 1; i <= ni; ++i)
    if (!std::isfinite(plyorientation(i, isec))) return "plyorientation";
  for (i4 e = 1; e <= nd; ++e)
    for (i4 i = 1; i <= ni; ++i)
      if (!std::isfinite(delamdds(1, i, e)) || !std::isfinite(delamdds(2, i, e))) return "delamdds";
  for (i4 s = 1; s <= ns; ++s) {
    const i4 m = sublam::section_plies(&matidlist(1, s), np, ihuge);
    if (m < 0) continue;
    if (!std::isfinite(xcstrength(s))) return "xcstrength";
    for (i4 p = 1; p <= m; ++p) {
      if (!finite(&peprops(1, p, s), 9)) return "peprops";
      if (!std::isfinite(plythickness(p, s))) return "plythickness";
      if (!std::isfinite(plyorientation(p, s))) return "plyorientation";
    }
  }
  return nullptr;
}

// How a query with delaminations of a stack with interfaces uses the buckling
// lists: read as they are, built first (when empty), or not at all; then why
// (room for a message of 80 characters) says why not.
//
// Reading takes lists of one record per interface, as the lists are laid out,
// or more: the readers and the store's creation give one per ply, which is
// what building needs, since the analysis writes a record for each of its
// passes and one for the remaining sub-laminate.
enum class Lists { read, build, none };
Lists buckling_lists(char* why, i4 isec) {
  using bukdata::bukintdatalist;
  using bukdata::bukrealdatalist;
  const i4 np = sectiondata::nplies, ns = sectiondata::nsec, nd = ndmg;
  const size_t len = 81;
  if (!bukintdatalist.allocated() || !bukrealdatalist.allocated()) {
    std::snprintf(why, len, "Buckling list %s absent in GetDamageFromDDS",
                  bukintdatalist.allocated() ? "bukrealdatalist" : "bukintdatalist");
    return Lists::none;
  }
  // Records of 4 integers and 12 reals, the two lists alike: they are built as one.
  bool alike = bukintdatalist.extent(1) == 4 && bukrealdatalist.extent(1) == 12;
  for (int d = 2; d <= 4; ++d) alike = alike && bukrealdatalist.extent(d) == bukintdatalist.extent(d);
  auto ext = [](const auto& a, int d) { return static_cast<long long>(a.extent(d)); };
  if (!alike) {
    std::snprintf(why, len, "Buckling lists (%lld,%lld,%lld,%lld) and (%lld,%lld,%lld,%lld) disagree in GetDamageFromDDS",
                  ext(bukintdatalist, 1), ext(bukintdatalist, 2), ext(bukintdatalist, 3), ext(bukintdatalist, 4),
                  ext(bukrealdatalist, 1), ext(bukrealdatalist, 2), ext(bukrealdatalist, 3),
                  ext(bukrealdatalist, 4));
    return Lists::none;
  }
  const bool empty = all_zero(bukrealdatalist);
  const i4 records = empty ? np : np - 1;
  if (!holds(bukintdatalist, {4, records, nd, ns})) {
    std::snprintf(why, len, "Buckling lists of %lldx%lldx%lld records, %dx%dx%d needed%s in GetDamageFromDDS",
                  ext(bukintdatalist, 2), ext(bukintdatalist, 3), ext(bukintdatalist, 4), records, nd, ns,
                  empty ? " to build" : "");
    return Lists::none;
  }
  if (!empty) return Lists::read;
  // Empty lists are built from the section and material data of every ply and section.
  using materialdata::matidlist;
  using materialdata::peprops;
  using sectiondata::plythickness;
  using sectiondata::xcstrength;
  if (!plythickness.allocated() || !holds(plythickness, {np, ns}) || !xcstrength.allocated() ||
      !holds(xcstrength, {ns}) || !matidlist.allocated() || !holds(matidlist, {np, ns}) || !peprops.allocated() ||
      !holds(peprops, {9, np, ns})) {
    std::snprintf(why, len, "%s", short_data);
    return Lists::none;
  }
  if (const char* datum = build_data_unknown(isec)) {
    std::snprintf(why, len, "Buckling lists not built from non-finite %s in GetDamageFromDDS", datum);
    return Lists::none;
  }
  return Lists::build;
}

// Builds the buckling lists of every section and damage from the store, the
// delamination angles taken from section isec; the per-ply elastic constants
// are the first nine values of each peprops column. For data that
// buckling_lists found to hold the counts.
void build_buckling_lists(i4 isec) {
  using namespace sectiondata;
  using materialdata::matidlist;
  using materialdata::peprops;
  using bukdata::bukintdatalist;
  using bukdata::bukrealdatalist;
  const i4 np = nplies, ns = nsec, nd = ndmg, ni = np - 1;
  for (i4 e = 1; e <= nd; ++e)
    for (i4 i = 1; i <= ni; ++i) delamdds(3, i, e) = plyorientation(i, isec);
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
  Scratch<double, 256> delam(size_t(3) * ni * nd);
  Scratch<i4, 128> shape(size_t(ni) * nd);
  for (i4 e = 1; e <= nd; ++e)
    for (i4 i = 1; i <= ni; ++i) {
      for (i4 k = 1; k <= 3; ++k) delam[3 * (size_t(i - 1) + size_t(ni) * (e - 1)) + (k - 1)] = delamdds(k, i, e);
      shape[size_t(i - 1) + size_t(ni) * (e - 1)] = 1;
    }
  sublam::bukdata(bukrealdatalist.data(), bukintdatalist.data(), i4(bukrealdatalist.extent(2)),
                  i4(bukrealdatalist.extent(3)), i4(bukrealdatalist.extent(4)), delam, ni, shape, xcstrength.data(),
                  elastic, orient, thick, seclist, nd, np, ns, ihuge);
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
  return region_test(point, dmgcos, dmgcos, dmgorigin, *dmgangle, *a, *b, *modeid, *dmgid, *layid) > 0 ? 1 : 0;
}

VX_API void UpdateDDS(i4* ierror, const double* sdv, const double* gpcoords, const double* refcoords,
                      const double* refcos, const i4* ilay_, const i4* isec_, const i4* idmg_) {
  *ierror = 0;
  const i4 ilay = *ilay_, isec = *isec_, idmg = *idmg_;
  // Checked before the store is created from the counters: a count below 0 or
  // beyond the ply angles would size it wrongly.
  const char* why = section_disagrees(growth_refusal, ilay, isec);
  if (!why && ndmg < 0) why = growth_refusal.damage;
  if (why) {
    report(-2, why);
    return;
  }
  double g[9];
  ply_frame(g, refcos, sectiondata::plyorientation(ilay, isec), true);
  RArr3* cols[5] = {&generaldds, &fiberdds, &matrixdds, &delamdds, &coredds};
  // The damage card creates only the kinds it names (and the marker, so the
  // allocation keeps what it read): the kinds it left out are created here,
  // or a failure of such a mode would never be recorded.
  bool missing = !damagedds.allocated() || !userdds.allocated() || !bukdata::bukintdatalist.allocated() ||
                 !bukdata::bukrealdatalist.allocated();
  for (const RArr3* c : cols) missing = missing || !c->allocated();
  // The regions there are must hold the counts before more are created from
  // them, and after: the allocation raises the damage count to at least 1.
  if (missing && regions_hold(sectiondata::nplies, ndmg))
    allocatedamagedata(ierror, &sectiondata::nplies, &sectiondata::nsec, &ndmg);
  if (!regions_hold(sectiondata::nplies, ndmg)) {
    report(-2, growth_refusal.damage);
    return;
  }
  if (idmg < 1 || idmg > ndmg) {
    report(-2, "Damage outside the damage store in UpdateDDS");
    return;
  }
  // A flag that is not a number gives no verdict: that mode counts as failed.
  double flag[5];
  bool unknown = false;
  for (int m = 0; m < 5; ++m) {
    unknown = unknown || std::isnan(sdv[m]);
    flag[m] = std::isnan(sdv[m]) ? 1.0 : sdv[m];
  }
  if (unknown) report(-2, "NaN failure flag in UpdateDDS");
  // The top ply has no interface above it to delaminate.
  const double zero = 0.0;
  for (int m = 0; m < 5; ++m) {
    if (m == 3 && ilay >= sectiondata::nplies) continue;
    RArr3& a = *cols[m];
    double half[2] = {a(1, ilay, idmg), a(2, ilay, idmg)};
    getextentofprojecteddamage(half, gpcoords, refcoords, g, &zero, flag + m);
    a(1, ilay, idmg) = half[0];
    a(2, ilay, idmg) = half[1];
  }
}

VX_API void GetDamageFromDDS(double* sdv, const double* gpcoords, const double* refcos, const i4* ilay_,
                             const i4* isec_) {
  using bukdata::bukintdatalist;
  using bukdata::bukrealdatalist;
  const i4 ilay = *ilay_, isec = *isec_;
  // A point or frame that is not a finite number lies nowhere: no region can
  // be said to hold it or not.
  const char* why = !finite(gpcoords, 3)  ? "Point gpcoords not finite in GetDamageFromDDS"
                    : !finite(refcos, 9) ? "Frame refcos not finite in GetDamageFromDDS"
                                         : section_disagrees(query_refusal, ilay, isec);
  if (!why) why = store_disagrees();
  if (!why && !std::isfinite(sectiondata::plyorientation(ilay, isec))) why = ply_angle_unknown;
  if (why) {
    report(-2, why);
    return;
  }
  const i4 nd = ndmg, nint = sectiondata::nplies - 1;
  const double phi = sectiondata::plyorientation(ilay, isec);
  double g[9];
  ply_frame(g, refcos, phi, false);
  const bool delam = delamdds.allocated() && nd >= 1;
  // Without usable lists the query answers all but the buckling, and says so
  // once the answer stands; a single ply has no interface to buckle at.
  char lists_why[81] = "";
  const Lists lists = delam && nint >= 1 ? buckling_lists(lists_why, isec) : Lists::none;
  if (lists == Lists::build) build_buckling_lists(isec);
  bool stray_record = false;
  // A datum the answer rests on that is not a number leaves the state as it came.
  const char* nan = nullptr;
  double flag[6];
  for (int k = 0; k < 6; ++k) flag[k] = sdv[k];
  double rbuk = sdv[11];
  const i4 nrec = lists == Lists::none ? 0 : i4(bukintdatalist.extent(2));
  const Kind first[3] = {{&generaldds, "NaN half-axis in generaldds in GetDamageFromDDS"},
                         {&fiberdds, "NaN half-axis in fiberdds in GetDamageFromDDS"},
                         {&matrixdds, "NaN half-axis in matrixdds in GetDamageFromDDS"}};
  const Kind delams{&delamdds, "NaN half-axis in delamdds in GetDamageFromDDS"};
  const Kind cores{&coredds, "NaN half-axis in coredds in GetDamageFromDDS"};
  for (i4 d = 1; d <= nd; ++d) {
    double origin[3], angle;
    damage_plane(origin, angle, d);
    if (!finite(origin, 3) || !std::isfinite(angle)) {
      nan = "Damage origin or angle in dmgplane not finite in GetDamageFromDDS";
      break;
    }
    // Region of column col of a kind's array, as region_test answers it;
    // ellframe is the frame of the ply in which that region grew. An absent
    // array holds no point.
    auto in_region = [&](const Kind& kind, i4 col, i4 mode, const double* ellframe) {
      const RArr3& dds = *kind.dds;
      if (!dds.contains(2, col, d)) return 0;
      return region_test(gpcoords, g, ellframe, origin, angle, dds(1, col, d), dds(2, col, d), mode, d, ilay,
                         kind.nan, &nan);
    };
    int hit;
    for (i4 m = 0; m < 3; ++m) {
      if ((hit = in_region(first[m], ilay, m + 1, g)) < 0) break;
      if (hit) flag[m] = 1.0;
    }
    if (nan) break;
    if (delam) {
      // The interface below the ply (the top ply has none).
      if (ilay <= nint) {
        if ((hit = in_region(delams, ilay, 4, g)) < 0) break;
        if (hit) flag[3] = 1.0;
      }
      // Every record of the list, the remaining sub-laminate's included.
      for (i4 i = 1; i <= nrec; ++i) {
        const i4 j = bukintdatalist(1, i, d, isec), s = bukintdatalist(2, i, d, isec),
                 e = bukintdatalist(3, i, d, isec);
        if (!(s <= ilay && ilay <= e)) continue;
        // A record of the queried ply names the interface that bounds it.
        if (j < 1 || j > nint) {
          stray_record = true;
          continue;
        }
        // The region of interface j grew in the axes of ply j: test it there.
        double gj[9];
        if (j != ilay) {
          const double phij = sectiondata::plyorientation(j, isec);
          if (!std::isfinite(phij)) {
            nan = ply_angle_unknown;
            break;
          }
          ply_frame(gj, refcos, phij, false);
        } else {
          std::copy(g, g + 9, gj);
        }
        if ((hit = in_region(delams, j, 4, gj)) < 0) break;
        if (hit) {
          flag[5] = 1.0;
          rbuk = bukrealdatalist(2, i, d, isec);
          if (std::isnan(rbuk)) {
            nan = "NaN knock-down factor in bukrealdatalist in GetDamageFromDDS";
            break;
          }
        }
      }
      if (nan) break;
    }
    if ((hit = in_region(cores, ilay, 5, g)) < 0) break;
    if (hit) flag[4] = 1.0;
  }
  if (nan) {
    report(-2, nan);
    return;
  }
  if (lists_why[0]) report(-2, lists_why);
  else if (stray_record) report(-2, lists_disagree);
  for (int k = 0; k < 6; ++k) sdv[k] = std::max(sdv[k], flag[k]);
  // A delamination store caps the knock-down factor at 1.
  sdv[11] = std::min(rbuk, delam ? 1.0 : sdv[11]);
}
