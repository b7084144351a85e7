// The 32-bit tick count widened to 64 bits, as Windows XP needs it: its
// kernel32 has GetTickCount, which wraps to 0 every 2^32 ms (49.7 days),
// and no GetTickCount64.
#pragma once

#include <cstdint>

namespace quillon {

// Counts the wrap-arounds of the readings it is given. Widen(now) takes a
// reading of the 32-bit count and returns the milliseconds since the first
// reading's count was 0: the reading with the wraps seen so far above it.
// A reading lower than the one before is taken for one wrap, so it is right
// as long as no two readings are 2^32 ms or more apart; equal readings give
// equal results. Constant-initialised, so that a static one needs no guard.
class TickWidener {
 public:
  constexpr std::uint64_t Widen(std::uint32_t now) {
    if (now < last_) ++wraps_;
    last_ = now;
    return (static_cast<std::uint64_t>(wraps_) << 32) | now;
  }

  // The last reading given; 0 before the first.
  constexpr std::uint32_t last() const { return last_; }

 private:
  std::uint32_t last_ = 0;
  std::uint32_t wraps_ = 0;
};

}  // namespace quillon
