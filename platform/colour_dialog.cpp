#include "platform/colour_dialog.h"

#include <commdlg.h>

#include <cstddef>

namespace quillon {

bool ColourDialog::ShowColor(HWND owner) {
  // The dialog's library is loaded on first use rather than at start-up,
  // which it would slow down for a dialog most runs never open.
  using ChooseColourFunction = BOOL(WINAPI*)(CHOOSECOLORW*);
  HMODULE library = LoadLibraryW(L"comdlg32.dll");
  const auto chooseColour =
      library ? reinterpret_cast<ChooseColourFunction>(reinterpret_cast<void*>(GetProcAddress(library, "ChooseColorW")))
              : nullptr;
  if (!chooseColour) return false;  // no dialog: the colour stays as it was, as on a cancel
  COLORREF custom[std::tuple_size_v<CustomColours>];
  for (std::size_t i = 0; i < custom_->size(); ++i) custom[i] = static_cast<COLORREF>((*custom_)[i]);
  CHOOSECOLORW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = static_cast<COLORREF>(colour_);
  dialog.lpCustColors = custom;
  dialog.Flags = 0;
  if (chooseColour(&dialog)) colour_ = static_cast<std::int32_t>(dialog.rgbResult);
  // The user edits the custom colours in place, also when cancelling.
  bool changed = false;
  for (std::size_t i = 0; i < custom_->size(); ++i) {
    const auto edited = static_cast<std::int32_t>(custom[i]);
    changed = changed || edited != (*custom_)[i];
    (*custom_)[i] = edited;
  }
  return changed;
}

}  // namespace quillon
