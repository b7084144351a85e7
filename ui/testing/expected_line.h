// The line a send should post, composed the way the program documents it and
// from what a test set, never from the program's own compose or fade: the
// font tag, "<b>", "<i>", "<u>" as ticked, then the text faded by the
// reference fade.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fade/testing/reference_fade.h"

namespace quillon::testing {

// What a test set in a window before it sends.
struct LineSettings {
  std::u16string font;
  bool bold = false, italic = false, underline = false, wavy = false;
  std::vector<std::int32_t> colours;  // the swatches in use, pic1 first
};

// A first run's window: the font Arial as the list names it, no style, the
// four design colours black, navy 0x800000, 0xC00000 and blue, all in use.
inline const LineSettings kFirstRun{u"arial", false, false, false, false, {0x000000, 0x800000, 0xC00000, 0xFF0000}};

// The same settings with only the first count colours in use.
inline LineSettings WithColourCount(LineSettings s, std::size_t count) {
  s.colours.resize(count);
  return s;
}

inline std::u16string ExpectedLine(const LineSettings& s, const std::u16string& text) {
  std::u16string line = u"<font face=\"" + s.font + u"\">";
  if (s.bold) line += u"<b>";
  if (s.italic) line += u"<i>";
  if (s.underline) line += u"<u>";
  return line + ReferenceFade(s.colours, text, s.wavy);
}

// The colours of the preview strip's 39 bars for the colours in use.
inline std::vector<Rgb> ExpectedBarColours(const std::vector<std::int32_t>& colours) {
  return ReferenceColours(colours, 39);
}

}  // namespace quillon::testing
