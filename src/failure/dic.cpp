// Compression failure of laminate specimens from a measured distribution of
// the average compressive stress across the width: the distribution is
// weighted towards the free edges, its governing point found from the peaks of
// the measured curve and the valleys of the weighted one beside them, and the
// whole scaled so that the governing point reaches the compressive strength.
// Also two scalar strength factors: one for a stack split by delaminations
// (the thickest sub-laminate of equal knock-down carries the load) and one for
// a plate with a central open hole. Called from Python on whole test records,
// so work arrays sized by the measurement live in scratch storage.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "../laminate/laminate_clt.h"
#include "scratch.h"
#include "util.h"
#include "vexlan/dic.h"
#include "vexlan/laminate.h"
#include "vexlan/math_linalg.h"
#include "vexlan/signalprocessing.h"
#include "vx.h"

using vx::i4;

namespace {

constexpr double peak_threshold = 0.05;  // on the min-max normalised measured stress

double sum_of(const double* v, i4 n) {
  double s = 0.0;
  for (i4 i = 0; i < n; ++i) s += v[i];
  return s;
}

// First position of the largest value of v(0..n-1).
i4 first_max(const double* v, i4 n) {
  i4 m = 0;
  for (i4 k = 1; k < n; ++k)
    if (v[k] > v[m]) m = k;
  return m;
}

// First position of the largest value strictly below v[top]; -1 when every
// value equals it.
i4 first_max_below(const double* v, i4 n, i4 top) {
  i4 m = -1;
  for (i4 k = 0; k < n; ++k)
    if (v[k] < v[top] && (m < 0 || v[k] > v[m])) m = k;
  return m;
}

// Index (0-based) of a peak table position, which the detector gives as 1..n.
i4 peak_index(double pos, i4 n) {
  const i4 k = i4(pos) - 1;
  return k < 0 ? 0 : (k >= n ? n - 1 : k);
}

}  // namespace

VX_API void GetComprFailurebyDIC(double* fresult, double* fcomprstressdistribution,
                                 const double* avgcomprstress, const double* coords,
                                 const double* plythickness, const double* alpha,
                                 const double* comprstrength, const double* load,
                                 const double* displacement, const double* length,
                                 const double* width, const int32_t* nplies,
                                 const int32_t* nstress) {
  for (int k = 0; k < 4; ++k) fresult[k] = 0.0;
  const i4 n = *nstress;
  if (n < 1) {
    vx::report(-2, "Error in GetComprFailurebyDIC: no measured stress values.");
    return;
  }
  const size_t ld = size_t(n);
  double* out_m = fcomprstressdistribution;
  double* out_w = fcomprstressdistribution + ld;
  for (size_t k = 0; k < ld; ++k) out_m[k] = out_w[k] = 0.0;
  // A measured value that is not a number could be the governing one: the
  // peak and valley searches would pass over it and scale by the others.
  if (vx::util::any_nan(avgcomprstress, ld) || vx::util::any_nan(coords, ld)) {
    vx::report(-2, "Error in GetComprFailurebyDIC: NaN measured stress or position.");
    return;
  }

  const double t = sum_of(plythickness, *nplies);
  const double a = *alpha, w = *width;

  // pos, ms, ws: |x|, |s| and |weighted s| in ascending order of x; z the
  // normalised measured stress; then the two peak tables (n, 2).
  vx::Scratch<double, 8 * 64> work(8 * ld);
  double *pos = work, *ms = pos + ld, *ws = ms + ld, *z = ws + ld;
  double *maxtab = z + ld, *mintab = maxtab + 2 * ld;
  vx::Scratch<i4, 64> order(ld);
  vx::util::get_continuous(coords, n, order.get(), 1);
  for (size_t k = 0; k < ld; ++k) {
    const size_t i = size_t(order[k] - 1);
    const double x = coords[i], s = avgcomprstress[i];
    pos[k] = std::fabs(x);
    ms[k] = std::fabs(s);
    ws[k] = std::fabs((1.0 + a * std::sqrt(2.0 * std::fabs(x / w))) * s);
  }

  // The largest measured value and the largest one below it; a flat curve
  // has no second value and takes the first one for both.
  const i4 top = first_max(ms, n);
  i4 m1 = top;
  i4 m2 = first_max_below(ms, n, top);
  if (m2 < 0) m2 = m1;
  if (m2 < m1) std::swap(m1, m2);

  // A flat curve cannot be normalised and has no peaks.
  i4 npeaks = 0, nvalleys = 0;
  {
    double lo = ms[0], hi = ms[0];
    for (i4 k = 1; k < n; ++k) {
      lo = std::fmin(lo, ms[k]);
      hi = std::fmax(hi, ms[k]);
    }
    if (hi > lo) {
      VectorNormalize(ms, z, nstress);
      GetPeaks(maxtab, mintab, &npeaks, &nvalleys, z, &peak_threshold, nstress, nullptr);
    }
  }

  i4 g;
  bool no_valley = false;
  if (npeaks == 1) {
    // One peak: the weakest-loaded point governs.
    g = 0;
    for (i4 k = 1; k < n; ++k)
      if (ws[k] < ws[g]) g = k;
  } else {
    i4 q1, q2;
    if (npeaks == 0) {
      // Nothing stands out by the threshold (a curve rising to its end, or
      // a flat one): the global maximum of the measured stress stands in for
      // the peak.
      q1 = q2 = top;
    } else {
      const double* pv = maxtab + ld;  // peak values
      const i4 h1 = first_max(pv, npeaks);
      i4 h2 = first_max_below(pv, npeaks, h1);
      // Peaks all of one height: the next of them serves as the second.
      if (h2 < 0) h2 = h1 == 0 ? 1 : 0;
      q1 = peak_index(maxtab[h1], n);
      q2 = peak_index(maxtab[h2], n);
      if (q2 < q1) std::swap(q1, q2);
    }
    if (m2 - m1 != 1) {
      m1 = std::min(m1, q1);
      m2 = std::max(m2, q2);
    } else {
      m1 = q1;
      m2 = q2;
    }
    // Walk outwards to the valleys of the weighted stress beside the peaks.
    while (m1 > 0 && ws[m1 - 1] <= ws[m1]) --m1;
    while (m2 < n - 1 && ws[m2 + 1] <= ws[m2]) ++m2;
    no_valley = m1 == 0 && m2 == n - 1;
    g = ws[m1] > ws[m2] ? m1 : m2;
  }

  // A governing point that carries no weighted stress admits no finite scale:
  // the failure load would be infinite. This is a failure, not the note below,
  // so it is recorded first and the outputs stay 0.
  const double f = std::fabs(*comprstrength / ws[g]);
  if (ws[g] == 0.0 || std::isinf(f)) {
    vx::report(-2, "Error in GetComprFailurebyDIC: no weighted stress at the governing point.");
    return;
  }
  if (no_valley)
    vx::report(-1, "The extreme value point of weighted stressdistribution curve can not be found");
  fresult[0] = std::fabs(*load) * f;
  fresult[1] = std::fabs(*displacement) * f / *length;
  fresult[2] = std::fabs(*load) * f / (t * w);
  fresult[3] = pos[g];
  for (size_t k = 0; k < ld; ++k) {
    out_m[k] = f * ms[k];
    out_w[k] = f * ws[k];
  }
}

