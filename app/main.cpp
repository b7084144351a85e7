// The program: the main window and the message loop.
#include <windows.h>

#include "platform/event_pump.h"
#include "platform/prefs_location.h"
#include "platform/profile_store.h"
#include "platform/single_instance.h"
#include "platform/win32_window_ops.h"
#include "ui/main/form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Two copies would write the preferences file over each other.
  const quillon::SingleInstance instance(L"Local\\quillon-fader");
  if (!instance.IsFirst()) {
    quillon::ActivateShownWindow({quillon::kMainWindowClass, quillon::kCompactWindowClass});
    return 0;
  }
  quillon::Win32WindowOps host;
  quillon::Win32ProfileStore prefs(quillon::ChoosePrefsFile().file);
  quillon::Win32EventLoop loop;
  quillon::Run run(host, prefs, loop);
  quillon::Form1 main(run);
  if (!quillon::OpenOrTell(main)) return 1;
  return quillon::RunMessageLoop();
}
