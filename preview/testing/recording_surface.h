// A drawing surface for tests: records every character drawn with its
// position and attributes; characters are 6 pixels wide, 8 in bold.
#pragma once

#include <string>
#include <vector>

#include "preview/markup.h"

namespace quillon {

class RecordingSurface : public DrawingSurface {
 public:
  struct Drawn {
    int x, y;
    char16_t c;
    std::u16string face;
    double size;
    bool bold, italic, underline, strike;
    std::int32_t colour;
  };

  void SetFontName(const std::u16string& name) override { face = name; }
  void SetFontSize(double points) override { size = points; }
  void SetBold(bool on) override { bold = on; }
  void SetItalic(bool on) override { italic = on; }
  void SetUnderline(bool on) override { underline = on; }
  void SetStrikethrough(bool on) override { strike = on; }
  void SetForeColor(std::int32_t colour) override { foreColour = colour; }
  void Clear() override {
    drawn.clear();
    ++clears;
  }
  void DrawChar(int x, int y, char16_t c) override {
    drawn.push_back({x, y, c, face, size, bold, italic, underline, strike, foreColour});
  }
  int CharWidth(char16_t) override { return bold ? 8 : 6; }

  std::u16string Text() const {
    std::u16string text;
    for (const Drawn& d : drawn) text += d.c;
    return text;
  }

  std::u16string face = u"Webdings";
  double size = 9;
  bool bold = true, italic = true, underline = true, strike = true;
  std::int32_t foreColour = 0x123456;
  int clears = 0;
  std::vector<Drawn> drawn;
};

}  // namespace quillon
