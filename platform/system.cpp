#include "platform/system.h"

#include <commdlg.h>

#include <algorithm>

#include "platform/gdi.h"
#include "platform/twips.h"

namespace quillon {
namespace {

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM list) {
  // Screen fonts: every family the display can use, listed once by name.
  (void)type;
  auto& names = *reinterpret_cast<std::vector<std::u16string>*>(list);
  std::u16string name(reinterpret_cast<const char16_t*>(font->lfFaceName));
  if (!name.empty() && name[0] != u'@' && std::find(names.begin(), names.end(), name) == names.end())
    names.push_back(std::move(name));
  return 1;
}

}  // namespace

void ColourDialog::ShowColor(HWND owner) {
  // The dialog's library is loaded on first use rather than at start-up,
  // which it would slow down for a dialog most runs never open.
  using ChooseColorFunction = BOOL(WINAPI*)(CHOOSECOLORW*);
  HMODULE library = LoadLibraryW(L"comdlg32.dll");
  const auto chooseColor =
      library ? reinterpret_cast<ChooseColorFunction>(reinterpret_cast<void*>(GetProcAddress(library, "ChooseColorW")))
              : nullptr;
  if (!chooseColor) return;  // no dialog: the colour stays as it was, as on a cancel
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = static_cast<COLORREF>(colour_);
  dialog.lpCustColors = custom_;
  dialog.Flags = 0;
  if (chooseColor(&dialog)) colour_ = static_cast<std::int32_t>(dialog.rgbResult);
}

std::vector<std::u16string> ScreenFonts() {
  std::vector<std::u16string> names;
  const ScreenDc screen;
  if (!screen) return names;
  LOGFONTW all{};
  all.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExW(screen.get(), &all, AddFamily, reinterpret_cast<LPARAM>(&names), 0);
  return names;
}

ScreenSize ScreenSizeTwips(int dpi) {
  return {PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi), PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)};
}

}  // namespace quillon

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
