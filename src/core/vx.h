// Common definitions shared by every native component of the library.
#pragma once
#include <cstddef>
#include <cstdint>
#include <complex>
#include <cstring>
#include <limits>
#include <type_traits>
#include "vexlan/types.h"

#define VX_API extern "C" __attribute__((visibility("default")))

namespace vx {

using i4 = int32_t;
using r8 = double;
using c16 = std::complex<double>;
using l1 = vx_l1;   // 1-byte logical: 0 false, anything else true
using l4 = int32_t; // 4-byte logical

// Markers: the largest real ends parameter lists and marks empty slots, the
// largest 32-bit integer marks an unset id (a section's unused plies).
constexpr double huge = 1.7976931348623157e308;
constexpr i4 ihuge = 2147483647;
constexpr i4 unset = ihuge;

constexpr double pi = 3.141592653589793;
constexpr double deg2rad = pi / 180.0;  // exact product pi/180 rounded once
constexpr double rad2deg = 180.0 / pi;

// The value of a result that is not known (a refused input, a failed step).
constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();

// Ends the process: flushes Python's and C's standard output first so that the
// message is not lost in a pipe.
[[noreturn]] void terminate(int status);
// Prints a formatted message to standard output, then terminates.
[[noreturn]] void fatal(int status, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
// To be called before the library writes to C stdout, so that text already
// buffered by Python's sys.stdout comes out first.
void before_output();
void after_output();
// The binding installs a hook that flushes sys.stdout.
extern void (*flush_hook)();

// Error record helper for library callers: msg is blank-padded/cut to 80 chars.
void report(i4 code, const char* msg);
void report(i4 code, const char* msg, const i4* intv, i4 nint, const r8* realv, i4 nreal);
// The same with a rows x cols matrix of character codes (column-major) as context.
void report(i4 code, const char* msg, const i4* intv, i4 nint, const r8* realv, i4 nreal, const i4* asciim,
            i4 rows, i4 cols);

}  // namespace vx
