#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include "array.h"

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

void Buffer::release() {
  if (refs.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    std::free(data);
    delete this;
  }
}

void ArrayBase::allocate_raw(const int64_t* e) {
  free();
  int64_t n = 1;
  for (int i = 0; i < rank; ++i) {
    ext[i] = e[i] < 0 ? 0 : e[i];
    if (ext[i] != 0 && n > INT64_MAX / ext[i]) n = INT64_MAX;
    else n *= ext[i];
  }
  if (n > static_cast<int64_t>(SIZE_MAX / elsize) || n == INT64_MAX)
    fatal(1, "Error allocating %lu bytes", static_cast<unsigned long>(-1));
  buf = Buffer::create(static_cast<size_t>(n) * elsize);
  ptr = buf->data;
  alloc = true;
}

void ArrayBase::allocate_checked(const int64_t* e) {
  if (alloc) fatal(2, "Attempting to allocate already allocated variable '%s'", name);
  allocate_raw(e);
}

void ArrayBase::free() {
  if (buf) buf->release();
  buf = nullptr;
  ptr = nullptr;
  alloc = false;
  for (auto& x : ext) x = 0;
}

}  // namespace vx
