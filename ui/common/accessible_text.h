// What screen readers say of the controls that show a colour or a count
// instead of a text. Portable: the windows hand these to Windows'
// accessibility annotations.
#pragma once

#include <string>

#include "fade/fade.h"

namespace quillon {

// A swatch's value: the colour it shows as six upper-case hexadecimal digits,
// red, green, blue (the top byte of an OleColor is not painted, so not
// read), followed by ", not in use" while the bar leaves the swatch out.
std::u16string SwatchValue(OleColor colour, bool inUse);

// The colour-count bar's value as the number of colours in words: "two",
// "three", "four" for 0, 1, 2; other values as their number of colours in
// digits.
std::u16string BarValue(int barValue);

}  // namespace quillon
