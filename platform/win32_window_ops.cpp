#include "platform/win32_window_ops.h"

#include <cmath>
#include <optional>

#include "platform/ansi.h"
#include "platform/clock.h"
#include "platform/event_pump.h"

namespace quillon {
namespace {

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle Handle(HWND window) { return reinterpret_cast<WindowHandle>(window); }

bool Deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                             Win32WindowOps::kSendTimeoutMs, &result) != 0;
}

}  // namespace

WindowHandle Win32WindowOps::FindTopLevel(const char* className) {
  return Handle(FindWindowA(className, nullptr));
}

WindowHandle Win32WindowOps::FindChild(WindowHandle parent, const char* className) {
  if (parent == 0) return 0;  // 0 would search the top-level windows
  return Handle(FindWindowExA(Hwnd(parent), nullptr, className, nullptr));
}

WindowHandle Win32WindowOps::FirstSibling(WindowHandle window) {
  return window ? Handle(GetWindow(Hwnd(window), GW_HWNDFIRST)) : 0;
}

WindowHandle Win32WindowOps::NextSibling(WindowHandle window) {
  return window ? Handle(GetWindow(Hwnd(window), GW_HWNDNEXT)) : 0;
}

bool Win32WindowOps::SetText(WindowHandle window, const std::u16string& text) {
  if (window == 0) return false;
  const std::optional<std::string> ansi = ToAnsi(text);
  return ansi && Deliver(Hwnd(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi->c_str()));
}

bool Win32WindowOps::SendChar(WindowHandle window, char16_t code) {
  if (window == 0) return false;
  return Deliver(Hwnd(window), WM_CHAR, code, 0);
}

void Win32WindowOps::ProcessPendingEvents() { PumpPendingMessages(); }

double Win32WindowOps::Now() { return MonotonicSeconds(); }

void Win32WindowOps::WaitForEvents(double seconds) {
  const auto milliseconds = static_cast<DWORD>(std::ceil(seconds * 1000.0));
  MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

}  // namespace quillon
