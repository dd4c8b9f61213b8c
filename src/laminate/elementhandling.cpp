// Element data of the solver: the element-name kinds, element connectivity,
// nodal coordinates and motions copied into the per-element node slots, the
// reference orientation of each element gathered on its first visit (in the
// growable lists of one handle) and finalised into the element data, nodal
// patches around an element, and the geometry of two-node trusses.
//
// Element positions and node slots come from the process-wide element and
// node data; every walk is bounded by the allocated extents, and counts that
// reach past them (or below 0) record -2 instead of being walked. Absent
// arrays (no model read, or released) leave nothing to do.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include "listhandling_impl.h"

#include "data.h"
#include "fixed.h"
#include "elementhandling_impl.h"
#include "scratch.h"
#include "vexlan.h"
#include "vexlan/elementhandling.h"

using namespace vx;
using elem::cross, elem::dot3;

namespace {
// A count below 0 or beyond the arrays it counts: the data disagree.
}  // namespace

namespace vx::elem {

bool starts_with(const char* s, size_t n, const char* x) {
  const size_t k = std::strlen(x);
  return n >= k && std::memcmp(s, x, k) == 0;
}

int32_t kind_of(const char* s, size_t n) {
  if (!starts_with(s, n, "S") && !starts_with(s, n, "C")) return -1;
  static const struct {
    const char* name;
    int32_t kind;
  } table[] = {{"S4", 1},   {"S4R", 2}, {"S4R5", 3}, {"S8R", 4},  {"S8R5", 5},  {"S9R5", 6},
               {"S3", 7},   {"STRI", 8}, {"SC6", 9},  {"SC8", 10}, {"C3D", 11}};
  int32_t kind = 0;
  for (const auto& t : table)
    if (starts_with(s, n, t.name)) kind = t.kind;
  return kind;
}

bool in_ext2dkind(int32_t kind) {
  return kind == 0 || kind == 6 || kind == 7 || kind == 9 || kind == 10 || kind == 11;
}

ShellSet::ShellSet(int64_t columns) : columns_(std::max<int64_t>(columns, 0)) {
  using namespace elementdata;
  const int64_t n = nelem;
  fits_ = n >= 0 && n <= columns_;
  if (elemindices.allocated()) {
    // An index list shorter than the count cannot be the list of its
    // elements; entries past the count are not in use.
    index_ = elemindices.data();
    nindex_ = std::clamp<int64_t>(n, 0, elemindices.extent(1));
    if (n > elemindices.extent(1)) fits_ = false;
    for (int64_t k = 0; k < nindex_; ++k) {
      if (index_[k] < 1) continue;
      if (index_[k] > n || index_[k] > columns_) fits_ = false;
      else ++used_;
    }
  } else {
    used_ = std::clamp<int64_t>(n, 0, columns_);
  }
}

}  // namespace vx::elem

