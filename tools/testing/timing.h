// Timing for the benchmarks that run under Wine: the median of repeated runs
// on the program's own clock.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/clock.h"

namespace quillon::testing {

template <typename Work>
double MedianMicroseconds(int rounds, Work work) {
  std::vector<double> times;
  for (int i = 0; i < rounds; ++i) {
    const double start = MonotonicSeconds();
    work();
    times.push_back((MonotonicSeconds() - start) * 1e6);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace quillon::testing
