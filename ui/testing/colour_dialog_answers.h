// Answers the standard colour dialog in tests, as a user would, from inside
// the test process: a CBT hook sees each dialog open.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace quillon {

// Answers the next colour dialogs: each answer either picks a colour and
// confirms, or cancels. Counts the dialogs that opened.
class DialogAnswers {
 public:
  struct Answer {
    bool confirm;
    COLORREF colour;
  };
  explicit DialogAnswers(std::vector<Answer> answers) : answers_(std::move(answers)) {
    self_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
  }
  ~DialogAnswers() {
    UnhookWindowsHookEx(hook_);
    self_ = nullptr;
  }
  int opened() const { return opened_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && self_) {
      HWND dialog = reinterpret_cast<HWND>(wParam);
      wchar_t name[16] = {};
      GetClassNameW(dialog, name, 16);
      if (lstrcmpW(name, L"#32770") == 0) self_->Respond(dialog);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  void Respond(HWND dialog) {
    const std::size_t index = static_cast<std::size_t>(opened_++);
    if (index >= answers_.size()) {
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    const auto& a = answers_[index];
    if (a.confirm) {
      // The red, green and blue fields of the standard dialog.
      SetDlgItemInt(dialog, 706, GetRValue(a.colour), FALSE);
      SetDlgItemInt(dialog, 707, GetGValue(a.colour), FALSE);
      SetDlgItemInt(dialog, 708, GetBValue(a.colour), FALSE);
    }
    PostMessageW(dialog, WM_COMMAND, a.confirm ? IDOK : IDCANCEL, 0);
  }

  static inline DialogAnswers* self_ = nullptr;
  HHOOK hook_;
  std::vector<Answer> answers_;
  int opened_ = 0;
};

}  // namespace quillon
