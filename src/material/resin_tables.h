// Calibration tables of the resin models, for native callers: the value of a
// table of the material data at a strain measure and a temperature.
#pragma once
#include <cstdint>
#include "data.h"

namespace vx::resin {

// Table (t, j, c) of extents e1 x e2 x e3 with element strides s1, s2, s3.
struct Table {
  const double* base;
  int64_t e1, e2, e3, s1, s2, s3;
  double at(int64_t t, int64_t j, int64_t c) const { return base[t * s1 + j * s2 + c * s3]; }
};
Table table_of(const RArr3& a);

// Interpolates column `col` (0-based) of the table over its first n points at
// x0 for the first two calibration temperatures, then between them at temp;
// cubic Hermite when cubic, else linear. False (status -2 recorded, r = 0)
// when the table or the temperature list cannot be interpolated.
bool external_data(const Table& t, int32_t n, double x0, double temp, bool cubic, double& r, int col = 1);

}  // namespace vx::resin
