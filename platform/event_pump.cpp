#include "platform/event_pump.h"

namespace quillon {
namespace {

constexpr wchar_t kDialogNavigation[] = L"quillon.dialog-navigation";

}  // namespace

void EnableDialogNavigation(HWND window) { SetPropW(window, kDialogNavigation, reinterpret_cast<HANDLE>(1)); }

void DispatchOne(MSG& message) {
  if (message.hwnd) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && GetPropW(root, kDialogNavigation)) {
      if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
          SendMessageW(root, kTabKeyMessage, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0))
        return;
      if (IsDialogMessageW(root, &message)) return;
    }
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

void PumpPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchOne(message);
  }
}

int RunMessageLoop() {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchOne(message);
  return static_cast<int>(message.wParam);
}

}  // namespace quillon
