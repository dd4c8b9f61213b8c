// Internal declarations shared by the cubic Hermite library, its error
// package and its self-checks. Not part of the exported interface.
#pragma once
#include <cmath>
#include <cstdint>
#include <string_view>
#include "vx.h"
#include "vexlan/pchip.h"

namespace pchip {

using vx::i4;

// Writes one line (without its new-line) to output unit `unit`. Every unit is
// connected to standard output.
void put_line(i4 unit, std::string_view line);

// Reports through the error package with library "SLATEC".
void report(std::string_view routine, std::string_view msg, i4 nerr, i4 level);
// Same, with a library name of its own (the B-spline converter pads names).
void report(std::string_view library, std::string_view routine, std::string_view msg, i4 nerr,
            i4 level);

// Control flag access without going through the exported entry points.
i4 control_flag();
void set_control_flag(i4 kontrl);
void dump_table();  // summary and clear

// Machine constants per real type.
template <class R> struct Mach;
template <> struct Mach<double> {
  static constexpr double eps = 2.220446049250313e-16;  // 2^-52
  static constexpr char prefix[] = "D";                 // twin names start with D
  static constexpr char expo = 'D';                     // exponent letter in reports
};
template <> struct Mach<float> {
  static constexpr float eps = 1.1920928955078125e-07f;  // 2^-23
  static constexpr char prefix[] = "";
  static constexpr char expo = 'E';
};

// Small fixed text: a routine name with the precision's prefix, or a message
// naming such a routine.
struct Name {
  char buf[48];
  std::size_t len = 0;
  Name(std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    append(a);
    append(b);
    append(c);
  }
  void append(std::string_view s) {
    for (char ch : s)
      if (len < sizeof buf) buf[len++] = ch;
  }
  operator std::string_view() const { return {buf, len}; }
};

template <class R> inline Name rname(std::string_view base) { return Name(Mach<R>::prefix, base); }

}  // namespace pchip
