// Scalar helpers of the component `utility`: swaps, increments and the
// logical operators that the language lacks for 1-byte logicals.
#include <utility>

#include "vexlan/utility.h"
#include "util.h"

VX_API void iSwap(int32_t* a, int32_t* b) { std::swap(*a, *b); }
VX_API void fSwap(double* a, double* b) { std::swap(*a, *b); }
VX_API void cSwap(vx_complex* a, vx_complex* b) { std::swap(*a, *b); }

VX_API void iINC(int32_t* i, const int32_t* step) {
  // Two's-complement wrap-around instead of signed overflow.
  const uint32_t s = static_cast<uint32_t>(step ? *step : 1);
  *i = static_cast<int32_t>(static_cast<uint32_t>(*i) + s);
}
VX_API void fINC(double* f, const double* step) { *f += step ? *step : 1.0; }

VX_API vx_l1 lXOR(const vx_l1* a, const vx_l1* b) { return (*a != 0) != (*b != 0); }
VX_API vx_l1 lNOR(const vx_l1* a, const vx_l1* b) { return !(*a != 0 || *b != 0); }
VX_API vx_l1 lNAND(const vx_l1* a, const vx_l1* b) { return !(*a != 0 && *b != 0); }
