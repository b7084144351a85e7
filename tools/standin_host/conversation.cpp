#include "tools/standin_host/conversation.h"

#include <vector>

#include "platform/ansi.h"
#include "platform/gdi.h"
#include "platform/gdi_surface.h"
#include "preview/markup.h"

namespace {

constexpr int kLineHeight = 20;

std::vector<std::string>* Lines(HWND pane) {
  return reinterpret_cast<std::vector<std::string>*>(GetWindowLongPtrA(pane, GWLP_USERDATA));
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
    case WM_PAINT:
      quillon::PaintWindow(pane, [pane](HDC dc, const RECT& area) {
        // Drawn off-screen first, so the pane does not flicker as lines arrive.
        const quillon::MemoryDc buffer(dc);
        const quillon::Bitmap bitmap(CreateCompatibleBitmap(dc, area.right, area.bottom));
        const quillon::Selection selected(buffer.get(), bitmap.get());
        if (!selected) {
          PaintConversation(pane, dc, area);
          return;
        }
        PaintConversation(pane, buffer.get(), area);
        BitBlt(dc, 0, 0, area.right, area.bottom, buffer.get(), 0, 0, SRCCOPY);
      });
      return 0;
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
  pane.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
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
  // Each line drawn as the room would show it: its fonts, colours, styles,
  // raised and lowered characters.
  int y = 2;
  for (std::size_t i = first; i < lines->size(); ++i, y += kLineHeight) {
    const auto line = quillon::GdiSurface::Create(area.right, kLineHeight, RGB(255, 255, 255));
    if (!line) return;
    quillon::RenderMarkup(*line, quillon::FromAnsi((*lines)[i]));
    const RECT at{0, y, area.right, y + kLineHeight};
    line->Paint(dc, at);
  }
}
