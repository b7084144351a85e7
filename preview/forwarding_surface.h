// A surface in front of another one: every call goes on to the inner
// surface. A surface built on it overrides only what it does otherwise, and
// hears of each change of the font's attributes once the inner surface has
// taken it.
#pragma once

#include <cstdint>
#include <string>

#include "preview/markup.h"

namespace quillon {

class ForwardingSurface : public DrawingSurface {
 public:
  explicit ForwardingSurface(DrawingSurface& inner) : inner_(inner) {}

  void SetFontName(const std::u16string& name) override { inner_.SetFontName(name); FontChanged(); }
  void SetFontSize(double points) override { inner_.SetFontSize(points); FontChanged(); }
  void SetBold(bool on) override { inner_.SetBold(on); FontChanged(); }
  void SetItalic(bool on) override { inner_.SetItalic(on); FontChanged(); }
  void SetUnderline(bool on) override { inner_.SetUnderline(on); FontChanged(); }
  void SetStrikethrough(bool on) override { inner_.SetStrikethrough(on); FontChanged(); }
  void SetForeColor(std::int32_t colour) override { inner_.SetForeColor(colour); }
  void Clear() override { inner_.Clear(); }
  void DrawChar(int x, int y, char16_t c) override { inner_.DrawChar(x, y, c); }
  int CharWidth(char16_t c) override { return inner_.CharWidth(c); }

 protected:
  DrawingSurface& inner() const { return inner_; }
  // After the name, size or a style of the font changed; the colour is no
  // part of the font.
  virtual void FontChanged() {}

 private:
  DrawingSurface& inner_;
};

}  // namespace quillon
