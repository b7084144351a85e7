// The one clock of the program and its tools.
#pragma once

namespace quillon {

// Seconds on a monotonic clock of high resolution (the performance counter),
// from an arbitrary start: only differences mean anything.
double MonotonicSeconds();

}  // namespace quillon
