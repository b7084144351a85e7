// Composing the faded line that a send posts: the font tag, the style tags
// that are ticked, then the faded text.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "fade/fade.h"

namespace quillon {

// What a send reads from a window's controls.
struct ComposeInputs {
  std::u16string fontOpen;   // the fixed opening of the font tag, `<font face="`
  std::u16string fontName;   // the chosen font, inserted unchanged
  std::u16string fontClose;  // the fixed end of the tag's opening, `">`
  int bold = 0, italic = 0, underline = 0, wavy = 0;  // check values: 1 ticked
  int colourCount = 2;       // the bar: 0 two colours, 1 three, 2 four
  std::array<OleColor, 4> colours{};
  std::u16string text;       // faded unchanged: not trimmed, not escaped
};

// Whether a font name can stand in the font tag: the name is written into
// every line unescaped, so a name holding a double quote or an angle
// bracket would end the tag early or open another.
bool FitsFontTag(std::u16string_view name);

// The prefix, then "<b>", "<i>", "<u>" as ticked (always in this order, never
// closed), then the text faded from the first colour to the last one in use.
// A bar value beyond 0..2 counts as the nearest end. A four-colour fade runs
// pump once per pass of its dealing.
std::u16string ComposeLine(const ComposeInputs& in, const EventPump& pump = {});

}  // namespace quillon
