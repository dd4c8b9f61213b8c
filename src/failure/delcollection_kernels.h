// Inline form of Chai's two-ply delamination criterion, for native callers on
// the per-point path (the delamination driver). The exported routine wraps it,
// so both give the same bits.
#pragma once
#include <cmath>
#include <limits>

namespace vx::delcollection {

// Lower-ply transverse and interlaminar shear stress, upper-ply transverse
// shear, weighted by the interface factors df1..df3; 0 where the sum is not
// positive, not a number where it is none.
inline double chai(double s22l, double s13l, double s23u, double xt22l, double xc22l, double x23u, double ilssl,
                   double df1, double df2, double df3) {
  const double y = s22l > 0.0 ? xt22l : xc22l, a = s22l / y, b = s23u / x23u, c = s13l / ilssl;
  // A factor that is not finite gives no effort: minus infinity would read
  // as a negative sum, that is as 0.
  if (!(std::isfinite(df1) && std::isfinite(df2) && std::isfinite(df3)))
    return std::numeric_limits<double>::quiet_NaN();
  const double q = df1 * (a * a) + df2 * (b * b) + 1.875 * df3 * (c * c);
  return !(q <= 0.0) ? std::sqrt(q) : 0.0;
}

}  // namespace vx::delcollection