namespace {

// Position of a label among the first nelem entries of elemlist (first
// match, as far as elemlist reaches), 0 when absent.
struct LabelIndex {
  HashMap<int32_t, int32_t> pos;
  LabelIndex() {
    using namespace elementdata;
    if (!elemlist.allocated()) return;
    const int32_t n = static_cast<int32_t>(std::clamp<int64_t>(nelem, 0, elemlist.extent(1)));
    pos.reserve(size_t(n));
    for (int32_t i = n; i >= 1; --i) pos[elemlist(i)] = i;  // backwards: the first match stays
  }
  int32_t find(int32_t label) const {
    auto it = pos.find(label);
    return it == pos.end() ? 0 : it->second;
  }
};

const double neg_huge = -huge;

// What the integer and complex lists of a handle already hold, so that the
// first visit of an element is recognised without searching the lists. Both
// sets mirror their list as long as no list routine has run since the last
// append here (the lists' change counter says so); otherwise they are read again.
struct Gathered {
  HashSet<int32_t> labels;
  HashSet<int64_t> pairs;  // element label and section point, as one key
  uint64_t labels_at = 0, pairs_at = 0;  // change count the sets stand for
  bool labels_ok = false, pairs_ok = false;
};
Gathered gathered[3];

// After an append made here, every set that was current stays current: the
// append changed one list, and the set that mirrors it took the value too.
void keep_current(uint64_t before) {
  for (Gathered& g : gathered) {
    if (g.labels_at == before) g.labels_at = list_changes;
    if (g.pairs_at == before) g.pairs_at = list_changes;
  }
}

inline int64_t pair_key(int32_t label, int32_t point) {
  return int64_t(uint64_t(uint32_t(label)) << 32 | uint32_t(point));
}

// True when a complex list value is an exact pair of 32-bit integers.
bool integer_pair(const vx_complex& z, int64_t& key) {
  const double re = z.real(), im = z.imag();
  if (!(re >= -2147483648.0 && re <= 2147483647.0 && im >= -2147483648.0 && im <= 2147483647.0)) return false;
  const int32_t a = static_cast<int32_t>(re), b = static_cast<int32_t>(im);
  if (double(a) != re || double(b) != im) return false;
  key = pair_key(a, b);
  return true;
}

void sync_labels(Gathered& g, const int32_t* ind) {
  const int32_t f0 = 0;
  if (g.labels_ok && g.labels_at == list_changes) return;
  const int32_t n = GetSizeOfList(ind, &f0, nullptr, nullptr, nullptr);
  g.labels.clear();
  if (n > 0) {
    Vec<int32_t> v(static_cast<size_t>(n));
    int32_t ierr = 0;
    iGetCopyOfList(ind, v.data(), &n, &ierr);
    g.labels.insert(v.begin(), v.end());
  }
  g.labels_at = list_changes;
  g.labels_ok = true;
}

void sync_pairs(Gathered& g, const int32_t* ind) {
  const int32_t f2 = 2;
  if (g.pairs_ok && g.pairs_at == list_changes) return;
  const int32_t n = GetSizeOfList(ind, &f2, nullptr, nullptr, nullptr);
  g.pairs.clear();
  if (n > 0) {
    Vec<vx_complex> v(static_cast<size_t>(n));
    int32_t ierr = 0;
    cGetCopyOfList(ind, v.data(), &n, &ierr);
    for (const auto& z : v) {
      int64_t key;
      if (integer_pair(z, key)) g.pairs.insert(key);
    }
  }
  g.pairs_at = list_changes;
  g.pairs_ok = true;
}

// Appends a label without repeats: iresult 1 when stored, 0 when present.
void append_label(const int32_t* ind, const int32_t* label, int32_t* iresult) {
  const int32_t one = 1, zero = 0;
  // The list's own search for a handle it rejects, or for its empty-slot value.
  if (*ind < 1 || *ind > 3 || *label == ihuge) {
    iAppendScalar2List(ind, label, &one, iresult, nullptr, nullptr);
    return;
  }
  Gathered& g = gathered[*ind - 1];
  sync_labels(g, ind);
  if (g.labels.count(*label)) {
    *iresult = 0;
    return;
  }
  const uint64_t before = list_changes;
  iAppendScalar2List(ind, label, &zero, iresult, nullptr, nullptr);
  if (*iresult == 1) g.labels.insert(*label);
  keep_current(before);
}

// Appends the pair (label, point) without repeats, like append_label.
void append_pair(const int32_t* ind, int32_t label, int32_t point, int32_t* iresult) {
  const int32_t one = 1, zero = 0;
  const vx_complex z{double(label), double(point)};
  if (*ind < 1 || *ind > 3) {
    cAppendScalar2List(ind, &z, &one, iresult, nullptr, nullptr);
    return;
  }
  Gathered& g = gathered[*ind - 1];
  sync_pairs(g, ind);
  const int64_t key = pair_key(label, point);
  if (g.pairs.count(key)) {
    *iresult = 0;
    return;
  }
  const uint64_t before = list_changes;
  cAppendScalar2List(ind, &z, &zero, iresult, nullptr, nullptr);
  if (*iresult == 1) g.pairs.insert(key);
  keep_current(before);
}

}  // namespace

VX_API int32_t getabqelementkind(const char* elemtype, size_t elemtype_len) {
  return elem::kind_of(elemtype, elemtype_len);
}

VX_API void getabqelementconnectivity(int32_t* iele, const int32_t* connectivity, const int32_t* elemid,
                                      const char* elemtype, const int32_t* nconnect, size_t elemtype_len) {
  using namespace elementdata;
  const bool shell = elem::starts_with(elemtype, elemtype_len, "S");
  // Infinite elements (C followed by IN) carry no structural nodes.
  const bool solid = elem::starts_with(elemtype, elemtype_len, "C") &&
                     !(elemtype_len >= 3 && elemtype[1] == 'I' && elemtype[2] == 'N');
  if (!shell && !solid) return;
  // No element arrays (no model read, or released): nothing to store into.
  if (!elemlist.allocated() || !elemkind.allocated() || !elemnodes.allocated()) return;
  const int64_t i = int64_t(*iele) + 1;
  const int32_t nc = *nconnect;
  if (i < 1 || i > elemlist.extent(1) || i > elemkind.extent(1) || i > elemnodes.extent(2) || nc < 0 ||
      nc > elemnodes.extent(1)) {
    report(-2, "Index out of range in getabqelementconnectivity");
    return;
  }
  *iele = static_cast<int32_t>(i);
  elemlist(i) = *elemid;
  elemkind(i) = elem::kind_of(elemtype, elemtype_len);
  for (int32_t k = 1; k <= nc; ++k) elemnodes(k, i) = connectivity[k - 1];
}

