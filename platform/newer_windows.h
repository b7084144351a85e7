// The functions of Windows newer than XP that the program calls where the
// system has them. They are looked up at run time, never imported: one
// missing import keeps the whole program from loading on Windows XP, where
// each caller takes its own way without them.
#pragma once

#include <windows.h>

namespace quillon {

struct NewerWindows {
  ULONGLONG(WINAPI* getTickCount64)() = nullptr;                                      // kernel32, Vista
  UINT(WINAPI* getDpiForWindow)(HWND) = nullptr;                                      // user32, Windows 10 1607
  BOOL(WINAPI* adjustWindowRectExForDpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;  // user32, Windows 10 1607
};

// This system's functions, each null where the system lacks it. Looked up
// once, and without a guarded static, so that the tick count's stand-in,
// which the threading runtime calls from any thread, can use it too.
NewerWindows NewerWindowsFunctions();

// Every entry null from now on, as on Windows XP, so that every caller takes
// its way for a system without them. Tests call it before they open any
// window; the program never does.
void ForgetNewerWindows();

}  // namespace quillon
