// The standard colour-choice dialog.
#pragma once

#include <windows.h>

#include <cstdint>

#include "prefs/custom_colours.h"

namespace quillon {

// The dialog as a component that keeps its colour between uses: black
// before the first choice, unchanged by a cancel. The sixteen custom colours
// it shows and the user edits are its own set, or one it shares with other
// dialogs.
class ColourDialog {
 public:
  ColourDialog() = default;
  ColourDialog(const ColourDialog&) = delete;
  ColourDialog& operator=(const ColourDialog&) = delete;

  std::int32_t Color() const { return colour_; }
  const CustomColours& CustomColors() const { return *custom_; }
  // From now on the dialog shows and edits set, which must outlive its use.
  void ShareCustomColours(CustomColours& set) { custom_ = &set; }
  // Shows the dialog modally over owner, with no initial colour or options.
  // True when the user changed the custom colours, which the dialog keeps
  // whether the user confirms or cancels.
  bool ShowColor(HWND owner);

 private:
  std::int32_t colour_ = 0;
  CustomColours own_{};
  CustomColours* custom_ = &own_;
};

}  // namespace quillon
