// Answers the standard colour dialog in tests, as a user would, from inside
// the test process: a CBT hook sees each dialog open, a window-procedure
// hook the custom colours it opens with.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <array>
#include <cstddef>
#include <utility>
#include <vector>

namespace quillon {

// Answers the next colour dialogs: each answer either picks a colour and
// confirms, or cancels; it may first add the colour to the custom colours.
// Counts the dialogs that opened and notes the custom colours each showed.
class DialogAnswers {
 public:
  struct Answer {
    bool confirm;
    COLORREF colour;
    bool addToCustom = false;
  };
  explicit DialogAnswers(std::vector<Answer> answers) : answers_(std::move(answers)) {
    self_ = this;
    hook_ = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    initHook_ = SetWindowsHookExW(WH_CALLWNDPROC, SeeInit, nullptr, GetCurrentThreadId());
  }
  ~DialogAnswers() {
    UnhookWindowsHookEx(hook_);
    UnhookWindowsHookEx(initHook_);
    self_ = nullptr;
  }
  int opened() const { return opened_; }
  // The custom colours each dialog opened with, in the order they opened.
  const std::vector<std::array<COLORREF, 16>>& customShown() const { return customShown_; }

 private:
  static LRESULT CALLBACK SeeInit(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && self_ && call->message == WM_INITDIALOG && call->lParam) {
      // The colour dialog starts with the CHOOSECOLOR it was opened with.
      const auto* choose = reinterpret_cast<const CHOOSECOLORW*>(call->lParam);
      if (choose->lStructSize == sizeof(CHOOSECOLORW) && choose->lpCustColors) {
        std::array<COLORREF, 16> shown{};
        for (std::size_t i = 0; i < shown.size(); ++i) shown[i] = choose->lpCustColors[i];
        self_->customShown_.push_back(shown);
      }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }

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
    if (a.confirm || a.addToCustom) {
      // The red, green and blue fields of the standard dialog.
      SetDlgItemInt(dialog, 706, GetRValue(a.colour), FALSE);
      SetDlgItemInt(dialog, 707, GetGValue(a.colour), FALSE);
      SetDlgItemInt(dialog, 708, GetBValue(a.colour), FALSE);
    }
    // Its "Add to Custom Colors" button: the first custom colour first.
    if (a.addToCustom) SendMessageW(dialog, WM_COMMAND, 712, 0);
    PostMessageW(dialog, WM_COMMAND, a.confirm ? IDOK : IDCANCEL, 0);
  }

  static inline DialogAnswers* self_ = nullptr;
  HHOOK hook_, initHook_;
  std::vector<Answer> answers_;
  int opened_ = 0;
  std::vector<std::array<COLORREF, 16>> customShown_;
};

}  // namespace quillon
