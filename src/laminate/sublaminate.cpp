// Buckling of delaminated sub-laminates: the constant Ritz coefficient tables
// of the three plate shapes, the plate's bending and geometric stiffness, the
// buckling strain of one sub-laminate by power iteration, the sequence in
// which the sub-laminates of a delaminated stack buckle, and the buckling
// lists of every section and damage of the damage-region store.
//
// A record list holds max(nplies, 1) records: an analysis writes one record
// per pass and one for the remaining sub-laminate, and never more than the
// list holds.
#include "sublaminate_impl.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include "fixed.h"
#include "scratch.h"
#include "util.h"
#include "vexlan.h"
#include "vexlan/laminate.h"
#include "vexlan/lamina.h"
#include "vexlan/sublaminate.h"

namespace vx::sublam {
namespace {

struct Entry {
  int i, j;  // 1-based upper-triangle position
  double v;
};
struct Table {
  double factor;
  std::initializer_list<Entry> e;
};

void fill(double* m, const Table& t) {
  for (int k = 0; k < 36; ++k) m[k] = 0.0;
  for (const Entry& x : t.e) {
    m[(x.i - 1) + 6 * (x.j - 1)] = x.v * t.factor;
    m[(x.j - 1) + 6 * (x.i - 1)] = x.v * t.factor;
  }
}

// Kinds 1..5 (or 11, 22, 33, 16, 26) of a KK table, 1..3 (11, 22, 33) of a KG table.
int kk_kind(i4 k) {
  switch (k) {
    case 1: case 11: return 1;
    case 2: case 22: return 2;
    case 3: case 33: return 3;
    case 4: case 16: return 4;
    case 5: case 26: return 5;
    default: return 0;
  }
}
int kg_kind(i4 k) {
  const int r = kk_kind(k);
  return r <= 3 ? r : 0;
}

const Table kk_ellipse[5] = {
    {1.0, {{1, 1, 4.0}, {1, 5, 1.0 / 2}, {1, 6, 1.0 / 2}, {2, 2, 5.0 / 2}, {3, 3, 1.0 / 2}, {4, 4, 1.0 / 4},
           {5, 5, 27.0 / 20}, {5, 6, 1.0 / 20}, {6, 6, 3.0 / 20}}},
    {1.0, {{1, 1, 4.0}, {1, 5, 1.0 / 2}, {1, 6, 1.0 / 2}, {2, 2, 1.0 / 2}, {3, 3, 5.0 / 2}, {4, 4, 1.0 / 4},
           {5, 5, 3.0 / 20}, {5, 6, 1.0 / 20}, {6, 6, 27.0 / 20}}},
    {1.0, {{1, 1, 8.0 / 3}, {1, 5, 1.0 / 3}, {1, 6, 1.0 / 3}, {2, 2, 1.0}, {3, 3, 1.0}, {4, 4, 3.0 / 10},
           {5, 5, 11.0 / 30}, {5, 6, 1.0 / 6}, {6, 6, 11.0 / 30}}},
    {1.0, {{2, 3, 2.0}, {4, 5, 4.0 / 5}, {4, 6, 2.0 / 5}}},
    {1.0, {{2, 3, 2.0}, {4, 5, 2.0 / 5}, {4, 6, 4.0 / 5}}},
};
const Table kk_rectangle[5] = {
    {16384.0 / 1576575, {{1, 1, 1001}, {1, 5, 143}, {1, 6, 91}, {2, 2, 715}, {3, 3, 91}, {4, 4, 65},
                         {5, 5, 429}, {5, 6, 13}, {6, 6, 21}}},
    {16384.0 / 1576575, {{1, 1, 1001}, {1, 5, 91}, {1, 6, 143}, {2, 2, 91}, {3, 3, 715}, {4, 4, 65},
                         {5, 5, 21}, {5, 6, 13}, {6, 6, 429}}},
    {65536.0 / 1091475, {{1, 1, 99}, {2, 2, 33}, {3, 3, 33}, {4, 4, 11}, {5, 5, 9}, {6, 6, 9}}},
    {32768.0 / 363825, {{1, 4, -33}, {2, 3, 33}, {4, 5, 11}, {4, 6, 3}}},
    {32768.0 / 363825, {{1, 4, -33}, {2, 3, 33}, {4, 5, 3}, {4, 6, 11}}},
};
// Kind 2 is kind 1 with the plate's x and y exchanged (entries 2<->3, 5<->6),
// so that a plate and its mirror image buckle alike.
const Table kk_recttang[5] = {
    {64.0 / 315, {{1, 1, 21}, {1, 5, 21}, {1, 6, 3}, {2, 2, 63}, {3, 3, 3}, {4, 4, 9}, {5, 5, 441.0 / 5},
                  {5, 6, 3}, {6, 6, 1}}},
    {64.0 / 315, {{1, 1, 21}, {1, 5, 3}, {1, 6, 21}, {2, 2, 3}, {3, 3, 63}, {4, 4, 9}, {5, 5, 1},
                  {5, 6, 3}, {6, 6, 441.0 / 5}}},
    {64.0 / 315, {{1, 1, 35}, {1, 5, 7}, {1, 6, 7}, {2, 2, 21}, {3, 3, 21}, {4, 4, 63.0 / 5}, {5, 5, 11},
                  {5, 6, 7.0 / 5}, {6, 6, 11}}},
    {64.0 / 105, {{1, 4, -7}, {2, 3, 7}, {4, 5, 21.0 / 5}, {4, 6, 1}}},
    {64.0 / 105, {{1, 4, -7}, {2, 3, 7}, {4, 5, 1}, {4, 6, 21.0 / 5}}},
};
const Table kg_ellipse[3] = {
    {1.0, {{1, 1, 1.0 / 3}, {1, 6, 1.0 / 30}, {2, 2, 1.0 / 10}, {3, 3, 1.0 / 30}, {4, 4, 1.0 / 120},
           {5, 5, 1.0 / 40}, {6, 6, 1.0 / 120}}},
    {1.0, {{1, 1, 1.0 / 3}, {1, 5, 1.0 / 30}, {2, 2, 1.0 / 30}, {3, 3, 1.0 / 10}, {4, 4, 1.0 / 120},
           {5, 5, 1.0 / 120}, {6, 6, 1.0 / 40}}},
    {1.0, {{1, 4, -1.0 / 30}, {2, 3, 1.0 / 15}, {4, 5, 1.0 / 120}, {4, 6, 1.0 / 120}}},
};
const Table kg_rectangle[3] = {
    {32768.0 / 14189175, {{1, 1, 429}, {1, 6, 39}, {2, 2, 143}, {3, 3, 39}, {4, 4, 13}, {5, 5, 39}, {6, 6, 9}}},
    {32768.0 / 14189175, {{1, 1, 429}, {1, 5, 39}, {2, 2, 39}, {3, 3, 143}, {4, 4, 13}, {5, 5, 9}, {6, 6, 39}}},
    {16384.0 / 1091475, {{1, 4, -11}, {2, 3, 11}, {4, 5, 1}, {4, 6, 1}}},
};
const Table kg_recttang[3] = {
    {64.0 / 1575, {{1, 1, 35}, {1, 5, 7}, {1, 6, 5}, {2, 2, 21}, {3, 3, 5}, {4, 4, 3}, {5, 5, 11}, {5, 6, 1},
                   {6, 6, 5.0 / 3}}},
    {64.0 / 1575, {{1, 1, 35}, {1, 5, 5}, {1, 6, 7}, {2, 2, 5}, {3, 3, 21}, {4, 4, 3}, {5, 5, 5.0 / 3},
                   {5, 6, 1}, {6, 6, 11}}},
    {64.0 / 1575, {{1, 4, -7}, {2, 3, 7}, {4, 5, 1}, {4, 6, 1}}},
};

void table(double* m, const Table* tabs, int kind, const char* name) {
  if (kind == 0) {
    for (int k = 0; k < 36; ++k) m[k] = 0.0;
    char msg[128];
    std::snprintf(msg, sizeof msg, "Error: Default case in subroutine %s. Please check your input parameters.", name);
    report(-2, msg);
    return;
  }
  fill(m, tabs[kind - 1]);
}

const Table* kk_tables(i4 shape) {
  return shape == 1 ? kk_ellipse : shape == 2 ? kk_rectangle : kk_recttang;
}
const Table* kg_tables(i4 shape) {
  return shape == 1 ? kg_ellipse : shape == 2 ? kg_rectangle : kg_recttang;
}

constexpr double kMinHalfAxis = 1e-10, kStart = 1e20, kNothing = 1e19;

}  // namespace

void sub_kk(double* subkk, const double* dred, double a, double b, i4 shape) {
  for (int k = 0; k < 36; ++k) subkk[k] = 0.0;
  if (shape == 0) return;
  if (shape < 0 || shape > 3) {
    report(-2, "Error: Default case in subroutine GetSubKK. DShape has to be an integer between 0 and 3.");
    return;
  }
  const CMatRef<3, 3> d(dred);
  const double f[5] = {d(0, 0) * b / (a * a * a), d(1, 1) * a / (b * b * b), (d(0, 1) + 2.0 * d(2, 2)) / (a * b),
                       d(0, 2) / (a * a), d(1, 2) / (b * b)};
  double k[36];
  for (int t = 0; t < 5; ++t) {
    fill(k, kk_tables(shape)[t]);
    for (int e = 0; e < 36; ++e) subkk[e] = subkk[e] + f[t] * k[e];
  }
}

void sub_kg(double* subkg, const double* nglob, const double* abd, const double* abdinv, double a, double b,
            double dangle, i4 shape) {
  for (int k = 0; k < 36; ++k) subkg[k] = 0.0;
  if (shape == 0) return;
  if (shape < 0 || shape > 3) {
    report(-2, "Error: Default case in subroutine GetSubKG. DShape has to be an integer between 0 and 3.");
    return;
  }
  Mat3 t;
  const double r = dangle * pi / 180.0;
  const i4 three = 3, zero = 0;
  GetNyeTransformationMatrix(t.a, &r, &three, &zero, &zero);
  double nloc[3], e[3], p[3];
  matvec<3, 3>(nloc, t, nglob);
  const CMatRef<6, 6> A(abd), C(abdinv);
  matvec<3, 3>(e, C, nloc);
  matvec<3, 3>(p, A, e);
  const double f[3] = {p[0] * b / a, p[1] * a / b, p[2]};
  double g[36];
  for (int tt = 0; tt < 3; ++tt) {
    fill(g, kg_tables(shape)[tt]);
    for (int k = 0; k < 36; ++k) subkg[k] = subkg[k] + f[tt] * g[k];
  }
}

void buckling_strain(double* eps, double* nx, double* eigvec, const double* dsize, const double* nglob,
                     const double* elastic, const double* orient, const double* thick, i4 shape, i4 n) {
  const double a = dsize[0], b = dsize[1], theta = dsize[2];
  // Without a plate or without a load there is no eigenvalue to scale by:
  // the strain would come out NaN or infinite, so report and give 0.
  const bool no_plate = !(a > 0.0 && b > 0.0);
  if (no_plate || (nglob[0] == 0.0 && nglob[1] == 0.0 && nglob[2] == 0.0)) {
    *eps = *nx = 0.0;
    for (int k = 0; k < 6; ++k) eigvec[k] = 0.0;
    report(-2, no_plate ? "Error in GetSubLamBucklingStrain: half-axes must be positive."
                        : "Error in GetSubLamBucklingStrain: no load on the sub-laminate.");
    return;
  }
  double t = 0.0;
  for (i4 k = 0; k < n; ++k) t += thick[k];
  const double load[3] = {-nglob[0], -nglob[1], -nglob[2]};
  Mat3 A, B, D;
  Mat6 abd, c0, abdinv;
  const i4 six = 6;
  GetAMatrix(A.a, elastic, orient, thick, &n);
  GetBMatrix(B.a, elastic, orient, thick, &n);
  GetDMatrix(D.a, elastic, orient, thick, &n);
  GetABDMatrix(abd.a, A.a, B.a, D.a);
  MatrixInverse(abd.a, c0.a, &six);
  // The sub-laminate in the delamination's axes.
  Scratch<double, 64> rot(size_t(n > 0 ? n : 1));
  for (i4 k = 0; k < n; ++k) rot[k] = orient[k] - theta;
  GetAMatrix(A.a, elastic, rot, thick, &n);
  GetBMatrix(B.a, elastic, rot, thick, &n);
  GetDMatrix(D.a, elastic, rot, thick, &n);
  GetABDMatrix(abd.a, A.a, B.a, D.a);
  MatrixInverse(abd.a, abdinv.a, &six);
  Mat3 dred;
  GetReducedBendingStiffness(dred.a, A.a, B.a, D.a);
  Mat6 kk, kg, kkinv;
  sub_kk(kk.a, dred.a, a, b, shape);
  sub_kg(kg.a, load, abd.a, abdinv.a, a, b, theta, shape);
  MatrixInverse(kk.a, kkinv.a, &six);
  const Mat6 m = kkinv * kg;
  const i4 maxiter = 2000;
  const double start[6] = {1, 1, 1, 1, 1, 1}, tol = 1e-10;
  double lambda = 0.0;
  PowerIteration(&lambda, eigvec, m.a, &six, &maxiter, start, &tol);
  *eps = c0(0, 0) / lambda;
  *nx = 1.0 / (lambda * t);
}

void analysis(double* epsbuck, double* rl, i4* il, i4 cap, double compr, const double* elastic,
              const double* orient, const double* thick, const double* delam, const i4* dshape, i4 n,
              const char* routine) {
  *epsbuck = 0.0;
  // A delamination of unknown size, or a sub-laminate whose NaN data give no
  // buckling strain, may buckle first: the stack is not passed as unbuckled.
  bool unknown = false;
  using vx::util::any_nan;
  for (i4 k = 0; k < 12 * cap; ++k) rl[k] = 0.0;
  for (i4 k = 0; k < 4 * cap; ++k) il[k] = 0;
  const double nglob[3] = {-1.0, 0.0, 0.0};
  i4 start = 1, end = n, endint = n - 1, r = 1;
  bool written = false;
  auto dsc = [&](i4 i) { return delam + 3 * size_t(i - 1); };
  auto put = [&](i4 rec, const i4 ir[4], const double* rr) {
    if (rec < 1 || rec > cap) return;  // a list never overflows
    for (int k = 0; k < 4; ++k) il[4 * size_t(rec - 1) + k] = ir[k];
    for (int k = 0; k < 12; ++k) rl[12 * size_t(rec - 1) + k] = rr[k];
    written = true;
  };
  // Reals of a sub-laminate s..e over the delamination of interface i.
  auto evaluate = [&](double* rr, i4 s, i4 e, i4 i) {
    double eps, nx;
    const i4 m = e - s + 1;
    buckling_strain(&eps, &nx, rr + 6, dsc(i), nglob, elastic + 9 * size_t(s - 1), orient + (s - 1),
                    thick + (s - 1), dshape[i - 1], m);
    if (eps != eps && (any_nan(dsc(i), 3) || any_nan(elastic + 9 * size_t(s - 1), 9 * size_t(m)) ||
                       any_nan(orient + (s - 1), size_t(m)) || any_nan(thick + (s - 1), size_t(m))))
      unknown = true;
    rr[0] = eps;
    rr[1] = nx / compr;
    rr[2] = nx;
    for (int k = 0; k < 3; ++k) rr[3 + k] = dsc(i)[k];
  };
  do {
    if (endint < start) break;
    double minimum = kStart, pending_r[12] = {0};
    i4 pending_i[4] = {0, 0, 0, 0};
    for (i4 i = start; i <= endint; ++i) {
      if (!(dsc(i)[0] >= kMinHalfAxis && dsc(i)[1] >= kMinHalfAxis)) {
        unknown = unknown || any_nan(dsc(i), 2);
        continue;
      }
      const i4 sides[2][3] = {{start, i, 0}, {i + 1, end, 1}};
      for (const auto& sd : sides) {
        double rr[12];
        evaluate(rr, sd[0], sd[1], i);
        if (rr[0] < minimum) {
          minimum = rr[0];
          pending_i[0] = i;
          pending_i[1] = sd[0];
          pending_i[2] = sd[1];
          pending_i[3] = sd[2];
          for (int k = 0; k < 12; ++k) pending_r[k] = rr[k];
          if (!written) *epsbuck = rr[0];
        }
      }
    }
    if (minimum >= kNothing) break;
    if (pending_i[3] == 0) {
      start = pending_i[0] + 1;
    } else {
      end = pending_i[0];
      endint = pending_i[0] - 1;
    }
    put(r, pending_i, pending_r);
    ++r;
  } while (start != end);

  // The remaining sub-laminate, bounded by the larger of its delaminations.
  const double lower = start >= 2 ? dsc(start - 1)[0] * dsc(start - 1)[1] : -1.0;
  const double upper = end < n ? dsc(end)[0] * dsc(end)[1] : -1.0;
  if (lower < 0.0 && upper < 0.0) {
    const i4 ir[4] = {start, start, end, 0};
    double rr[12] = {0.0, 1.0, compr};
    put(r, ir, rr);
    *epsbuck = 0.0;
  } else {
    const i4 k = upper >= lower ? end : start - 1;
    const i4 ir[4] = {k, start, end, 0};
    double rr[12];
    evaluate(rr, start, end, k);
    put(r, ir, rr);
  }
  if (unknown) {
    char msg[80];
    std::snprintf(msg, sizeof msg, "NaN delamination or buckling strain in %s", routine);
    report(-2, msg);
    *epsbuck = std::numeric_limits<double>::quiet_NaN();
  }
}

i4 section_plies(const i4* list, i4 nplies, i4 defint) {
  bool used = false;
  i4 m = nplies;
  for (i4 k = 0; k < nplies; ++k) {
    if (list[k] != defint) used = true;
    else if (m == nplies) m = k;
  }
  return used ? m : -1;
}

void bukdata(double* rl, i4* il, i4 cap, i4 ndmg_l, i4 nsec_l, const double* delamdds, i4 ldint,
             const i4* dshape, const double* compr, const double* elastic, const double* orient,
             const double* thick, const i4* seclist, i4 ndmg, i4 nplies, i4 nsec, i4 defint) {
  const int64_t total = int64_t(cap) * ndmg_l * nsec_l;
  for (int64_t k = 0; k < 12 * total; ++k) rl[k] = 0.0;
  for (int64_t k = 0; k < 4 * total; ++k) il[k] = -1;
  for (i4 s = 1; s <= nsec && s <= nsec_l; ++s) {
    const i4 m = section_plies(seclist + size_t(nplies) * (s - 1), nplies, defint);
    if (m < 0) continue;
    for (i4 d = 1; d <= ndmg && d <= ndmg_l; ++d) {
      const size_t rec = size_t(cap) * ((d - 1) + size_t(ndmg_l) * (s - 1));
      double eps;
      analysis(&eps, rl + 12 * rec, il + 4 * rec, std::min(cap, std::max(m, 1)), compr[s - 1],
               elastic + 9 * size_t(nplies) * (s - 1), orient + size_t(nplies) * (s - 1),
               thick + size_t(nplies) * (s - 1), delamdds + 3 * size_t(ldint) * (d - 1),
               dshape + size_t(ldint) * (d - 1), m, "GetBukDataFromDDS");
    }
  }
}

}  // namespace vx::sublam

