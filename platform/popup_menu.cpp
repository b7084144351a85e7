#include "platform/popup_menu.h"

namespace quillon {

int PopupMenu::ShowAtPointer(HWND owner) const {
  POINT at{};
  GetCursorPos(&at);
  // The owner must be in front for the menu to close when clicked away.
  SetForegroundWindow(owner);
  const int chosen = static_cast<int>(TrackPopupMenu(
      menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, owner,
      nullptr));
  PostMessageW(owner, WM_NULL, 0, 0);
  return chosen;
}

}  // namespace quillon
