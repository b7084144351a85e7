// What the windows need of the system besides controls: the colour dialog,
// the screen fonts and the screen size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quillon {

// The standard colour-choice dialog as a component that keeps its colour
// between uses: black before the first choice, unchanged by a cancel.
class ColourDialog {
 public:
  std::int32_t Color() const { return colour_; }
  // Shows the dialog modally over owner, with no initial colour or options.
  void ShowColor(HWND owner);

 private:
  std::int32_t colour_ = 0;
  COLORREF custom_[16] = {};
};

// The names of the installed screen fonts, in the order the system lists them.
std::vector<std::u16string> ScreenFonts();

// The screen's size in twips.
struct ScreenSize { double width, height; };
ScreenSize ScreenSizeTwips(int dpi);

}  // namespace quillon
