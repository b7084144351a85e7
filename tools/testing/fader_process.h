// quillon.exe as a process of its own, for what only the whole program
// shows: that it ends, that a second copy gives way, that it survives a
// flood of messages.
#pragma once

#include <windows.h>

#include <string>

#include "tools/testing/as_on_xp.h"
#include "tools/testing/processes.h"
#include "ui/common/control_ids.h"

namespace quillon::testing {

// The program of this build tree; in a test's run as on Windows XP, its
// copy without the newer functions.
inline std::wstring FaderPath() {
  const std::wstring exe = AsOnXpRequested() ? L"quillon_as_on_xp.exe" : L"quillon.exe";
  std::wstring path = ExeFolder() + L"..\\app\\" + exe;
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) path = ExeFolder() + exe;
  return path;
}

// A running quillon.exe; ended when the owner goes away.
class Fader {
 public:
  // Starts the program and waits until its main window is shown, which is
  // after its load steps (and its "loaded" line) have run.
  bool Start() {
    if (!process_.Start(FaderPath(), L"")) return false;
    main_ = WaitForWindow(kMainWindowClass, process_.id(), 15000);
    return main_ && WaitUntil([&] { return IsWindowVisible(main_) != FALSE; }, 15000);
  }

  HWND main() const { return main_; }
  HWND Control(int id) const { return GetDlgItem(main_, id); }
  Process& process() { return process_; }

  // Whether the program handles a message sent to its main window within
  // milliseconds.
  bool Answers(DWORD milliseconds) const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, milliseconds, &result) != 0;
  }

 private:
  Process process_;
  HWND main_ = nullptr;
};

}  // namespace quillon::testing