VX_API void GetNodalCoordinates(const double* coordnp, const int32_t* nodeid, const int32_t* ncoord,
                                const int32_t* nblock) {
  using elementdata::elemnodes;
  using nodaldata::nodalcoords;
  if (*nblock < 1) return;
  const char* disagree = "Element or node data disagree with their counts in GetNodalCoordinates";
  // No arrays (no model read, or released): nothing to do.
  if (!elemnodes.allocated() || !nodalcoords.allocated()) return;
  const elem::ShellSet set(std::min(elemnodes.extent(2), nodalcoords.extent(3)));
  const int64_t nn = nodaldata::nnodes;
  if (!set.fits() || !elem::count_fits(nn, std::min(elemnodes.extent(1), nodalcoords.extent(2)))) {
    report(-2, disagree);
    return;
  }
  if (set.empty()) return;
  const int32_t given = std::clamp(*ncoord, 0, 3);
  const int32_t nc = static_cast<int32_t>(std::min<int64_t>(given, nodalcoords.extent(1)));
  const int64_t ldc = std::max(*ncoord, 0);
  bool dropped = false;  // a coordinate stored nowhere that is not zero
  for (int64_t k = 0; k < *nblock; ++k) {
    const int32_t id = nodeid[k];
    const double* x = coordnp + ldc * k;
    for (int64_t q = 0, m = set.size(); q < m; ++q) {
      const int32_t e = set.at(q);
      if (e == 0) continue;
      for (int64_t i = 1; i <= nn; ++i)
        if (elemnodes(i, e) == id) {
          for (int32_t c = 1; c <= nc; ++c) nodalcoords(c, i, e) = x[c - 1];
          for (int32_t c = nc; c < given && !dropped; ++c) dropped = x[c] != 0.0;
          break;
        }
    }
  }
  if (dropped) report(-2, "Node coordinates beyond the rows of nodalcoords in GetNodalCoordinates");
}

VX_API void ShellTractionTransformation(double* ntrac, double* nrot, const double* ti, const double* tcurv,
                                        const int32_t* ndim) {
  const int32_t nd = *ndim;
  if (nd > 3) {
    report(-2, "Index out of range in ShellTractionTransformation");
    return;
  }
  const CMatRef<3, 3> t(ti), c(tcurv);
  double v[3];
  matvec<3, 3>(v, c, ntrac);
  for (int i = 0; i < 3; ++i) ntrac[i] = v[i];
  double r[3] = {0.0, 0.0, 0.0};
  for (int32_t i = 0; i < nd; ++i) r[i] = nrot[i];
  const Mat3 tt = mul<3, 3, 3>(transpose(Mat3::load(ti)), t);
  const Mat3 m = mul<3, 3, 3>(c, tt);
  matvec<3, 3>(v, m, r);
  for (int32_t i = 0; i < nd; ++i) nrot[i] = v[i];
}

