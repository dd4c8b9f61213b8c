#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include "array.h"
#include "vexlan/errorhandling.h"

namespace vx {

void (*flush_hook)() = nullptr;

void before_output() {
  if (flush_hook) flush_hook();
}
void after_output() { std::fflush(stdout); }

void terminate(int status) {
  if (flush_hook) flush_hook();
  std::fflush(stdout);
  std::exit(status);
}

void fatal(int status, const char* fmt, ...) {
  before_output();
  va_list ap;
  va_start(ap, fmt);
  std::vprintf(fmt, ap);
  va_end(ap);
  std::printf("\n");
  terminate(status);
}

Buffer* Buffer::create(size_t bytes) {
  void* p = std::calloc(bytes ? bytes : 1, 1);
  Buffer* b = p ? new (std::nothrow) Buffer : nullptr;
  if (!b) {
    std::free(p);
    fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(bytes));
  }
  b->data = p;
  b->bytes = bytes;
  return b;
}

void ArrayBase::allocate_raw(const int64_t* e) {
  free();
  int64_t n = 1;
  for (int i = 0; i < rank; ++i) {
    extents[i] = e[i] < 0 ? 0 : e[i];
    if (extents[i] != 0 && n > INT64_MAX / extents[i]) n = INT64_MAX;
    else n *= extents[i];
  }
  if (n > static_cast<int64_t>(SIZE_MAX / elsize) || n == INT64_MAX)
    fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(-1));
  Buffer* b = Buffer::create(static_cast<size_t>(n) * elsize);
  owner = b;
  base = b->data;
  isallocated = 1;
}

void ArrayBase::allocate_checked(const int64_t* e) {
  if (isallocated) fatal(2, "Attempting to allocate already allocated variable '%s'", name);
  allocate_raw(e);
}

void ArrayBase::free() {
  if (owner) buffer()->release();
  owner = nullptr;
  base = nullptr;
  isallocated = 0;
  for (auto& x : extents) x = 0;
}

}  // namespace vx

VX_API void errorhandling_setoutputflush(vx_flushfunc hook) { vx::flush_hook = hook; }
