#include "platform/peek_window.h"

#include <algorithm>

#include "platform/gdi.h"

namespace quillon {

bool PeekWindow::Create() {
  // Owned by no window: under Wine a topmost window with an owned popup in
  // front of it loses its topmost place when it is put in front again.
  CreateArgs args;
  args.className = L"QuillonPeek";
  args.style = WS_POPUP;
  args.exStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
  return Window::Create(args);
}

GdiSurface* PeekWindow::MeasuringSurface(int dpi) {
  if (surface_ && surface_->dpi() == dpi) return surface_.get();
  return SurfaceFor(1, 1, dpi);
}

GdiSurface* PeekWindow::SurfaceFor(int width, int height, int dpi) {
  const auto fits = [](int has, int needs) { return has >= needs && has <= 2 * std::max(needs, 1); };
  if (surface_ && surface_->dpi() == dpi && fits(surface_->width(), width) && fits(surface_->height(), height))
    return surface_.get();
  surface_.reset();  // the old one goes before the new one is made
  surface_ = GdiSurface::Create(width, height, kBackground, dpi);
  return surface_.get();
}

bool PeekWindow::ShowAt(const RECT& rect) {
  if (!hwnd() || !surface_) return false;
  // In front when it appears; while shown it keeps its place, so that a
  // list dropped down from the window later stays above it.
  const UINT keepOrder = IsWindowVisible(hwnd()) ? SWP_NOZORDER : 0;
  if (!SetWindowPos(hwnd(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                    SWP_NOACTIVATE | SWP_SHOWWINDOW | keepOrder))
    return false;
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
  return true;
}

void PeekWindow::Hide() {
  if (hwnd()) ShowWindow(hwnd(), SW_HIDE);
}

void PeekWindow::Paint(HDC dc, const RECT& client) const {
  if (surface_) surface_->Paint(dc, client);
  FrameRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
}

LRESULT PeekWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
      PaintWindow(hwnd(), [this](HDC dc, const RECT& client) { Paint(dc, client); });
      return 0;
    case WM_PRINTCLIENT: {
      RECT client;
      GetClientRect(hwnd(), &client);
      Paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace quillon
