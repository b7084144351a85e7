#include "platform/gdi_surface.h"

namespace quillon {
namespace {

Bitmap ScreenBitmap(int width, int height) {
  const ScreenDc screen;
  return Bitmap(screen ? CreateCompatibleBitmap(screen.get(), width > 0 ? width : 1, height > 0 ? height : 1)
                       : nullptr);
}

}  // namespace

std::unique_ptr<GdiSurface> GdiSurface::Create(int width, int height, COLORREF background, int dpi) {
  std::unique_ptr<GdiSurface> surface(new GdiSurface(width, height, background, dpi));
  if (!surface->dc_ || !surface->bitmap_ || !surface->bitmapSelected_) return nullptr;
  return surface;
}

GdiSurface::GdiSurface(int width, int height, COLORREF background, int dpi)
    : width_(width),
      height_(height),
      background_(background),
      bitmap_(ScreenBitmap(width, height)),
      bitmapSelected_(dc_.get(), bitmap_.get()),
      dpi_(dpi > 0 ? dpi : GetDeviceCaps(dc_.get(), LOGPIXELSY)) {
  SetBkMode(dc_.get(), TRANSPARENT);
  SetTextAlign(dc_.get(), TA_TOP | TA_LEFT | TA_NOUPDATECP);
  spec_.face = L"Arial";
  spec_.points = 10;
  Clear();
}

void GdiSurface::Paint(HDC dc, const RECT& area) const {
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(), 0, 0, SRCCOPY);
}

void GdiSurface::SetFontName(const std::u16string& name) {
  spec_.face.assign(name.begin(), name.end());
  fontStale_ = true;
}

void GdiSurface::SetFontSize(double points) {
  spec_.points = points;
  fontStale_ = true;
}

void GdiSurface::SetStyle(bool& style, bool on) {
  fontStale_ |= style != on;
  style = on;
}

void GdiSurface::SetBold(bool on) { SetStyle(spec_.bold, on); }
void GdiSurface::SetItalic(bool on) { SetStyle(spec_.italic, on); }
void GdiSurface::SetUnderline(bool on) { SetStyle(spec_.underline, on); }
void GdiSurface::SetStrikethrough(bool on) { SetStyle(spec_.strikeout, on); }

void GdiSurface::SetForeColor(std::int32_t colour) {
  SetTextColor(dc_.get(), static_cast<COLORREF>(colour) & 0xFFFFFF);
}

void GdiSurface::Clear() {
  const RECT all{0, 0, width_, height_};
  const Brush brush(CreateSolidBrush(background_));
  FillRect(dc_.get(), &all, brush.get());
}

void GdiSurface::SelectCurrentFont() {
  if (!fontStale_) return;
  Font font = MakeFont(spec_, dpi_);
  // The DC's own font goes back in before the new one is selected, so the
  // old font is out of the DC before it is deleted.
  fontSelected_.emplace(dc_.get(), font.get());
  font_ = std::move(font);
  fontStale_ = false;
}

void GdiSurface::DrawChar(int x, int y, char16_t c) {
  SelectCurrentFont();
  const wchar_t ch = static_cast<wchar_t>(c);
  TextOutW(dc_.get(), x, y, &ch, 1);
}

int GdiSurface::TextHeight() {
  SelectCurrentFont();
  TEXTMETRICW metrics{};
  return GetTextMetricsW(dc_.get(), &metrics) ? metrics.tmHeight : 0;
}

int GdiSurface::CharWidth(char16_t c) {
  SelectCurrentFont();
  const wchar_t ch = static_cast<wchar_t>(c);
  SIZE size{};
  GetTextExtentPoint32W(dc_.get(), &ch, 1, &size);
  return size.cx;
}

}  // namespace quillon
