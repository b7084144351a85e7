// A drawing surface with a retained back buffer: the markup renderer draws
// into it, and the picture box it belongs to paints itself from it, so the
// strip never flickers and survives being covered.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/gdi.h"
#include "preview/markup.h"

namespace quillon {

class GdiSurface : public DrawingSurface {
 public:
  // A buffer of width x height pixels, cleared to background (0x00BBGGRR),
  // whose fonts are made for dpi (0: the screen's); nullptr when the system
  // could not make its DC or bitmap.
  static std::unique_ptr<GdiSurface> Create(int width, int height, COLORREF background, int dpi = 0);
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  // Copies the buffer onto dc within area.
  void Paint(HDC dc, const RECT& area) const;
  // The buffer's DC, for reading pixels back.
  HDC dc() const { return dc_.get(); }
  int width() const { return width_; }
  int height() const { return height_; }
  int dpi() const { return dpi_; }
  // The height of a character cell in the attributes now in force.
  int TextHeight();

  void SetFontName(const std::u16string& name) override;
  void SetFontSize(double points) override;
  void SetBold(bool on) override;
  void SetItalic(bool on) override;
  void SetUnderline(bool on) override;
  void SetStrikethrough(bool on) override;
  void SetForeColor(std::int32_t colour) override;
  void Clear() override;
  void DrawChar(int x, int y, char16_t c) override;
  int CharWidth(char16_t c) override;

 private:
  GdiSurface(int width, int height, COLORREF background, int dpi);

  // The font is made again only when an attribute changed since the last
  // character drawn or measured.
  void SelectCurrentFont();
  void SetStyle(bool& style, bool on);

  int width_, height_;
  COLORREF background_;
  // In the order they are made; they go in the reverse one, each selection
  // before what it selected.
  MemoryDc dc_;
  Bitmap bitmap_;
  Selection bitmapSelected_;
  int dpi_;
  Font font_;
  std::optional<Selection> fontSelected_;
  FontSpec spec_;
  bool fontStale_ = true;
};

}  // namespace quillon
