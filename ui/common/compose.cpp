#include "ui/common/compose.h"

namespace quillon {

bool FitsFontTag(std::u16string_view name) { return name.find_first_of(u"\"<>") == std::u16string_view::npos; }

std::u16string ComposeLine(const ComposeInputs& in, const EventPump& pump) {
  std::u16string line = in.fontOpen + in.fontName + in.fontClose;
  if (in.bold == 1) line += u"<b>";
  if (in.italic == 1) line += u"<i>";
  if (in.underline == 1) line += u"<u>";
  const std::int16_t wavy = in.wavy == 1 ? -1 : 0;
  const auto& c = in.colours;
  if (in.colourCount >= 2) {
    line += FadeFourColors(c[0], c[1], c[2], c[3], in.text, wavy, pump);
  } else if (in.colourCount == 1) {
    line += FadeThreeColors(c[0], c[1], c[2], in.text, wavy);
  } else {
    line += FadeTwoColors(c[0], c[1], in.text, wavy);
  }
  return line;
}

}  // namespace quillon