using namespace vx;
using namespace vx::sublam;

VX_API void GetKKEllipse(double* kk, const i4* t) { table(kk, kk_ellipse, kk_kind(*t), "GetKKEllipse"); }
VX_API void GetKKRectangle(double* kk, const i4* t) { table(kk, kk_rectangle, kk_kind(*t), "GetKKRectangle"); }
VX_API void GetKKRectTang(double* kk, const i4* t) { table(kk, kk_recttang, kk_kind(*t), "GetKKRectTang"); }
VX_API void GetKGEllipse(double* kg, const i4* t) { table(kg, kg_ellipse, kg_kind(*t), "GetKGEllipse"); }
VX_API void GetKGRectangle(double* kg, const i4* t) { table(kg, kg_rectangle, kg_kind(*t), "GetKGRectangle"); }
VX_API void GetKGRectTang(double* kg, const i4* t) { table(kg, kg_recttang, kg_kind(*t), "GetKGRectTang"); }

VX_API void GetSubKK(double* subkk, const double* dred, const double* a, const double* b, const i4* dshape) {
  sub_kk(subkk, dred, *a, *b, *dshape);
}

VX_API void GetSubKG(double* subkg, const double* nglob, const double* abd, const double* abdinv,
                     const double* a, const double* b, const double* dangle, const i4* dshape) {
  sub_kg(subkg, nglob, abd, abdinv, *a, *b, *dangle, *dshape);
}

