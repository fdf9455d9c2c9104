// Milliseconds on the monotonic clock, for the bounded waits of the POSIX
// platform steps.
#pragma once

#include <time.h>

#include <cstdint>

inline int64_t NowMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}
