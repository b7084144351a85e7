// What the windows need to know of the screen: its fonts, size and DPI.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillon {

// The names of the installed screen fonts, in the order the system lists them.
std::vector<std::u16string> ScreenFonts();

// The DPI of the screen: the system's DPI.
int ScreenDpi();

// The DPI a window is drawn at: its monitor's under per-monitor awareness,
// else the system's (also on Windows before 10, which cannot tell).
int WindowDpi(HWND window);

// The work area of the monitor that holds most of the window, in pixels.
RECT WorkArea(HWND window);

}  // namespace quillon
