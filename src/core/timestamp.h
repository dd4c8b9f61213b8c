// Time-stamp text of the interpolation packages' report lines:
// "dd Month yyyy  hh:mm:ss.mmm AM", local time on a 12-hour clock (PM after
// midday, Noon at exactly 12:00:00).
#pragma once
#include <cstddef>
#include <cstdio>
#include <ctime>

namespace vx {

inline void timestamp_text(char* b, size_t n) {
  static const char* const month[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm t{};
  localtime_r(&ts.tv_sec, &t);
  const int ms = static_cast<int>(ts.tv_nsec / 1000000);
  int h = t.tm_hour;
  const char* word;
  if (h < 12) word = "AM";
  else if (h == 12) word = (t.tm_min == 0 && t.tm_sec == 0) ? "Noon" : "PM";
  else {
    h -= 12;
    word = "PM";
  }
  std::snprintf(b, n, "%2d %s %4d  %2d:%02d:%02d.%03d %s", t.tm_mday, month[t.tm_mon], t.tm_year + 1900, h,
                t.tm_min, t.tm_sec, ms, word);
}

}  // namespace vx
