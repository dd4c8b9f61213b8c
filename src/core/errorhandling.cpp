// The process-wide error record: the first failure reported since the last
// reset stays; later reports are dropped.
#include <algorithm>
#include <cstdio>
#include "data.h"
#include "vexlan/errorhandling.h"

using namespace vx;
namespace eh = vx::errorhandling;

namespace {

void copy_context(const int32_t* intv, int32_t nint, const double* realv, int32_t nreal, const int32_t* asciim,
                  int32_t rows, int32_t cols) {
  nint = std::max(nint, 0);
  nreal = std::max(nreal, 0);
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  const int32_t krows = std::min(rows, 8);
  if (!eh::errintv.allocated()) {
    if (eh::errrealv.allocated()) fatal(2, "Attempting to allocate already allocated variable '%s'", "errrealv");
    if (eh::errasciim.allocated()) fatal(2, "Attempting to allocate already allocated variable '%s'", "errasciim");
    eh::errintv.allocate({nint});
    eh::errrealv.allocate({nreal});
    eh::errasciim.allocate({krows, cols});
  }
  // Arrays that survive from an earlier report keep their extents; context that
  // does not fit them is clipped.
  const int64_t ni = std::min<int64_t>(nint, eh::errintv.extent(1));
  for (int64_t i = 0; i < ni; ++i) eh::errintv.data()[i] = intv[i];
  if (eh::errrealv.allocated()) {
    const int64_t nr = std::min<int64_t>(nreal, eh::errrealv.extent(1));
    for (int64_t i = 0; i < nr; ++i) eh::errrealv.data()[i] = realv[i];
  }
  if (eh::errasciim.allocated()) {
    const int64_t er = eh::errasciim.extent(1), ec = eh::errasciim.extent(2);
    const int64_t cr = std::min<int64_t>(krows, er), cc = std::min<int64_t>(cols, ec);
    for (int64_t j = 0; j < cc; ++j)
      for (int64_t i = 0; i < cr; ++i) eh::errasciim.data()[i + j * er] = asciim[i + j * int64_t(rows)];
  }
}

void record(int32_t code, const char* msg, size_t len, const int32_t* intv, int32_t nint, const double* realv,
            int32_t nreal, const int32_t* asciim, int32_t rows, int32_t cols) {
  if (eh::errstat != 0) return;
  eh::errstat = code;
  const size_t n = std::min<size_t>(len, 80);
  std::memcpy(eh::errstring, msg, n);
  std::memset(eh::errstring + n, ' ', 80 - n);
  copy_context(intv, nint, realv, nreal, asciim, rows, cols);
}

}  // namespace

namespace vx {

void report(i4 code, const char* msg, const i4* intv, i4 nint, const r8* realv, i4 nreal) {
  record(code, msg, std::strlen(msg), intv, nint, realv, nreal, nullptr, 0, 0);
}

void report(i4 code, const char* msg, const i4* intv, i4 nint, const r8* realv, i4 nreal, const i4* asciim,
            i4 rows, i4 cols) {
  record(code, msg, std::strlen(msg), intv, nint, realv, nreal, asciim, rows, cols);
}

void report(i4 code, const char* msg) {
  static const int32_t zi[1] = {0};
  static const double zr[1] = {0.0};
  record(code, msg, std::strlen(msg), zi, 1, zr, 1, nullptr, 0, 0);
}

}  // namespace vx

VX_API void xerr(const int32_t* lop, const char* xerrmsg, const int32_t* intv, const int32_t* nintv,
                 const double* realv, const int32_t* nrealv, const int32_t* asciim, const int32_t* arows,
                 const int32_t* acols, const int32_t* pyerr, size_t xerrmsg_len) {
  if (pyerr && *pyerr == 0) {
    // The message always goes out as 80 characters after one blank.
    char line[82];
    line[0] = ' ';
    const size_t n = std::min<size_t>(xerrmsg_len, 80);
    std::memcpy(line + 1, xerrmsg, n);
    std::memset(line + 1 + n, ' ', 80 - n);
    line[81] = '\n';
    before_output();
    std::fwrite(line, 1, sizeof line, stdout);
    terminate(0);
  }
  record(*lop, xerrmsg, xerrmsg_len, intv, *nintv, realv, *nrealv, asciim, *arows, *acols);
}

VX_API void rsxerr(int32_t* reset, const vx_l1* lop) {
  *reset = 0;
  if (!*lop) return;
  *reset = 1;
  eh::errstat = 0;
  eh::errintv.free();
  eh::errrealv.free();
  eh::errasciim.free();
}
