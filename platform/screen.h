// What the windows need to know of the screen: its fonts, size and DPI.
#pragma once

#include <string>
#include <vector>

namespace quillon {

// The names of the installed screen fonts, in the order the system lists them.
std::vector<std::u16string> ScreenFonts();

// The screen's size in twips.
struct ScreenSize { double width, height; };
ScreenSize ScreenSizeTwips(int dpi);

// The DPI of the screen, which this system-DPI-aware program draws at.
int ScreenDpi();

}  // namespace quillon
