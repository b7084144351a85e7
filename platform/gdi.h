// Owners of GDI objects and device contexts, and the fonts the windows name.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <utility>

namespace quillon {

// Owns one handle and frees it once, with Free.
template <typename Handle, typename Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  ~Owned() { Reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_) Free{}(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct ReleaseScreenDc {
  void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DeleteMemoryDc {
  void operator()(HDC dc) const { DeleteDC(dc); }
};

// A GDI object: font, brush, bitmap.
template <typename Handle>
using GdiObject = Owned<Handle, DeleteGdiObject>;
using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// The screen's device context.
struct ScreenDc : Owned<HDC, ReleaseScreenDc> {
  ScreenDc() : Owned(GetDC(nullptr)) {}
};

// A memory device context like another one (like the screen when none is
// given).
struct MemoryDc : Owned<HDC, DeleteMemoryDc> {
  explicit MemoryDc(HDC like = nullptr) : Owned(CreateCompatibleDC(like)) {}
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

// A picture in the screen's format: one column of each colour (0x00BBGGRR,
// the top byte ignored), height pixels high, inside a one-pixel frame of the
// system's shadow colour. Empty when it could not be made.
Bitmap MakeStripBitmap(std::span<const std::int32_t> columns, int height);

}  // namespace quillon
