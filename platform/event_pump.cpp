#include "platform/event_pump.h"

namespace quillon {
namespace {

constexpr wchar_t kDialogNavigation[] = L"quillon.dialog-navigation";

}  // namespace

void EnableDialogNavigation(HWND window) {
  SetPropW(window, kDialogNavigation, reinterpret_cast<HANDLE>(1));
  // As the dialog manager does: focus rectangles and underlined access keys
  // start hidden when the user's last input was the mouse (unless the user
  // chose to see them always), and appear once the keyboard is used.
  SendMessageW(window, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void DispatchOne(MSG& message) {
  if (message.hwnd) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root && GetPropW(root, kDialogNavigation)) {
      if (message.message == WM_KEYDOWN && message.wParam == VK_TAB &&
          SendMessageW(root, kTabKeyMessage, (GetKeyState(VK_SHIFT) & 0x8000) ? 1 : 0, 0)) {
        // Tab is the keyboard in use, as for the dialog manager's own Tab.
        SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        return;
      }
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