VX_API void GetNodesMotion(const double* ntraction, const double* nrotation, const int32_t* nodeid,
                           const int32_t* ndim, const int32_t* nblock, const double* defreal) {
  using elementdata::elemnodes;
  using namespace nodaldata;
  const int32_t nd = *ndim;
  if (nd > 3) {
    report(-2, "Index out of range in GetNodesMotion");
    return;
  }
  if (*nblock < 1) return;
  const char* disagree = "Element or node data disagree with their counts in GetNodesMotion";
  if (!elemnodes.allocated() || !nodesmotion.allocated() || !tcurvmatrices.allocated() ||
      !tnodalmatrices.allocated())
    return;  // no model read, or released: nothing to do
  // The transformations are read as whole 3 x 3 blocks, eight per element;
  // a motion slot holds at least the three translations.
  if (tnodalmatrices.extent(1) != 3 || tnodalmatrices.extent(2) != 3 || tnodalmatrices.extent(3) < 8 ||
      tcurvmatrices.extent(1) != 3 || tcurvmatrices.extent(2) != 3 || nodesmotion.extent(1) < 3) {
    report(-2, "Index out of range in GetNodesMotion");
    return;
  }
  const elem::ShellSet set(std::min({elemnodes.extent(2), nodesmotion.extent(3), tcurvmatrices.extent(3),
                                      tnodalmatrices.extent(4)}));
  const int64_t nn = nnodes, mrows = nodesmotion.extent(1);
  if (!set.fits() || !elem::count_fits(nn, std::min(elemnodes.extent(1), nodesmotion.extent(2))) ||
      !elem::count_fits(ndof, mrows)) {
    report(-2, disagree);
    return;
  }
  const double def = defreal ? *defreal : huge;
  // Rotations follow the three translations; a model of fewer than three
  // degrees of freedom per node has no row for them.
  const int32_t nrl = std::clamp(ndof, 3, 6) - 3;
  const int32_t ldr = std::max(nd, 0);
  const int32_t three = 3;
  for (int64_t k = 0; k < *nblock; ++k) {
    const double* tr = ntraction + 3 * k;
    const double* ro = nrotation + ldr * k;
    const bool notrans = tr[0] == def && tr[1] == def && tr[2] == def;
    bool norot = true;
    for (int32_t j = 0; j < nd; ++j) norot = norot && ro[j] == def;
    if (notrans && norot) continue;
    for (int64_t at = 0, m = set.size(); at < m; ++at) {
      const int32_t e = set.at(at);
      if (e == 0) continue;
      int64_t i = 1;
      while (i <= nn && elemnodes(i, e) != nodeid[k]) ++i;
      if (i > nn) continue;
      Mat3 ti = Mat3::identity(), tc = Mat3::identity();
      bool allzero = true;
      const double* tn = &tnodalmatrices(1, 1, 1, e);
      for (int q = 0; q < 72 && allzero; ++q) allzero = tn[q] == 0.0;
      const double* tcv = &tcurvmatrices(1, 1, e);
      for (int q = 0; q < 9 && allzero; ++q) allzero = tcv[q] == 0.0;
      if (!allzero) {
        tc = Mat3::load(tcv);
        ti = i <= 8 ? Mat3::load(&tnodalmatrices(1, 1, i, e)) : Mat3::identity();
      }
      double ntrac[3] = {tr[0], tr[1], tr[2]};
      double nrot[3] = {0.0, 0.0, 0.0};
      for (int32_t j = 0; j < nd; ++j) nrot[j] = ro[j];
      ShellTractionTransformation(ntrac, nrot, ti.data(), tc.data(), &three);
      if (!notrans)
        for (int c = 0; c < 3; ++c) nodesmotion(c + 1, i, e) = ntrac[c];
      if (!norot)
        for (int32_t c = 0; c < nrl; ++c) nodesmotion(4 + c, i, e) = nrot[c];
    }
  }
}

VX_API double GetABQElementOrientation(const double* rm, const double* tdirect) {
  const double* d1 = tdirect;
  const double* d2 = tdirect + 3;
  const double ex[3] = {1.0, 0.0, 0.0}, ey[3] = {0.0, 1.0, 0.0};
  double px[3], py[3], n[3], c[3];
  CoordinateProjection(d1, d2, ex, px, nullptr);
  CoordinateProjection(d1, d2, ey, py, nullptr);
  cross(px, py, n);
  const int32_t three = 3;
  const double angle = EuclideanAngle(px, rm, &three) * 57.29577951308232;
  cross(px, rm, c);
  return dot3(n, c) >= 0.0 ? angle : -angle;
}

