#include "platform/screen.h"

#include <windows.h>

#include <algorithm>

#include "platform/gdi.h"
#include "platform/twips.h"

namespace quillon {
namespace {

int CALLBACK AddFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list) {
  // Every family the display can use, listed once by name; the "@" names
  // are the vertical variants of families already listed.
  auto& names = *reinterpret_cast<std::vector<std::u16string>*>(list);
  std::u16string name(reinterpret_cast<const char16_t*>(font->lfFaceName));
  if (!name.empty() && name[0] != u'@' && std::find(names.begin(), names.end(), name) == names.end())
    names.push_back(std::move(name));
  return 1;
}

}  // namespace

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

int ScreenDpi() {
  const ScreenDc screen;
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

}  // namespace quillon
