// Test support for end-to-end tests under Wine: start our programs as real
// processes, wait for what they do, read what they wrote.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace quillon::testing {

// A child process that is ended when the owner goes away.
class Process {
 public:
  Process() = default;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  // Starts exe with the command line "exe args"; false when it could not start.
  bool Start(const std::wstring& exe, const std::wstring& args);
  // Waits for the process to end by itself; false on time-out.
  bool WaitForExit(DWORD milliseconds);
  DWORD ExitCode() const;
  DWORD id() const { return info_.dwProcessId; }
  void Kill();

 private:
  PROCESS_INFORMATION info_{};
};

// The first window for which matches(window) holds: among the top-level
// windows when parent is nullptr, else among parent's descendants.
HWND FindWindowWhere(HWND parent, const std::function<bool(HWND)>& matches);

// The class name of a window, for comparing without regard to case.
std::wstring ClassName(HWND window);

// The shown pop-up menus of a thread, the first opened first: a submenu
// after its menu.
std::vector<HWND> ShownMenus(DWORD threadId);

// The first top-level window of the class that belongs to process (any
// process when 0), waiting up to milliseconds for it; nullptr on time-out.
HWND WaitForWindow(const wchar_t* className, DWORD processId, DWORD milliseconds);

// The shown top-level window of the class, of any process, waiting up to
// milliseconds for it to be shown; nullptr on time-out.
HWND WaitForShownWindow(const wchar_t* className, DWORD milliseconds);

// The lines of a text file's bytes: CRLF or LF line ends, a UTF-8 byte
// order mark at the start dropped.
std::vector<std::string> Lines(std::string text);

// Waits until predicate() holds, polling; false on time-out.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!predicate()) {
    if (GetTickCount64() > end) return false;
    Sleep(10);
  }
  return true;
}

// The whole file as bytes; empty when missing.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);

// The folder of the running test executable, with a trailing backslash.
std::wstring ExeFolder();

// A window's text through WM_GETTEXT, which crosses processes.
std::wstring WindowText(HWND window);

}  // namespace quillon::testing
