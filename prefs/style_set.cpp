#include "prefs/style_set.h"

#include <cstdint>
#include <limits>

namespace quillon {
namespace {

constexpr int kBoxes = 4;
constexpr int kSwatches = 4;

std::u16string Decimal(std::int64_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

bool IsSpaceOrTab(char16_t c) { return c == u' ' || c == u'\t'; }

// The keys by their places in kStyleSetKeys: the font, then the boxes, then
// the swatches, then the bar.
const char* FontKeyName() { return kStyleSetKeys[0]; }
const char* CheckKeyName(int box) { return kStyleSetKeys[static_cast<std::size_t>(box)]; }
const char* ColourKeyName(int swatch) { return kStyleSetKeys[static_cast<std::size_t>(kBoxes + swatch)]; }
const char* BarKeyName() { return kStyleSetKeys[1 + kBoxes + kSwatches]; }
static_assert(kStyleSetKeys.size() == 1 + kBoxes + kSwatches + 1);

}  // namespace

std::optional<std::int32_t> ParseStyleNumber(std::u16string_view text, std::int32_t low, std::int32_t high) {
  while (!text.empty() && IsSpaceOrTab(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpaceOrTab(text.back())) text.remove_suffix(1);
  const bool negative = !text.empty() && text.front() == u'-';
  if (negative) text.remove_prefix(1);
  if (text.empty()) return std::nullopt;

  // Stop as soon as the magnitude leaves the 32-bit range, so no number of
  // digits can overflow.
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    magnitude = magnitude * 10 + (c - u'0');
    if (magnitude > kLimit) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < low || value > high) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

bool WriteStyleSet(ProfileStore& store, const std::string& section, const StyleControls& controls,
                   FontKey font) {
  WriteGroup group(store);
  bool all = true;
  const auto write = [&](const char* key, const std::u16string& value) {
    all = WriteIni(store, section, key, value) && all;
  };
  if (font == FontKey::Include) write(FontKeyName(), controls.Font());
  for (int box = 1; box <= kBoxes; ++box) write(CheckKeyName(box), Decimal(controls.Check(box)));
  for (int swatch = 1; swatch <= kSwatches; ++swatch) write(ColourKeyName(swatch), Decimal(controls.Colour(swatch)));
  write(BarKeyName(), Decimal(controls.Bar()));
  const bool readBack = group.End();
  return all && readBack;
}

void ReadStyleSet(ProfileStore& store, const std::string& section, StyleControls& controls, FontKey font) {
  constexpr auto kMinColour = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMaxColour = std::numeric_limits<std::int32_t>::max();
  const auto read = [&](const char* key) { return ReadIni(store, section, key); };

  if (font == FontKey::Include) {
    const std::u16string name = read(FontKeyName());
    if (!name.empty()) controls.SetFont(name);
  }
  for (int box = 1; box <= kBoxes; ++box)
    if (const auto value = ParseStyleNumber(read(CheckKeyName(box)), 0, 1)) controls.SetCheck(box, *value);
  for (int swatch = 1; swatch <= kSwatches; ++swatch)
    if (const auto value = ParseStyleNumber(read(ColourKeyName(swatch)), kMinColour, kMaxColour))
      controls.SetColour(swatch, *value);
  if (const auto value = ParseStyleNumber(read(BarKeyName()), 0, 2)) controls.SetBar(*value);
}

bool IsFirstRun(ProfileStore& store) {
  return ReadIni(store, kLastFontSection, kLastFontKey).empty();
}

}  // namespace quillon
