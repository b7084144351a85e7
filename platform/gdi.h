// Owners of GDI objects and device contexts, and the fonts the windows name.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace quillon {

// Owns one GDI object (font, brush, bitmap) and deletes it once.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// The screen's device context, released once.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A memory device context like another one (like the screen when none is
// given), deleted once.
class MemoryDc {
 public:
  explicit MemoryDc(HDC like = nullptr) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// A window's device context for WM_PAINT, from BeginPaint to EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() {
    if (dc_) EndPaint(window_, &paint_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Keeps an object selected into a DC and puts back the object it replaced
// when it goes. Declared after the DC and the object, it goes before them,
// so neither is deleted while selected.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  ~Selection() {
    if (*this) SelectObject(dc_, previous_);
  }
  // False when the object could not be selected.
  explicit operator bool() const { return previous_ != nullptr && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Answers WM_PAINT: draw(dc, client rectangle) between BeginPaint and
// EndPaint.
template <typename Draw>
void PaintWindow(HWND window, Draw&& draw) {
  const PaintDc dc(window);
  if (!dc) return;
  RECT client;
  GetClientRect(window, &client);
  draw(dc.get(), client);
}

struct FontSpec {
  std::wstring face = L"MS Sans Serif";
  double points = 8.25;
  bool bold = false, italic = false, underline = false, strikeout = false;
  BYTE charset = DEFAULT_CHARSET;
};

// A font of the given face and size in points at dpi; Windows' font
// substitution picks the face where the named one is missing.
Font MakeFont(const FontSpec& wanted, int dpi);

// The DPI of the screen, which this system-DPI-aware program draws at.
int ScreenDpi();

}  // namespace quillon
