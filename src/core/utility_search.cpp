// Searches, pairings, orderings, merges, membership and range tests
// (component `utility`).
#include "vexlan/utility.h"
#include "util.h"

using namespace vx;

namespace {
inline i4 notfound_or(const i4* p) { return p ? *p : -1; }
}  // namespace

VX_API int32_t iFindLocation(const int32_t* element, const int32_t* array, const int32_t* ndim,
                             const int32_t* notfound) {
  return util::find_location(*element, array, *ndim, notfound_or(notfound));
}
VX_API int32_t fFindLocation(const double* element, const double* array, const int32_t* ndim,
                             const int32_t* notfound) {
  return util::find_location(*element, array, *ndim, notfound_or(notfound));
}
VX_API int32_t cFindLocation(const vx_complex* element, const vx_complex* array, const int32_t* ndim,
                             const int32_t* notfound) {
  return util::find_location(*element, array, *ndim, notfound_or(notfound));
}

VX_API int32_t iFindSubArray(const int32_t* subarray, const int32_t* array, const int32_t* sdim,
                             const int32_t* ndim, const int32_t* notfound) {
  return util::find_subarray(subarray, array, *sdim, *ndim, notfound_or(notfound));
}
VX_API int32_t fFindSubArray(const double* subarray, const double* array, const int32_t* sdim,
                             const int32_t* ndim, const int32_t* notfound) {
  return util::find_subarray(subarray, array, *sdim, *ndim, notfound_or(notfound));
}
VX_API int32_t cFindSubArray(const vx_complex* subarray, const vx_complex* array, const int32_t* sdim,
                             const int32_t* ndim, const int32_t* notfound) {
  return util::find_subarray(subarray, array, *sdim, *ndim, notfound_or(notfound));
}

VX_API void iGetPairs(int32_t* ainb, const int32_t* a, const int32_t* b, const int32_t* n) {
  util::get_pairs(ainb, a, b, *n);
}
VX_API void fGetPairs(int32_t* ainb, const double* a, const double* b, const int32_t* n) {
  util::get_pairs(ainb, a, b, *n);
}

VX_API void GetIndicesExcludingSubArray(int32_t* indices, const int32_t* a, const int32_t* sub,
                                        const int32_t* n, const int32_t* nsub) {
  util::indices_excluding(indices, a, sub, *n, *nsub);
}

VX_API void iGetContinuous(const int32_t* xarr, const int32_t* xdim, int32_t* iloc, const int32_t* sflag) {
  util::get_continuous(xarr, *xdim, iloc, *sflag);
}
VX_API void fGetContinuous(const double* xarr, const int32_t* xdim, int32_t* iloc, const int32_t* sflag) {
  util::get_continuous(xarr, *xdim, iloc, *sflag);
}

VX_API void iGetMerged(int32_t* merged, const int32_t* x, const int32_t* y, const int32_t* nx,
                       const int32_t* ny, const int32_t* defval) {
  util::get_merged(merged, x, y, *nx, *ny, defval ? *defval : ihuge);
}
VX_API void fGetMerged(double* merged, const double* x, const double* y, const int32_t* nx,
                       const int32_t* ny, const double* defval) {
  util::get_merged(merged, x, y, *nx, *ny, defval ? *defval : huge);
}

VX_API vx_l1 iInList(const int32_t* scalar, const int32_t* list, const int32_t* n) {
  return util::in_list(*scalar, list, *n);
}
VX_API vx_l1 fInList(const double* scalar, const double* list, const int32_t* n) {
  return util::in_list(*scalar, list, *n);
}
VX_API vx_l1 iExList(const int32_t* scalar, const int32_t* list, const int32_t* n) {
  return util::ex_list(*scalar, list, *n);
}
VX_API vx_l1 fExList(const double* scalar, const double* list, const int32_t* n) {
  return util::ex_list(*scalar, list, *n);
}

VX_API vx_l1 iBounded(const int32_t* x, const int32_t* xlow, const int32_t* xup) {
  return util::bounded(*x, *xlow, *xup);
}
VX_API vx_l1 fBounded(const double* x, const double* xlow, const double* xup) {
  return util::bounded(*x, *xlow, *xup);
}
