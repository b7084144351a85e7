#include "ui/common/accessible_text.h"

#include <cstdint>

namespace quillon {

std::u16string SwatchValue(OleColor colour, bool inUse) {
  const auto bits = static_cast<std::uint32_t>(colour);
  const auto channel = [bits](int shift) { return static_cast<Channel>((bits >> shift) & 0xFF); };
  const std::string code = ColorCode(channel(0), channel(8), channel(16));
  std::u16string value(code.begin(), code.end());
  if (!inUse) value += u", not in use";
  return value;
}

std::u16string BarValue(int barValue) {
  static constexpr const char16_t* kWords[] = {u"two", u"three", u"four"};
  if (barValue >= 0 && barValue < 3) return kWords[barValue];
  const std::string digits = std::to_string(static_cast<long long>(barValue) + 2);
  return {digits.begin(), digits.end()};
}

}  // namespace quillon
