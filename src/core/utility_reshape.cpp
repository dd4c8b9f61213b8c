// Joining, splitting, packing, unpacking, flipping and masked copies of real
// arrays (component `utility`).
#include "vexlan/utility.h"
#include "util.h"

using namespace vx;

VX_API void MatrixConcatenation(const double* a, const double* b, double* ab, const int32_t* ctype,
                                const int32_t* k, const int32_t* l, const int32_t* m, const int32_t* n) {
  const int64_t ct = *ctype, kk = *k, ll = *l, mm = *m, nn = *n;
  const int64_t rows = kk + ct * mm, cols = ll + nn - ct * nn;
  if (rows < 1 || cols < 1) return;
  util::zero(ab, rows * cols);
  if (ct != 0 && ct != 1) return;
  // The blocks are clipped to the result, so a b larger than a along the
  // joined side cannot write past ab.
  for (int64_t j = 0; j < std::min(ll, cols); ++j)
    for (int64_t i = 0; i < std::min(kk, rows); ++i) ab[i + j * rows] = a[i + j * kk];
  const int64_t r0 = ct == 0 ? 0 : kk, c0 = ct == 0 ? ll : 0;
  const int64_t br = std::min(mm, rows - r0), bc = std::min(nn, cols - c0);
  for (int64_t j = std::max<int64_t>(0, -c0); j < bc; ++j)
    for (int64_t i = std::max<int64_t>(0, -r0); i < br; ++i) ab[(r0 + i) + (c0 + j) * rows] = b[i + j * mm];
}

namespace {
// Column j of a(l, m) cut into k runs of q values: b(q, m, k), or b(q, k)
// for a vector (m = 1).
void split(const double* a, double* b, int64_t k, int64_t l, int64_t m) {
  if (k < 1) return;  // nothing to split; the result has no elements
  const int64_t q = l / k;
  if (q < 1 || m < 1) return;
  const int64_t total = q * m * k;
  util::fill(b, total, -1.0);
  if (l % k != 0) return;
  for (int64_t i = 0; i < k; ++i)
    for (int64_t j = 0; j < m; ++j)
      for (int64_t t = 0; t < q; ++t) b[t + j * q + i * q * m] = a[i * q + t + j * l];
}
}  // namespace

VX_API void VectorSplit(const double* a, double* b, const int32_t* k, const int32_t* n) {
  split(a, b, *k, *n, 1);
}

VX_API void MatrixSplit(const double* a, double* b, const int32_t* k, const int32_t* l, const int32_t* m) {
  split(a, b, *k, *l, *m);
}

VX_API void GetSubArray(double* subarray, int32_t* subslice, const double* array, const int32_t* narray,
                        const int32_t* nsub, const vx_l1* tail) {
  const i4 na = *narray, ns = *nsub;
  subslice[0] = -1;
  subslice[1] = -1;
  util::fill(subarray, int64_t(ns), 1.0);
  if (ns > na) return;
  const bool from_end = tail ? *tail != 0 : true;
  const int64_t first = from_end ? int64_t(na) - ns + 1 : 1;
  subslice[0] = static_cast<i4>(first);
  subslice[1] = from_end ? na : ns;
  if (ns >= 1) util::copy(array + (first - 1), subarray, int64_t(ns));
}

namespace {
inline bool selected(double v, double c, i4 flag) {
  switch (flag) {
    case 1: return v < c;
    case 2: return v <= c;
    case 3: return v == c;
    case 4: return v >= c;
    case 5: return v > c;
    case 6: return v != c;  // a NaN on either side is unequal
    default: return false;
  }
}
}  // namespace

VX_API void GetPackedList(double* packed, const double* list, const double* condition, const double* padding,
                          const int32_t* cflag, const int32_t* npack, const int32_t* nlist) {
  const i4 np = *npack, nl = *nlist, flag = *cflag;
  const double c = *condition;
  util::fill(packed, int64_t(np), *padding);
  if (flag < 1 || flag > 6) return;
  // Two passes instead of a work mask: count first, pack only when it fits.
  i4 count = 0;
  for (i4 i = 0; i < nl; ++i) count += selected(list[i], c, flag);
  if (count > np) return;
  i4 t = 0;
  for (i4 i = 0; i < nl; ++i)
    if (selected(list[i], c, flag)) packed[t++] = list[i];
}

VX_API void GetUnpackedMatrixFromList(double* matrix, const double* list, const int32_t* n, const int32_t* m) {
  util::copy(list, matrix, util::extent_product({*n, *m}));
}

VX_API void GetUnpackedTriangle(double* lu, const double* packed, const int32_t* nlu, const int32_t* np,
                                const char* order, const vx_l1* upper, size_t order_len) {
  const int64_t n = *nlu;
  if (n < 1) return;
  util::zero(lu, n * n);
  const bool fortran_order = order_len >= 1 && order[0] == 'F';
  const bool up = upper ? *upper != 0 : false;
  // Upper triangle column by column; "F" without upper, or upper with any
  // other order, asks for the transpose.
  const bool transpose = (fortran_order != up);
  const int64_t have = std::max<int32_t>(*np, 0);
  int64_t t = 0;
  for (int64_t j = 0; j < n && t < have; ++j)
    for (int64_t i = 0; i <= j && t < have; ++i, ++t) {
      if (transpose) lu[j + i * n] = packed[t];
      else lu[i + j * n] = packed[t];
    }
}

VX_API void FillMatrixOffDiagonals(double* a, const double* x, const int32_t* n, const int32_t* k) {
  const int64_t nn = *n, kk = *k;
  if (nn < 2) return;
  const int64_t half = nn * (nn - 1) / 2;
  // First run: strictly lower triangle; a second run (k other than n(n-1)/2)
  // takes the next values into the mirrored upper positions. Values the
  // caller did not provide are skipped.
  const int runs = (kk == half) ? 1 : 2;
  int64_t t = 0;
  for (int r = 0; r < runs; ++r)
    for (int64_t j = 0; j < nn - 1; ++j)
      for (int64_t i = j + 1; i < nn; ++i, ++t) {
        if (t >= kk) return;
        if (r == 0) a[i + j * nn] = x[t];
        else a[j + i * nn] = x[t];
      }
}

VX_API void VectorFlip(const double* a, double* b, const int32_t* n) {
  const int64_t nn = *n;
  for (int64_t i = 0; i < nn; ++i) b[i] = a[nn - 1 - i];
}

VX_API void MatrixFlip(const double* a, double* b, const int32_t* n, const int32_t* m, const int32_t* dimflag) {
  const int64_t nn = *n, mm = *m;
  if (nn < 1 || mm < 1) return;
  if (*dimflag < 0) {
    for (int64_t j = 0; j < mm; ++j) util::copy(a + (mm - 1 - j) * nn, b + j * nn, nn);
  } else {
    for (int64_t j = 0; j < mm; ++j)
      for (int64_t i = 0; i < nn; ++i) b[i + j * nn] = a[(nn - 1 - i) + j * nn];
  }
}

// Only b's extent is known here: mask entries outside 1..n are skipped; the
// caller guarantees that a has as many columns as the largest entry.
VX_API void MatrixSort(double* a, const double* b, const int32_t* mask, const int32_t* m, const int32_t* n) {
  util::copy_masked_columns(a, b, mask, *m, *n, *n);
}

VX_API void VectorSort(double* a, const double* b, const int32_t* mask, const int32_t* n) {
  util::copy_masked_columns(a, b, mask, 1, *n, *n);
}
