// Timing for the benchmarks that run under Wine: a monotonic clock and the
// median of repeated runs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace quillon::testing {

inline double Seconds() {
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double MedianMicroseconds(int rounds, Work work) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const double start = Seconds();
    work();
    times.push_back((Seconds() - start) * 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace quillon::testing
