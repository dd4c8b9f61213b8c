// Integration-point report: one fixed-width line per call (element, point,
// three coordinates) appended to a text file that gets its header line only
// when the call creates it. Nothing stays open between calls, so the file can
// be read while the analysis runs.
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "../core/text.h"
#include "../core/vx.h"
#include "iohandling_units.h"
#include "vexlan/iohandling.h"

using namespace vx;

namespace {

// Right-aligned field of width w; a text that does not fit becomes w asterisks,
// as formatted output does.
void field(std::string& out, const char* s, size_t w) {
  const size_t n = std::strlen(s);
  if (n > w) out.append(w, '*');
  else out.append(w - n, ' ').append(s);
}

void int_field(std::string& out, int32_t v, size_t w) {
  char b[16];
  std::snprintf(b, sizeof b, "%d", v);
  field(out, b, w);
}

void fixed_field(std::string& out, double v, size_t w, int decimals) {
  char b[400];
  if (std::isnan(v)) std::snprintf(b, sizeof b, "NaN");
  else if (std::isinf(v)) std::snprintf(b, sizeof b, v < 0 ? "-Infinity" : "Infinity");
  else std::snprintf(b, sizeof b, "%.*f", decimals, v);
  field(out, b, w);
}

}  // namespace

VX_API void getgausspointreport(const char* filepath, const double* coord, const int32_t* noel,
                                const int32_t* npt, size_t filepath_len) {
  const int32_t unit = io::free_unit(1, 120);
  if (unit < 0) return;
  const io::Text path(filepath, text::len_trim(filepath, filepath_len));
  struct stat st;
  const bool existed = !path.empty() && ::stat(path.c_str(), &st) == 0;
  if (io::open(unit, path, io::Mode::append) != 0) return;
  io::UnitGuard guard(unit);
  std::string out;  // one header and one record line: bounded
  if (!existed) {
    field(out, "NOEL", 8);
    field(out, "NPT", 8);
    for (const char* h : {"x", "y", "z"}) field(out, h, 25);
    out += '\n';
  }
  int_field(out, *noel, 8);
  int_field(out, *npt, 8);
  for (int i = 0; i < 3; ++i) fixed_field(out, coord[i], 25, 8);
  out += '\n';
  io::write(unit, out);
}
