#include "ui/common/compose.h"

namespace quillon {

bool FitsFontTag(std::u16string_view name) { return name.find_first_of(u"\"<>") == std::u16string_view::npos; }

std::u16string ComposeLine(const ComposeInputs& in, const EventPump& pump) {
  std::u16string line = in.fontOpen + in.fontName + in.fontClose;
  if (in.bold == 1) line += u"<b>";
  if (in.italic == 1) line += u"<i>";
  if (in.underline == 1) line += u"<u>";
  const std::int16_t wavy = in.wavy == 1 ? -1 : 0;
  line += Fade(in.colours, ColourCount::FromBar(in.colourCount), in.text, wavy, pump);
  return line;
}

}  // namespace quillon
