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

namespace quillon {

// A pop-up menu of commands, owned.
class PopupMenu {
 public:
  PopupMenu() : menu_(CreatePopupMenu()) {}
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
  }
  void Add(int id, const wchar_t* caption) { AppendMenuW(menu_, MF_STRING, static_cast<UINT_PTR>(id), caption); }
  void AddSeparator() { AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr); }
  HMENU handle() const { return menu_; }
  // Shows the menu with its top-left corner at the mouse pointer, items chosen
  // with the left button; the chosen id, or 0 when dismissed.
  int ShowAtPointer(HWND owner) const;

 private:
  HMENU menu_;
};

}  // namespace quillon
