// The standard colour-choice dialog.
#pragma once

#include <windows.h>

#include <cstdint>

namespace quillon {

// The dialog as a component that keeps its colour between uses: black
// before the first choice, unchanged by a cancel.
class ColourDialog {
 public:
  std::int32_t Color() const { return colour_; }
  // Shows the dialog modally over owner, with no initial colour or options.
  void ShowColor(HWND owner);

 private:
  std::int32_t colour_ = 0;
  COLORREF custom_[16] = {};
};

}  // namespace quillon