VX_API double GetDmgInfluenceFactor(const double* plythickness, const double* bukrealdatalist,
                                    const int32_t* bukintdatalist, const int32_t* nplies) {
  const i4 n = *nplies;
  if (n < 1) return 1.0;
  vx::Scratch<double, 64> r{size_t(n)};
  for (i4 k = 0; k < n; ++k) r[k] = 1.0;
  // Record i covers plies s..e with its knock-down factor; later records win.
  // Ranges reaching past the stack are clipped to it.
  for (i4 i = 0; i + 1 < n; ++i) {
    const int32_t* rec = bukintdatalist + 4 * size_t(i);
    i4 s = rec[1], e = rec[2];
    if (s == 0 || e == 0 || s > e) continue;
    s = std::max(s, i4(1));
    e = std::min(e, n);
    const double knock = bukrealdatalist[12 * size_t(i) + 1];
    for (i4 k = s - 1; k < e; ++k) r[k] = knock;
  }
  // Thickest run of consecutive plies with one factor, summed in the same
  // order as the total so that one run over the whole stack gives q = 0.
  const double t = sum_of(plythickness, n);
  double big = 0.0, run = 0.0;
  for (i4 k = 0; k < n; ++k) {
    run = (k > 0 && r[k] == r[k - 1]) ? run + plythickness[k] : plythickness[k];
    big = std::fmax(big, run);
  }
  const double q = 1.0 - big / t;
  if (q == 0.0) return 1.0;
  return std::pow(2.0 * q, q);
}

VX_API double GetCentralOpenHoleFactor(const double* plyelastic, const double* plyorientation,
                                       const double* plythickness, const double* kt,
                                       const double* radius, const double* width,
                                       const int32_t* nplies) {
  const i4 n = *nplies > 0 ? *nplies : 0;
  double t = sum_of(plythickness, n);
  double a[9], b[9], d[9], abd[36], eng[8];
  vx::lam::stack_abd(a, b, d, plyelastic, plyorientation, plythickness, n);
  GetABDMatrix(abd, a, b, d);
  GetEngConstsFromABDMatrix(eng, abd, &t, nullptr);
  const double x = 2.0 * *radius / *width;
  const double c = *kt - 3.0;
  // a(0) = A11, a(3) = A12, a(4) = A22 (column-major); eng[3] membrane nuxy.
  return *kt * (std::pow(x, x + 1.0) - x * x) +
         std::fabs((a[0] + a[3]) / (2.0 * a[4] * (c * c + 1.0)) - eng[3]);
}
