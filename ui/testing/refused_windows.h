// Windows that cannot be made, and message boxes answered, from inside the
// test process: a CBT hook on the test's thread refuses the creation of
// the windows of a class, as a system out of window handles or memory
// would, and notes and closes each message box the program shows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quillon {

class RefusedWindows {
 public:
  // Every window of className (compared without regard to case) that the
  // thread creates while this lives fails to be created.
  explicit RefusedWindows(std::wstring className) : className_(std::move(className)) {
    self_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~RefusedWindows() {
    UnhookWindowsHookEx(hook_);
    self_ = nullptr;
  }
  RefusedWindows(const RefusedWindows&) = delete;
  RefusedWindows& operator=(const RefusedWindows&) = delete;

  bool installed() const { return hook_ != nullptr; }
  int refused() const { return refused_; }
  // The texts of the message boxes shown meanwhile, each closed with OK.
  const std::vector<std::wstring>& messages() const { return messages_; }

 private:
  static std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
  }
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = reinterpret_cast<HWND>(wParam);
    if (self_ && code == HCBT_CREATEWND && lstrcmpiW(ClassOf(window).c_str(), self_->className_.c_str()) == 0) {
      ++self_->refused_;
      return 1;
    }
    if (self_ && code == HCBT_ACTIVATE && ClassOf(window) == L"#32770") {
      // A message box's text is its static control 0xFFFF.
      wchar_t text[512] = {};
      GetDlgItemTextW(window, 0xFFFF, text, 512);
      self_->messages_.push_back(text);
      PostMessageW(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

  static inline RefusedWindows* self_ = nullptr;
  std::wstring className_;
  HHOOK hook_ = nullptr;
  int refused_ = 0;
  std::vector<std::wstring> messages_;
};

}  // namespace quillon
