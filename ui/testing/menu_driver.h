// Drives the pop-up menus of the test's own thread as a user would, from a
// timer that runs inside the menu's loop: at each stage it waits for one
// more menu to be shown (a submenu after its menu), notes that menu's items,
// then posts keys to it or clicks one of its items.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tools/testing/processes.h"
#include "ui/testing/pixels.h"

namespace quillon {

class MenuDriver {
 public:
  struct Item {
    std::wstring caption;  // "-" for a separator
    bool submenu = false;
    SIZE picture{};                // 0 x 0 without one
    std::vector<COLORREF> middle;  // the picture's middle row, left to right
  };
  struct Stage {
    std::vector<UINT> keys;  // posted to the menu, in order
    int click = -1;          // else: the item clicked with the left button
  };

  MenuDriver(HWND owner, std::vector<Stage> stages) : owner_(owner), stages_(std::move(stages)) {
    self_ = this;
    SetTimer(owner_, kTimer, 20, Tick);
  }
  ~MenuDriver() {
    KillTimer(owner_, kTimer);
    self_ = nullptr;
  }
  MenuDriver(const MenuDriver&) = delete;
  MenuDriver& operator=(const MenuDriver&) = delete;

  // The items of the menu each stage saw, in order.
  const std::vector<std::vector<Item>>& seen() const { return seen_; }
  bool finished() const { return seen_.size() == stages_.size(); }

  // Keys and stages for the usual walks through a menu whose first item
  // opens a submenu: Down selects the first item, Right opens its submenu
  // with its first item selected.
  static std::vector<Stage> ChooseItem(int index) {
    return {{Downs(index + 1, VK_RETURN)}};
  }
  static std::vector<Stage> ChooseFromSubmenu(int index) {
    return {{{VK_DOWN, VK_RIGHT}}, {Downs(index, VK_RETURN)}};
  }
  static std::vector<Stage> ClickInSubmenu(int index) { return {{{VK_DOWN, VK_RIGHT}}, {{}, index}}; }
  static std::vector<Stage> Dismiss() { return {{{VK_ESCAPE}}}; }

 private:
  static constexpr UINT_PTR kTimer = 0x5151;

  static std::vector<UINT> Downs(int count, UINT last) {
    std::vector<UINT> keys(static_cast<std::size_t>(count), VK_DOWN);
    keys.push_back(last);
    return keys;
  }

  // A shown menu of this thread whose menu no stage has seen yet.
  HWND NewMenuWindow() const {
    for (HWND window : testing::ShownMenus(GetCurrentThreadId())) {
      const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
      if (std::find(menus_.begin(), menus_.end(), menu) == menus_.end()) return window;
    }
    return nullptr;
  }

  // The picture's size and middle row, read while the menu still holds it.
  static void ReadPicture(HBITMAP picture, Item& item) {
    BITMAP bitmap{};
    if (!picture || !GetObjectW(picture, sizeof bitmap, &bitmap)) return;
    item.picture = {bitmap.bmWidth, bitmap.bmHeight};
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, picture);
    item.middle = GrabPixels(dc, {0, bitmap.bmHeight / 2, bitmap.bmWidth, bitmap.bmHeight / 2 + 1}).colours;
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
  }

  static std::vector<Item> ItemsOf(HMENU menu) {
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
      wchar_t text[64] = {};
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_STRING | MIIM_BITMAP | MIIM_SUBMENU | MIIM_FTYPE;
      info.dwTypeData = text;
      info.cch = 64;
      GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
      Item item;
      item.caption = (info.fType & MFT_SEPARATOR) ? L"-" : text;
      item.submenu = info.hSubMenu != nullptr;
      ReadPicture(info.hbmpItem, item);
      items.push_back(item);
    }
    return items;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuDriver* self = self_;
    if (!self || self->finished()) return;
    HWND window = self->NewMenuWindow();
    if (!window) return;
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    self->menus_.push_back(menu);
    self->seen_.push_back(ItemsOf(menu));
    const Stage& stage = self->stages_[self->seen_.size() - 1];
    // Keys go to the first menu, which lives as long as the menu is open (a
    // submenu's window goes when it closes, and messages posted to it with it).
    if (!self->top_) self->top_ = window;
    for (UINT key : stage.keys) PostMessageW(self->top_, WM_KEYDOWN, key, 0);
    if (stage.click >= 0) {
      RECT item{};
      GetMenuItemRect(nullptr, menu, static_cast<UINT>(stage.click), &item);
      POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
      // Under Wine the menu loop took a posted click only at screen
      // coordinates (not the menu window's); the pointer goes there too.
      SetCursorPos(at.x, at.y);
      const LPARAM where = MAKELPARAM(at.x, at.y);
      PostMessageW(window, WM_MOUSEMOVE, 0, where);
      PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
      PostMessageW(window, WM_LBUTTONUP, 0, where);
    }
  }

  static inline MenuDriver* self_ = nullptr;
  HWND owner_;
  HWND top_ = nullptr;
  std::vector<Stage> stages_;
  std::vector<HMENU> menus_;
  std::vector<std::vector<Item>> seen_;
};

}  // namespace quillon
