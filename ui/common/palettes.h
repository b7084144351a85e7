// Named gradients to pick from, and what can be done to the colours in use:
// put them in the reverse order, or darken those that do not read on the
// chat room's white background. Portable: no Windows header.
#pragma once

#include <array>
#include <span>
#include <string_view>
#include <vector>

#include "fade/fade.h"

namespace quillon {

// A named gradient of two, three or four colours (0x00BBGGRR).
struct Palette {
  std::u16string_view name;
  int count;
  std::array<OleColor, 4> colours;  // the first count are the palette's
};

// The twelve palettes, in the order the menu lists them. Every colour of
// every palette has a contrast of at least 3:1 against white.
std::span<const Palette> Palettes();

// The colour-count bar's value for count colours: 0 for two, 1 for three,
// 2 for four.
constexpr int BarForCount(int count) { return ColourCount::Of(count).Bar(); }

// The swatches' four colours with the palette's in the first places; the
// swatches it does not use keep theirs.
std::array<OleColor, 4> WithPalette(std::array<OleColor, 4> colours, const Palette& palette);

// The first count colours in the reverse order, the others as they are.
std::array<OleColor, 4> ReversedInUse(std::array<OleColor, 4> colours, int count);

// The first count colours each made readable on white (ReadableOnWhite),
// the others as they are.
std::array<OleColor, 4> ReadableInUse(std::array<OleColor, 4> colours, int count);

// The relative luminance of a colour as the chat room shows it (the WCAG
// formula over the sRGB channels the fade posts), 0 for black to 1 for white.
double RelativeLuminance(OleColor colour);

// The contrast ratio of a colour against white, 1 to 21.
double ContrastOnWhite(OleColor colour);

// Whether the colour reads on white: a contrast of at least 3:1.
bool ReadsOnWhite(OleColor colour);

// The colour unchanged when it reads on white; otherwise its brightest
// shade that does: every channel scaled by one factor, which keeps the hue,
// the factor as large as the 3:1 contrast allows. The shade is a plain
// colour (the top byte is 0).
OleColor ReadableOnWhite(OleColor colour);

// The colours of a palette faded over columns bars, as the preview's fade
// grades them: one colour per bar, the last one the palette's last colour.
std::vector<OleColor> PaletteRamp(const Palette& palette, int columns);

}  // namespace quillon
