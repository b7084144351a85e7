#include "ui/common/send_state.h"

namespace quillon {

std::int64_t WidenTick(std::uint32_t tick, std::int64_t now) {
  // The distance from now's low 32 bits to tick, modulo 2^32 in unsigned
  // arithmetic (which cannot overflow), read as signed: negative before now.
  const auto ahead = static_cast<std::int32_t>(tick - static_cast<std::uint32_t>(now));
  return now + ahead;
}

bool SendState::EnterMaySend(std::uint32_t messageTime, std::int64_t now) const {
  if (Sending()) return false;
  return !lastEnded_ || WidenTick(messageTime, now) >= *lastEnded_;
}

}  // namespace quillon
