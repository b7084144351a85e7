// Owners of GDI objects and the fonts the windows name.
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
