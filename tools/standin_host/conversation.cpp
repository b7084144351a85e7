#include "tools/standin_host/conversation.h"

#include <vector>

namespace {

constexpr int kLineHeight = 18;

std::vector<std::string>* Lines(HWND pane) {
  return reinterpret_cast<std::vector<std::string>*>(GetWindowLongPtrA(pane, GWLP_USERDATA));
}

std::wstring Wide(const std::string& ansi) {
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), size);
  return wide;
}

LRESULT CALLBACK PaneProc(HWND pane, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrA(pane, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new std::vector<std::string>));
      break;
    case WM_NCDESTROY:
      delete Lines(pane);
      SetWindowLongPtrA(pane, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(pane, &ps);
      RECT area;
      GetClientRect(pane, &area);
      // Drawn off-screen first, so the pane does not flicker as lines arrive.
      HDC buffer = CreateCompatibleDC(dc);
      HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
      HGDIOBJ old = SelectObject(buffer, bitmap);
      PaintConversation(pane, buffer, area);
      BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
      SelectObject(buffer, old);
      DeleteObject(bitmap);
      DeleteDC(buffer);
      EndPaint(pane, &ps);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(pane, message, wParam, lParam);
}

}  // namespace

void RegisterConversationClass(const char* className) {
  WNDCLASSA pane{};
  pane.lpfnWndProc = PaneProc;
  pane.hInstance = GetModuleHandleW(nullptr);
  pane.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  pane.lpszClassName = className;
  RegisterClassA(&pane);
}

void AddConversationLine(HWND pane, const std::string& line) {
  if (auto* lines = Lines(pane)) lines->push_back(line);
  InvalidateRect(pane, nullptr, FALSE);
}

void PaintConversation(HWND pane, HDC dc, const RECT& area) {
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const auto* lines = Lines(pane);
  if (!lines) return;
  const int visible = static_cast<int>(area.bottom / kLineHeight);
  const std::size_t first = lines->size() > static_cast<std::size_t>(visible) ? lines->size() - visible : 0;
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  int y = 2;
  for (std::size_t i = first; i < lines->size(); ++i, y += kLineHeight) {
    const std::wstring text = Wide((*lines)[i]);
    TextOutW(dc, 4, y, text.c_str(), static_cast<int>(text.size()));
  }
}
