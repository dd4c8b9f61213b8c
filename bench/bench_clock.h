/* Monotonic wall clock of the native benchmark drivers, in seconds. */
#pragma once
#include <time.h>

static double now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec + 1e-9 * t.tv_nsec;
}