VX_API void GetSubLamBucklingStrain(double* eps, double* nx, double* eigvec, const double* dsize,
                                    const double* nglob, const double* plyelastic, const double* plyorientation,
                                    const double* plythickness, const i4* dshape, const i4* nplies) {
  buckling_strain(eps, nx, eigvec, dsize, nglob, plyelastic, plyorientation, plythickness, *dshape, *nplies);
}

VX_API void DelaminatedBucklingAnalysis(double* epsbuck, double* bukrealdatalist, i4* bukintdatalist,
                                        const double* comprstrength, const double* plyelastic,
                                        const double* plyorientation, const double* plythickness,
                                        const double* plydelamination, const i4* plydshape, const i4* nplies) {
  // A negative ply count is an empty stack (n - 1 must not wrap).
  analysis(epsbuck, bukrealdatalist, bukintdatalist, std::max(*nplies, 1), *comprstrength, plyelastic,
           plyorientation, plythickness, plydelamination, plydshape, std::max(*nplies, 0));
}

VX_API void GetBukDataFromDDS(double* bukrealdatalist, i4* bukintdatalist, const double* delamdds,
                              const i4* plydshape, const double* comprstrength, const double* plyelastic,
                              const double* plyorientation, const double* plythickness, const i4* sectionlist,
                              const i4* ndmg, const i4* nplies, const i4* nsec, const i4* defint) {
  const i4 n = std::max(*nplies, 0), cap = std::max(n, 1);  // n - 1 must not wrap
  bukdata(bukrealdatalist, bukintdatalist, cap, std::max(*ndmg, 0), std::max(*nsec, 0), delamdds,
          std::max(n - 1, 0), plydshape, comprstrength, plyelastic, plyorientation, plythickness, sectionlist,
          *ndmg, n, *nsec, defint ? *defint : ihuge);
}
