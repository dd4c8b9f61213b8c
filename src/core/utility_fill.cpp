// Check-in list, copies, fills, zero initialisation and the standard small
// matrices of the component `utility`.
#include "vexlan/utility.h"
#include "data.h"
#include "util.h"

using namespace vx;

namespace {
inline bool truth(const vx_l1* p, bool dflt) { return p ? *p != 0 : dflt; }
}  // namespace

// ---------------------------------------------------------- check-in list

VX_API vx_l1 ProcessLock(const int32_t* procid, const int32_t* maxid, const int32_t* wflag) {
  (void)wflag;  // never waits
  auto& list = jobdata::processid;
  const i4 nmax = std::max<i4>(*maxid, 0);
  if (!list.allocated() || list.extent(1) != nmax) {
    // A different participant count starts a new round.
    list.allocate({nmax});
    util::index_vector(list.data(), nmax);
  }
  const i4 id = *procid;
  // Only participant numbers 1..maxid may check in; -1 marks a check-in and
  // must never be matched as a participant.
  if (id < 1 || id > nmax) return 0;
  const i4 pos = util::find_location(id, list.data(), nmax, 0);
  if (pos < 1) return 0;
  list.data()[pos - 1] = -1;
  return util::ex_list(-1, list.data(), nmax) ? 1 : 0;
}

VX_API void ProcessUnLock(int32_t* ierror) {
  auto& list = jobdata::processid;
  if (!list.allocated()) {
    *ierror = 0;
    return;
  }
  *ierror = -1;
  util::index_vector(list.data(), static_cast<i4>(list.extent(1)));
  *ierror = 0;
}

// ------------------------------------------------------------------ copies

VX_API void MatrixCopy(const double* a, double* b, const int32_t* n, const int32_t* m) {
  util::copy(a, b, util::extent_product({*n, *m}));
}
VX_API void fVectorCopy(const double* a, double* b, const int32_t* n) { util::copy(a, b, int64_t(*n)); }
VX_API void iVectorCopy(const int32_t* a, int32_t* b, const int32_t* n) { util::copy(a, b, int64_t(*n)); }
VX_API void cVectorCopy(const vx_complex* a, vx_complex* b, const int32_t* n) {
  util::copy(a, b, int64_t(*n));
}

// ------------------------------------------------------------ fill family

#define VX_FILL(NAME, T, R) \
  VX_API void NAME(vx_view* a, const T* lambda) { util::fill_view<T, R>(*a, *lambda); }
VX_FILL(real_fillvectorwithscalar, double, 1)
VX_FILL(real_fillmatrixwithscalar, double, 2)
VX_FILL(real_fill3darraywithscalar, double, 3)
VX_FILL(real_fill4darraywithscalar, double, 4)
VX_FILL(real_fill5darraywithscalar, double, 5)
VX_FILL(real_fill6darraywithscalar, double, 6)
VX_FILL(real_fill7darraywithscalar, double, 7)
VX_FILL(int_fillvectorwithscalar, int32_t, 1)
VX_FILL(int_fillmatrixwithscalar, int32_t, 2)
VX_FILL(int_fill3darraywithscalar, int32_t, 3)
VX_FILL(int_fill4darraywithscalar, int32_t, 4)
VX_FILL(int_fill5darraywithscalar, int32_t, 5)
VX_FILL(int_fill6darraywithscalar, int32_t, 6)
VX_FILL(int_fill7darraywithscalar, int32_t, 7)
#undef VX_FILL

// ---------------------------------------------------- zero initialisation

VX_API void IniVectorwithZeros(double* a, const int32_t* n) { util::zero(a, util::extent_product({*n})); }
VX_API void IniMatrixwithZeros(double* a, const int32_t* n, const int32_t* m) {
  util::zero(a, util::extent_product({*n, *m}));
}
VX_API void Ini3DArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n) {
  util::zero(a, util::extent_product({*l, *m, *n}));
}
VX_API void Ini4DArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n,
                                const int32_t* o) {
  util::zero(a, util::extent_product({*l, *m, *n, *o}));
}
VX_API void Ini5DArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n,
                                const int32_t* o, const int32_t* p) {
  util::zero(a, util::extent_product({*l, *m, *n, *o, *p}));
}
VX_API void Ini6DArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n,
                                const int32_t* o, const int32_t* p, const int32_t* q) {
  util::zero(a, util::extent_product({*l, *m, *n, *o, *p, *q}));
}
VX_API void IniMaxDArraywithZeros(double* a, const int32_t* l, const int32_t* m, const int32_t* n,
                                  const int32_t* o, const int32_t* p, const int32_t* q, const int32_t* r) {
  util::zero(a, util::extent_product({*l, *m, *n, *o, *p, *q, *r}));
}

// ------------------------------------------------------ standard matrices

VX_API void GetIdentityMatrix(double* a, const int32_t* n) { util::identity(a, *n); }

VX_API void GetScalarMatrix(double* a, const int32_t* n, const double* lambda) {
  util::scalar_matrix(a, *n, *lambda);
}

VX_API void GetEyeMatrix(double* a, const int32_t* k, const int32_t* n) {
  const int64_t nn = *n;
  if (nn < 1) return;
  util::zero(a, nn * nn);
  const int64_t kk = *k;
  const int64_t d = nn - (kk < 0 ? -kk : kk);
  for (int64_t t = 0; t < d; ++t) {
    const int64_t i = kk >= 0 ? t : t - kk;  // 0-based row
    const int64_t j = kk >= 0 ? t + kk : t;  // 0-based column
    a[i + j * nn] = 1.0;
  }
}

VX_API void GetTriangularMatrix(double* lu, const double* a, const int32_t* n, const vx_l1* luflag) {
  const int64_t nn = *n;
  if (nn < 1) return;
  const bool upper = truth(luflag, false);
  for (int64_t j = 0; j < nn; ++j)
    for (int64_t i = 0; i < nn; ++i) {
      const bool keep = upper ? i <= j : i >= j;
      lu[i + j * nn] = keep ? a[i + j * nn] : 0.0;
    }
}

VX_API void Symmetrize(const double* lu, double* sym, const int32_t* n) {
  const int64_t nn = *n;
  for (int64_t j = 0; j < nn; ++j)
    for (int64_t i = 0; i < nn; ++i) {
      const double v = lu[i + j * nn];
      sym[i + j * nn] = (v != 0.0) ? v : lu[j + i * nn];  // NaN != 0.0 keeps the NaN
    }
}

VX_API void Linspace(double* x, const double* a, const double* b, const int32_t* n, const vx_l1* endpoint) {
  const i4 nn = *n;
  if (nn < 1) return;
  const double d = truth(endpoint, true) ? double(nn - 1) : double(nn);
  const double step = (*b - *a) / d;  // n = 1 with the end point: 0/0 or inf, by design
  const double a0 = *a;
  for (i4 i = 0; i < nn; ++i) x[i] = double(i) * step + a0;
}

VX_API void GetIndexVector(int32_t* a, const int32_t* n) { util::index_vector(a, *n); }
