#include "platform/gdi_surface.h"

namespace quillon {

GdiSurface::GdiSurface(int width, int height, COLORREF background)
    : width_(width), height_(height), background_(background) {
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = GdiObject<HBITMAP>(CreateCompatibleBitmap(screen, width_ > 0 ? width_ : 1, height_ > 0 ? height_ : 1));
  ReleaseDC(nullptr, screen);
  oldBitmap_ = SelectObject(dc_, bitmap_.get());
  SetBkMode(dc_, TRANSPARENT);
  SetTextAlign(dc_, TA_TOP | TA_LEFT | TA_NOUPDATECP);
  spec_.face = L"Arial";
  spec_.points = 10;
  Clear();
}

GdiSurface::~GdiSurface() {
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldBitmap_) SelectObject(dc_, oldBitmap_);
  DeleteDC(dc_);
}

void GdiSurface::Paint(HDC dc, const RECT& area) const {
  BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_, 0, 0, SRCCOPY);
}

void GdiSurface::SetFontName(const std::u16string& name) {
  spec_.face.assign(name.begin(), name.end());
  fontStale_ = true;
}

void GdiSurface::SetFontSize(double points) {
  spec_.points = points;
  fontStale_ = true;
}

void GdiSurface::SetBold(bool on) {
  fontStale_ |= spec_.bold != on;
  spec_.bold = on;
}

void GdiSurface::SetItalic(bool on) {
  fontStale_ |= spec_.italic != on;
  spec_.italic = on;
}

void GdiSurface::SetUnderline(bool on) {
  fontStale_ |= spec_.underline != on;
  spec_.underline = on;
}

void GdiSurface::SetStrikethrough(bool on) {
  fontStale_ |= spec_.strikeout != on;
  spec_.strikeout = on;
}

void GdiSurface::SetForeColor(std::int32_t oleColor) {
  SetTextColor(dc_, static_cast<COLORREF>(oleColor) & 0xFFFFFF);
}

void GdiSurface::Clear() {
  const RECT all{0, 0, width_, height_};
  const Brush brush(CreateSolidBrush(background_));
  FillRect(dc_, &all, brush.get());
}

void GdiSurface::SelectCurrentFont() {
  if (!fontStale_) return;
  Font font = MakeFont(spec_, GetDeviceCaps(dc_, LOGPIXELSY));
  HGDIOBJ previous = SelectObject(dc_, font.get());
  if (!oldFont_) oldFont_ = previous;
  font_ = std::move(font);  // the old font is out of the DC before it goes
  fontStale_ = false;
}

void GdiSurface::DrawChar(int x, int y, char16_t c) {
  SelectCurrentFont();
  const wchar_t ch = static_cast<wchar_t>(c);
  TextOutW(dc_, x, y, &ch, 1);
}

int GdiSurface::CharWidth(char16_t c) {
  SelectCurrentFont();
  const wchar_t ch = static_cast<wchar_t>(c);
  SIZE size{};
  GetTextExtentPoint32W(dc_, &ch, 1, &size);
  return size.cx;
}

}  // namespace quillon
