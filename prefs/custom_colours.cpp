#include "prefs/custom_colours.h"

#include "prefs/style_set.h"

namespace quillon {
namespace {

constexpr std::int32_t kWhite = 0xFFFFFF;

std::string Key(std::size_t slot) {
  std::string key = "c";
  key += std::to_string(slot + 1);
  return key;
}

}  // namespace

CustomColours ReadCustomColours(ProfileStore& store) {
  CustomColours colours{};
  for (std::size_t slot = 0; slot < colours.size(); ++slot)
    if (const auto value = ParseStyleNumber(ReadIni(store, kCustomColoursSection, Key(slot)), 0, kWhite))
      colours[slot] = *value;
  return colours;
}

bool WriteCustomColours(ProfileStore& store, const CustomColours& colours) {
  WriteGroup group(store);
  bool all = true;
  for (std::size_t slot = 0; slot < colours.size(); ++slot) {
    const std::string digits = std::to_string(colours[slot]);
    all = WriteIni(store, kCustomColoursSection, Key(slot), std::u16string(digits.begin(), digits.end())) && all;
  }
  const bool readBack = group.End();
  return all && readBack;
}

}  // namespace quillon
