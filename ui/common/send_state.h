// The send of a run: one at a time, whichever window it starts in, and which
// Enter belongs to a send already made. Times are the system's tick counts:
// milliseconds since start-up, 64 bits wide, of which a window message
// carries the low 32 (they wrap after 49.7 days).
#pragma once

#include <cstdint>
#include <optional>

#include "ui/common/reentry.h"

namespace quillon {

// The 64-bit tick count whose low 32 bits are tick, taken as the one nearest
// to now: at most 2^31 ms before it or less than 2^31 ms after it. A
// message's time lies a moment before its handling (or a moment after the
// count read then, the two being read from clocks that tick apart), so this
// is its time whatever the crossings of 2^31 and 2^32 between them.
std::int64_t WidenTick(std::uint32_t tick, std::int64_t now);

class SendState {
 public:
  bool Sending() const { return guard_.Running(); }
  // Runs send unless one runs (then nothing is done and the answer is
  // false). However it ends, its end is noted at the tick count now() gives.
  template <class Send, class Now>
  bool Run(Send&& send, Now&& now) {
    return guard_.Once(send, [&] { lastEnded_ = now(); });
  }
  // Whether an Enter whose message carries the tick count messageTime, handled
  // at the tick count now, may start a send: never while one runs, nor when
  // it was pressed before the last send ended (it queued while the program
  // waited on the client, and belongs to that send). An Enter pressed after
  // it always may, however long after.
  bool EnterMaySend(std::uint32_t messageTime, std::int64_t now) const;

 private:
  Reentry guard_;
  std::optional<std::int64_t> lastEnded_;
};

}  // namespace quillon
