// A pop-up menu of commands, submenus and pictured items.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/gdi.h"

namespace quillon {

// Owns its menu, its submenus and the pictures of their items.
class PopupMenu {
 public:
  PopupMenu() : menu_(CreatePopupMenu()) {}
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;
  ~PopupMenu() {
    if (menu_) DestroyMenu(menu_);
  }
  HMENU handle() const { return menu_; }
  void Add(int id, const wchar_t* caption) { AppendMenuW(menu_, MF_STRING, static_cast<UINT_PTR>(id), caption); }
  // An item whose picture stands beside its caption; the caption stays the
  // item's text, which screen readers read. Without a picture it is a plain
  // item.
  void Add(int id, const wchar_t* caption, Bitmap picture);
  void AddSeparator() { AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr); }
  // Opens submenu from an item of this menu, which takes it over.
  void AddSubmenu(const wchar_t* caption, PopupMenu&& submenu);
  // Shows the menu with its top-left corner at the mouse pointer, items chosen
  // with the left button; the chosen id, or 0 when dismissed.
  int ShowAtPointer(HWND owner) const;
  // Shows the menu with its top-left corner at a point of the screen, items
  // chosen with either button, as a context menu; the chosen id or 0.
  int ShowAt(HWND owner, POINT screen) const;

 private:
  int Track(HWND owner, POINT screen, UINT flags) const;

  HMENU menu_;
  // Freed after the menu that shows them (the destructor's body runs first).
  std::vector<Bitmap> pictures_;
};

}  // namespace quillon
