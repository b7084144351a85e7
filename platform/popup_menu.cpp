#include "platform/popup_menu.h"

#include <iterator>
#include <utility>

namespace quillon {

void PopupMenu::Add(int id, const wchar_t* caption, Bitmap picture) {
  if (!picture) {
    Add(id, caption);
    return;
  }
  MENUITEMINFOW item{};
  item.cbSize = sizeof item;
  item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
  item.wID = static_cast<UINT>(id);
  item.dwTypeData = const_cast<wchar_t*>(caption);
  item.hbmpItem = picture.get();
  if (InsertMenuItemW(menu_, static_cast<UINT>(GetMenuItemCount(menu_)), TRUE, &item))
    pictures_.push_back(std::move(picture));
  else
    Add(id, caption);
}

void PopupMenu::AddSubmenu(const wchar_t* caption, PopupMenu&& submenu) {
  if (!submenu.menu_) return;
  if (!AppendMenuW(menu_, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.menu_), caption)) return;
  // Destroyed with this menu from now on, its pictures with it.
  submenu.menu_ = nullptr;
  pictures_.insert(pictures_.end(), std::make_move_iterator(submenu.pictures_.begin()),
                   std::make_move_iterator(submenu.pictures_.end()));
  submenu.pictures_.clear();
}

int PopupMenu::Track(HWND owner, POINT at, UINT flags) const {
  // The owner must be in front for the menu to close when clicked away.
  SetForegroundWindow(owner);
  const int chosen = static_cast<int>(
      TrackPopupMenu(menu_, flags | TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0,
                     owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

int PopupMenu::ShowAtPointer(HWND owner) const {
  POINT at{};
  GetCursorPos(&at);
  return Track(owner, at, TPM_LEFTBUTTON);
}

int PopupMenu::ShowAt(HWND owner, POINT screen) const { return Track(owner, screen, TPM_RIGHTBUTTON); }

}  // namespace quillon
