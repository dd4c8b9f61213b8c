// Fracture-mechanics helpers: the critical energy release rate of a mixed-mode
// traction, weighted by the squared traction components, and whether a crack
// on a rotated plane is open or closed under the current stress.
#include <cmath>
#include <limits>
#include "vexlan/fracture.h"
#include "vexlan/lamina.h"
#include "vx.h"

using vx::i4;

VX_API void GetEquivalentMixedModeERR(double* geq, const double* traction, const double* gc,
                                      const i4* n) {
  if (*n < 3) {  // gc holds fewer values than any weighting reads
    vx::report(-2, "Fewer than 3 critical values in GetEquivalentMixedModeERR");
    *geq = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  const double t1 = traction[0], t2 = traction[1], t3 = traction[2];
  const double tn2 = t1 * t1 + t2 * t2 + t3 * t3;
  if (*n == 4) {
    // Opening and closing normal tractions have critical values of their own.
    const double tp = std::fmax(t1, 0.0), tm = std::fmax(-t1, 0.0);
    *geq = (tp * tp * gc[0] + tm * tm * gc[1] + t2 * t2 * gc[2] + t3 * t3 * gc[3]) / tn2;
  } else {
    *geq = (t1 * t1 * gc[0] + t2 * t2 * gc[1] + t3 * t3 * gc[2]) / tn2;
  }
}

VX_API void GetCrackStatus(i4* crckstatus, const double* svoigt, const double* nrot,
                           const double* phi, const i4* baseid) {
  double s[6], tv[3] = {0.0, 0.0, 0.0};
  const i4 one = 1;
  FlipVoigtNyeNotation(s, svoigt, &one);
  GetTVectorFromArbitraryRotation(tv, phi, nrot, &s[0], &s[1], &s[2], &s[3], &s[4], &s[5], baseid);
  *crckstatus = tv[0] < 0.0 ? -1 : 1;
}
