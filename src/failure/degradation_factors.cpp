// Degradation factors of a ply stiffness from a damage state of ten flags, by
// six fixed schemes for tape and fabric plies. The factors come in the order
// of the degradation matrix: 11, coupling 12, 22, three shear entries,
// couplings 13 and 23, 33; 1e-20 stands for an entry that is lost.
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "vexlan/degradation.h"
#include "vx.h"

namespace {
constexpr double lost = 1e-20;
}

VX_API void FalcomDegradation(double* d, const double* dds, const double* rdisc, const int32_t* degrid,
                              const vx_l1* plyistape, const double* fa) {
  std::fill(d, d + 9, 1.0);
  if (std::all_of(dds, dds + 10, [](double v) { return v == 0.0; })) return;
  static const double fa_default[4] = {0.3, 0.3, 0.5, 0.5};
  const double* f = fa ? fa : fa_default;
  // 1-based views of the flags and factors, as the schemes name them. A flag
  // that is not a number gives no verdict: its mode counts as failed. One
  // unordered comparison settles the common flag; only a failed one is asked
  // whether it is NaN.
  bool unknown = false;
  auto failed = [&](double v) {
    if (std::islessgreater(v, 1.0)) return false;
    unknown = unknown || std::isnan(v);
    return true;
  };
  auto on = [&](int k) { return failed(dds[k - 1]); };
  auto set = [&](std::initializer_list<int> ks, double v) {
    for (int k : ks) d[k - 1] = v;
  };
  auto fill = [&] { std::fill(d, d + 9, lost); };
  const bool tape = *plyistape != 0;

  switch (*degrid) {
    case 0:
      if (std::count_if(dds, dds + 10, failed) > 0) fill();
      break;
    case 1:
      if (on(1)) set({1}, f[0]);
      if (!tape && on(2)) set({3}, f[0]);
      if (on(7)) fill();
      break;
    case 2:
      if (on(1)) set({1}, f[1]);
      if (!tape && on(2)) set({3}, f[1]);
      if (on(6)) {
        set({5, 6}, f[3]);
        if (on(4)) {
          if (tape) set({2, 3, 4, 8}, f[2]);
          else set({2, 4, 7, 8}, f[2]);
        }
      }
      if (on(7)) fill();
      break;
    case 3:
      if (on(7)) {
        fill();
        d[8] = 0.015;
      }
      break;
    case 4:
      if (tape) {
        if (on(1)) {
          set({1}, 0.5);
          set({2, 3, 4}, 0.1);
        }
        if (on(4)) set({2, 3, 4}, 0.1);
      } else {
        if (on(1)) {
          set({1}, 0.5);
          set({2}, 0.1);
          if (on(2)) set({3}, 0.5);
          set({4}, 0.1);
        } else if (on(2)) {
          set({2, 4}, 0.1);
          set({3}, 0.5);
        }
        if (on(4)) set({2, 4}, 0.1);
      }
      break;
    case 5:
      if (tape) {
        if (on(1)) {
          set({1, 2, 7}, 0.5);
          set({4, 6}, lost);
        }
        if (on(4)) set({2, 3, 4, 5, 8}, lost);
      } else {
        if (on(1)) {
          set({1, 2}, 0.5);
          if (on(2)) {
            set({3, 7, 8}, 0.5);
            set({4, 5, 6}, lost);
          } else {
            set({4, 6}, lost);
            set({7}, 0.5);
          }
        } else if (on(2)) {
          set({2, 3, 8}, 0.5);
          set({4, 5}, lost);
        }
        if (on(4)) set({2, 4, 5, 6, 7, 8}, lost);
      }
      if (on(5) || on(6)) set({5, 6}, lost);
      if (on(7)) fill();
      break;
    default:
      vx::report(-2, "Unsupported degradation scheme in FalcomDegradation");
      return;
  }

  const bool knockdown = on(8);
  if (unknown) vx::report(-2, "NaN damage flag in FalcomDegradation");
  if (knockdown) {
    if (*rdisc >= lost) {
      if (*rdisc < 1.0)
        for (int k = 0; k < 9; ++k)
          if (d[k] != 0.0) d[k] *= *rdisc;
    } else {
      // A knock-down below the loss value cannot go further than total loss;
      // one that is not a number is no knock-down known, and counts so.
      if (std::isnan(*rdisc)) vx::report(-2, "NaN knock-down factor in FalcomDegradation");
      fill();
    }
  }
}
