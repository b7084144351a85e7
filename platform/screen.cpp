#include "platform/screen.h"

#include <windows.h>

#include <algorithm>

#include "platform/gdi.h"
#include "platform/newer_windows.h"
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

int WindowDpi(HWND window) {
  const auto getDpiForWindow = NewerWindowsFunctions().getDpiForWindow;
  const UINT dpi = getDpiForWindow && window ? getDpiForWindow(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

RECT WorkArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

int ScreenDpi() {
  const ScreenDc screen;
  const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
  return dpi > 0 ? dpi : 96;
}

}  // namespace quillon
