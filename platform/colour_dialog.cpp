#include "platform/colour_dialog.h"

#include <commdlg.h>

namespace quillon {

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

}  // namespace quillon