VX_API void GetElementRefOrientation(int32_t* istatus, const int32_t* ind, const double*, const double* tdirect,
                                     const double* plyorientation, const int32_t* noel, const int32_t* kspt,
                                     const int32_t* layid, const int32_t* secid, const int32_t* nplies,
                                     const int32_t* nsec, const int32_t* nextid) {
  *istatus = 0;
  if (*layid == 1) {
    if (*secid < 1 || *secid > *nsec || *nplies < 1) {
      report(-2, "Index out of range in GetElementRefOrientation");
      return;
    }
    int32_t iresult = 0;
    append_label(ind, noel, &iresult);
    if (iresult == 1) {
      *istatus = 1;
      const double ref = plyorientation[int64_t(*nplies) * (*secid - 1)];
      double eul[3];
      GetEulerRotation(eul, tdirect);
      static const double ax[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
      double r[3] = {1.0, 0.0, 0.0}, rot[9], tmp[3];
      // In-plane reference angle about z, then the element's Euler rotations.
      const double angles[4] = {ref, eul[0], eul[1], eul[2]};
      const int axes[4] = {2, 0, 1, 2};
      for (int s = 0; s < 4; ++s) {
        const double a = angles[s] * 0.017453292519943295;
        GetRotationMatrix(rot, ax[axes[s]], &a);
        matvec<3, 3>(tmp, CMatRef<3, 3>(rot), r);
        std::memcpy(r, tmp, sizeof r);
      }
      const double theta = GetABQElementOrientation(r, tdirect);
      const double ex[3] = {1.0, 0.0, 0.0};
      double p[3], q[3], rec[7];
      CoordinateProjection(tdirect, tdirect + 3, ex, p, nullptr);
      cross(tdirect + 6, p, q);
      const double mt = -theta;
      rec[0] = theta;
      CoordinateRotation(tdirect + 6, p, rec + 1, &mt);
      CoordinateRotation(tdirect + 6, q, rec + 4, &mt);
      const int32_t seven = 7, zero = 0;
      int32_t ir = 0;
      const uint64_t before = list_changes;  // the real list: the sets stay current
      fAppendArray2List(ind, rec, &seven, &zero, &ir, nullptr, nullptr);
      keep_current(before);
    }
  }
  if (*nextid != -1 && *nextid != 2) {
    int32_t iresult = 0;
    append_pair(ind, *noel, *kspt, &iresult);
    *istatus = iresult == 1 ? 1 : 0;
  }
}

VX_API void GetElementReferenceData(int32_t* nshell, int32_t* ierror, const int32_t* ind) {
  using namespace elementdata;
  using sectiondata::nsectionpoints;
  *nshell = 0;
  *ierror = 0;
  if (nsectionpoints.allocated()) nsectionpoints.fill(-1);
  if (elemreforientation.allocated()) elemreforientation.fill(-1.0);
  // Every array read or filled here must hold the count's elements, and so
  // must the index list or, without it, the kinds it is built from; an absent
  // array takes no part (no model read, or released). Otherwise no index list
  // is sized by the count, and the lists of ind are still read and released
  // below.
  int64_t room = INT64_MAX;
  if (elemindices.allocated()) room = elemindices.extent(1);
  else if (elemkind.allocated()) room = elemkind.extent(1);
  if (elemlist.allocated()) room = std::min(room, elemlist.extent(1));
  if (nsectionpoints.allocated()) room = std::min(room, nsectionpoints.extent(1));
  if (elemreforientation.allocated()) room = std::min(room, elemreforientation.extent(2));
  if (!elem::count_fits(nelem, room)) {
    report(-2, "Element data disagree with their count in GetElementReferenceData");
  } else if (!elemindices.allocated() && elemkind.allocated()) {
    elemindices.allocate({nelem});
    elemindices.fill(-1);
    int32_t c = 0;
    for (int64_t e = 1; e <= nelem; ++e)
      if (!elem::in_ext2dkind(elemkind(e))) elemindices(++c) = static_cast<int32_t>(e);
    *nshell = c;
    if (c == nelem) elemindices.free();  // all shells: the whole range is the shell set
  }
  const int32_t f0 = 0, f1 = 1, f2 = 2;
  const int32_t ni = std::max(GetSizeOfList(ind, &f0, nullptr, nullptr, nullptr), 1);
  const int32_t nr = std::max(GetSizeOfList(ind, &f1, nullptr, nullptr, nullptr), 1);
  const int32_t nz = std::max(GetSizeOfList(ind, &f2, nullptr, nullptr, nullptr), 1);
  Vec<int32_t> labels(size_t(ni), 0);
  Vec<double> recs(size_t(nr), 0.0);
  int32_t e1 = 0, e2 = 0;
  iGetCopyOfList(ind, labels.data(), &ni, &e1);
  fGetCopyOfList(ind, recs.data(), &nr, &e2);
  if (e1 != 0 || e2 != 0) {
    *ierror = -1;
  } else {
    const LabelIndex idx;
    const bool can_store = elemreforientation.allocated() && elemreforientation.extent(1) >= 7;
    if (elemreforientation.allocated() && !can_store) report(-2, "Index out of range in GetElementReferenceData");
    for (int32_t k = 0; k < ni; ++k) {
      const int32_t pos = idx.find(labels[size_t(k)]);
      if (pos == 0 || !can_store || pos > elemreforientation.extent(2)) continue;
      if (int64_t(7) * (k + 1) > nr) break;  // no record for this label
      for (int j = 0; j < 7; ++j) elemreforientation(j + 1, pos) = recs[size_t(7 * k + j)];
    }
    Vec<vx_complex> pairs(static_cast<size_t>(nz));
    int32_t e3 = 0;
    cGetCopyOfList(ind, pairs.data(), &nz, &e3);
    if (e3 == 0 && nsectionpoints.allocated()) {
      nsectionpoints.fill(1);
      for (const auto& p : pairs) {
        if (!(std::fabs(p.real()) < 2147483647.0) || !(std::fabs(p.imag()) < 2147483647.0)) continue;
        const int32_t pos = idx.find(static_cast<int32_t>(p.real()));
        if (pos == 0 || pos > nsectionpoints.extent(1)) continue;
        nsectionpoints(pos) = std::max(nsectionpoints(pos), static_cast<int32_t>(p.imag()));
      }
    }
  }
  // The lists are released whatever happened above; a release that succeeds
  // must not wipe out a missing list reported before it.
  for (int32_t f : {f0, f1, f2}) {
    vx_l1 alloc = 0;
    GetAllocationStatus(&alloc, ind, &f);
    int32_t released = 0;
    if (alloc) DeallocateList(ind, &f, &released);
    if (*ierror == 0) *ierror = released;
  }
  if (*ind >= 1 && *ind <= 3) gathered[*ind - 1] = Gathered{};
}

namespace {

inline bool is_empty(const double* p) { return p[0] == neg_huge && p[1] == neg_huge && p[2] == neg_huge; }
inline bool same_point(const double* x, const double* y) { return x[0] == y[0] && x[1] == y[1] && x[2] == y[2]; }

// Drops exact repeats from the stored points of a patch region (those before
// its first empty slot), keeps their order, closes the gaps; the count left.
int32_t drop_repeats(double* patch, int32_t npt) {
  int32_t used = 0;
  while (used < npt && !is_empty(patch + 3 * int64_t(used))) ++used;
  int32_t w = 0;
  for (int32_t s = 0; s < used; ++s) {
    const double* x = patch + 3 * int64_t(s);
    bool rep = false;
    for (int32_t t = 0; t < w && !rep; ++t) rep = same_point(x, patch + 3 * int64_t(t));
    if (rep) continue;
    if (w != s)
      for (int c = 0; c < 3; ++c) patch[3 * int64_t(w) + c] = x[c];
    ++w;
  }
  for (int64_t k = 3 * int64_t(w); k < 3 * int64_t(used); ++k) patch[k] = neg_huge;
  return w;
}

// Elements by node label, so that the neighbours of an element are found
// without a walk over the whole mesh; a single search (one level) walks the
// mesh once instead of sorting it. Unused slots (labels 0 or below) hold no
// node and make no element a neighbour.
class NodeIndex {
 public:
  NodeIndex(const int32_t* nodes, int32_t nnodes, int32_t nelem, bool sorted)
      : nodes_(nodes), nnodes_(nnodes), nelem_(nelem), sorted_(sorted) {
    if (!sorted) return;
    for (int32_t e = 1; e <= nelem; ++e)
      for (int32_t a = 0; a < nnodes; ++a)
        if (label(e, a) > 0) by_label_.emplace_back(label(e, a), e);
    std::sort(by_label_.begin(), by_label_.end());
  }
  int32_t label(int32_t e, int32_t a) const { return nodes_[a + int64_t(nnodes_) * (e - 1)]; }
  // The elements sharing a node with e, in ascending position; e itself
  // among them when it has a node, unless it is left out.
  void neighbours(Vec<int32_t>& out, int32_t e, bool leave_out_e) const {
    out.clear();
    if (!sorted_) {
      for (int32_t m = 1; m <= nelem_; ++m)
        if (!(leave_out_e && m == e) && shares_node(m, e)) out.push_back(m);
      return;
    }
    for (int32_t b = 0; b < nnodes_; ++b) {
      const int32_t lb = label(e, b);
      if (lb <= 0) continue;
      auto it = std::lower_bound(by_label_.begin(), by_label_.end(), std::make_pair(lb, int32_t(0)));
      for (; it != by_label_.end() && it->first == lb; ++it)
        if (!(leave_out_e && it->second == e)) out.push_back(it->second);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
  }

 private:
  bool shares_node(int32_t m, int32_t e) const {
    for (int32_t a = 0; a < nnodes_; ++a) {
      if (label(m, a) <= 0) continue;
      for (int32_t b = 0; b < nnodes_; ++b)
        if (label(m, a) == label(e, b)) return true;
    }
    return false;
  }
  const int32_t* nodes_;
  int32_t nnodes_, nelem_;
  bool sorted_;
  Vec<std::pair<int32_t, int32_t>> by_label_;
};

// The depth from which a deeper search reaches no further element, at most
// ntree: level k holds the elements k steps from the seed, and once a level
// adds none the patch no longer changes with the depth. reached marks the
// elements whose nodes the patch collects; level starts as the seed's
// neighbours.
int32_t settled_depth(Vec<char>& reached, const NodeIndex& index, Vec<int32_t> level, int32_t nelem,
                      int32_t ntree) {
  reached.assign(size_t(nelem) + 1, 0);
  Vec<int32_t> next, nb;
  for (int32_t m : level) reached[m] = 1;
  int32_t depth = 1;
  while (depth < ntree && !level.empty()) {
    next.clear();
    for (int32_t f : level) {
      index.neighbours(nb, f, true);
      for (int32_t m : nb)
        if (!reached[m]) {
          reached[m] = 1;
          next.push_back(m);
        }
    }
    if (next.empty()) break;
    level.swap(next);
    ++depth;
  }
  return depth;
}

inline double distance(const double* x, const double* y) {
  return std::sqrt((x[0] - y[0]) * (x[0] - y[0]) + (x[1] - y[1]) * (x[1] - y[1]) + (x[2] - y[2]) * (x[2] - y[2]));
}

// The patch search with its deeper levels: each neighbour's own neighbours
// are searched into the empty tail of the patch before the next neighbour.
// The levels are kept on an explicit stack, so a deep search cannot exhaust
// the call stack. A search from an element that an earlier, finished search
// from it already covered to at least the same depth can add no point: it is
// skipped. With the depth limited to where the patch settles, the work grows
// with the mesh, not exponentially with the depth.
// Returns false when points were lost for want of room.
bool nodal_patch(double* patch, const double* coords, const int32_t* nodes, int32_t seed, int32_t npt,
                 int32_t nnodes, int32_t nelem, double tol, bool include_seed, int32_t ntree) {
  struct Level {
    int64_t base;  // first point of this level's region
    int32_t seed, cap, ntree;
    double tol;
    int64_t cuts;          // cuts made before this level began
    Vec<int32_t> nb;       // the seed's neighbours, ascending
    size_t next = 0;       // next neighbour
    int32_t n = 0;         // points stored
    bool waiting = false;  // a deeper level runs for neighbour next
  };
  const NodeIndex index(nodes, nnodes, nelem, ntree > 1);
  Vec<int32_t> first;
  index.neighbours(first, seed, !include_seed);
  Vec<char> reached;
  ntree = settled_depth(reached, index, first, nelem, ntree);
  Vec<int32_t> covered(size_t(nelem) + 1, 0);  // depth of the finished search from each element
  int64_t cuts = 0;  // points turned away or searches not made for want of room
  Vec<Level> levels;
  levels.push_back(Level{0, seed, npt, ntree, tol, 0, std::move(first)});
  while (!levels.empty()) {
    Level& l = levels.back();
    double* region = patch + 3 * l.base;
    if (l.waiting) {
      l.waiting = false;
      l.n = drop_repeats(region, l.cap);
      ++l.next;
      continue;
    }
    if (l.next >= l.nb.size()) {
      // Only a search that the room did not cut short covers its element.
      if (levels.size() > 1 && cuts == l.cuts) covered[l.seed] = std::max(covered[l.seed], l.ntree);
      levels.pop_back();
      continue;
    }
    const int32_t m = l.nb[l.next];
    for (int32_t a = 0; a < nnodes; ++a) {
      if (index.label(m, a) <= 0) continue;  // an unused slot holds no node
      const double* x = coords + 3 * (int64_t(a) + int64_t(nnodes) * (m - 1));
      bool seen = false;
      // A point the levels above already hold would be dropped again when
      // they close their gaps: it takes no slot here, so a deep search does
      // not fill the patch with repeats.
      for (int64_t s = 0; s < l.base && !seen; ++s) seen = same_point(x, patch + 3 * s);
      for (int32_t s = 0; s < l.n && !seen; ++s) seen = distance(x, region + 3 * int64_t(s)) <= l.tol;
      if (seen) continue;
      if (l.n >= l.cap) {  // a full patch takes no more points; whether one is lost is settled at the end
        ++cuts;
        continue;
      }
      for (int c = 0; c < 3; ++c) region[3 * int64_t(l.n) + c] = x[c];
      ++l.n;
    }
    if (l.ntree > 1 && l.n >= l.cap) ++cuts;
    if (l.ntree > 1 && l.n < l.cap && covered[m] < l.ntree - 1) {
      l.waiting = true;
      Level deeper{l.base + l.n, m, l.cap - l.n, l.ntree - 1, 1e-10, cuts, {}};
      index.neighbours(deeper.nb, m, true);
      levels.push_back(std::move(deeper));  // l is not used past this point
      continue;
    }
    ++l.next;
  }
  if (cuts == 0) return true;
  // A point turned away from a full region may have found room later, or
  // stand in the patch already: only a node of a reached element that the
  // patch lacks is lost. (Searches not made for want of room turn no point
  // away themselves, so every reached element is looked at.)
  const double near = std::max(tol, 1e-10);
  for (int32_t m = 1; m <= nelem; ++m) {
    if (!reached[m]) continue;
    for (int32_t a = 0; a < nnodes; ++a) {
      if (index.label(m, a) <= 0) continue;
      const double* x = coords + 3 * (int64_t(a) + int64_t(nnodes) * (m - 1));
      bool held = false;
      for (int32_t s = 0; s < npt && !held; ++s) {
        const double* y = patch + 3 * int64_t(s);
        held = !is_empty(y) && distance(x, y) <= near;
      }
      if (!held) return false;
    }
  }
  return true;
}

}  // namespace

VX_API void GetNodalPatch(double* nodalpatch, const double* nodalcoords, const int32_t* elemnodes,
                          const int32_t* elemid, const int32_t* npt, const int32_t* nnodes, const int32_t* nelem,
                          const double* tolerance, const int32_t* exflag, const int32_t* ntree,
                          const int32_t* recursion) {
  if (*elemid < 1 || *elemid > *nelem || *npt < 0 || *nnodes < 1) {
    report(-2, "Index out of range in GetNodalPatch");
    return;
  }
  if (!(recursion && *recursion < 0))
    for (int64_t k = 0; k < 3 * int64_t(*npt); ++k) nodalpatch[k] = neg_huge;
  if (!nodal_patch(nodalpatch, nodalcoords, elemnodes, *elemid, *npt, *nnodes, *nelem,
                   tolerance ? *tolerance : 1e-10, exflag && *exflag == 1, ntree ? std::max(*ntree, 1) : 1))
    report(-2, "Patch too small in GetNodalPatch: points dropped");
}

VX_API void GetDataFromPatch(double* patchdata, const double* refdata, const double* patchcoords,
                             const double* refcoords, const int32_t* ndata, const int32_t* npt, const int32_t* ndim,
                             const int32_t* nnodes, const int32_t* nelem, const double* tolerance) {
  const double tol = tolerance ? *tolerance : 1e-10;
  const int64_t nd = std::max(*ndata, 0), np = std::max(*npt, 0), nm = std::max(*ndim, 0);
  const int64_t nref = int64_t(std::max(*nnodes, 0)) * std::max(*nelem, 0);
  for (int64_t k = 0; k < nd * np; ++k) patchdata[k] = 0.0;
  for (int64_t i = 0; i < np; ++i) {
    const double* p = patchcoords + nm * i;
    for (int64_t r = 0; r < nref; ++r) {
      const double* q = refcoords + nm * r;
      double s = 0.0;
      for (int64_t c = 0; c < nm; ++c) s += (p[c] - q[c]) * (p[c] - q[c]);
      if (std::sqrt(s) <= tol)
        for (int64_t c = 0; c < nd; ++c) patchdata[nd * i + c] = refdata[nd * r + c];
    }
  }
}

VX_API void GetTruss3ElemLength(double* elemlength, const double* nodalcoord) {
  const double d[3] = {nodalcoord[3] - nodalcoord[0], nodalcoord[4] - nodalcoord[1], nodalcoord[5] - nodalcoord[2]};
  const int32_t three = 3;
  *elemlength = VectorNorm(d, &three);
}

VX_API void GetTruss3TransformationMatrix(double* te, const double* nodalcoord) {
  double len;
  GetTruss3ElemLength(&len, nodalcoord);
  for (int k = 0; k < 12; ++k) te[k] = 0.0;
  for (int c = 0; c < 3; ++c) {
    const double dc = (nodalcoord[3 + c] - nodalcoord[c]) / len;
    te[0 + 2 * c] = dc;        // te(1, c)
    te[1 + 2 * (3 + c)] = dc;  // te(2, 3 + c)
  }
}
