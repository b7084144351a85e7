// The preferences file, its lock, and a window to hold controls, as the
// tests under Wine use them.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

#include "platform/controls.h"
#include "tools/testing/processes.h"

namespace quillon::testing {

// The program's preferences file: c:\myini.ini of the test's own Wine
// prefix, where Wine lets it be created (platform/prefs_location.h).
inline const wchar_t* PrefsFile() { return L"c:\\myini.ini"; }
inline std::string ReadPrefsFile() { return ReadFileBytes(PrefsFile()); }
inline bool WritePrefsFile(const std::string& bytes) { return WriteFileBytes(PrefsFile(), bytes); }
inline void DeletePrefsFile() { DeleteFileW(PrefsFile()); }

// Another copy of the program taking the lock that keeps the copies' saves
// apart (the mutex of the user's session every copy opens), on a thread of
// its own: it holds the lock until Release, or ends holding it, as a copy
// that crashed.
class SettingsLockHolder {
 public:
  SettingsLockHolder()
      : taken_(CreateEventW(nullptr, TRUE, FALSE, nullptr)), letGo_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~SettingsLockHolder() {
    Release();
    CloseHandle(taken_);
    CloseHandle(letGo_);
  }
  SettingsLockHolder(const SettingsLockHolder&) = delete;
  SettingsLockHolder& operator=(const SettingsLockHolder&) = delete;

  // True once the lock is taken; endsHoldingIt makes the thread end as soon
  // as it has it, leaving it abandoned.
  bool Take(bool endsHoldingIt) {
    thread_ = std::thread([this, endsHoldingIt] {
      HANDLE lock = CreateMutexW(nullptr, FALSE, L"Local\\quillon-fader.preferences");
      if (!lock || WaitForSingleObject(lock, 5000) != WAIT_OBJECT_0) return;
      SetEvent(taken_);
      if (!endsHoldingIt) {
        WaitForSingleObject(letGo_, INFINITE);
        ReleaseMutex(lock);
      }
      CloseHandle(lock);
    });
    const bool taken = WaitForSingleObject(taken_, 5000) == WAIT_OBJECT_0;
    if (endsHoldingIt) thread_.join();
    return taken;
  }
  void Release() {
    SetEvent(letGo_);
    if (thread_.joinable()) thread_.join();
  }

 private:
  HANDLE taken_, letGo_;
  std::thread thread_;
};

// A top-level window of the test's own that holds controls under test and
// hands them their WM_COMMAND and WM_HSCROLL, as the program's windows do.
// Destroyed when it goes.
class ParentWindow {
 public:
  explicit ParentWindow(int width, int height, bool visible = false) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillonTestParent";
    RegisterClassW(&wc);  // fails harmlessly once the class is there
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | (visible ? WS_VISIBLE : 0), 10, 10, width, height,
                            nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~ParentWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
  }
  ParentWindow(const ParentWindow&) = delete;
  ParentWindow& operator=(const ParentWindow&) = delete;
  HWND hwnd() const { return hwnd_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && RouteCommand(window, wParam, lParam)) return 0;
    if (message == WM_HSCROLL && RouteScroll(window, wParam, lParam)) return 0;
    return DefWindowProcW(window, message, wParam, lParam);
  }

  HWND hwnd_ = nullptr;
};

}  // namespace quillon::testing
