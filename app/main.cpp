// The program: the main window and the message loop.
#include <windows.h>

#include "platform/event_pump.h"
#include "platform/profile_store.h"
#include "platform/win32_window_ops.h"
#include "ui/main/form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quillon::Win32WindowOps host;
  quillon::Win32ProfileStore prefs;
  quillon::Form1 main(host, prefs);
  if (!main.Open()) {
    MessageBoxW(nullptr, L"The main window could not be created.", L"quillon fader", MB_ICONERROR);
    return 1;
  }
  return quillon::RunMessageLoop();
}
