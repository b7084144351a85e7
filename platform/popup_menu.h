// A pop-up menu of commands.
#pragma once

#include <windows.h>

namespace quillon {

// Owns its menu.
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
  // Shows the menu with its top-left corner at the mouse pointer, items chosen
  // with the left button; the chosen id, or 0 when dismissed.
  int ShowAtPointer(HWND owner) const;

 private:
  HMENU menu_;
};

}  // namespace quillon
