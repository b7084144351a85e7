// Draws chat markup (the fade's output: a font-colour tag per character, and
// style tags) onto a drawing surface, tag by tag and character by character:
// a likeness of what the chat room will show. Portable; the surface is given.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "fade/event_pump.h"

namespace quillon {

// What the renderer needs of a picture box. Coordinates are pixels.
class DrawingSurface {
 public:
  virtual ~DrawingSurface() = default;
  virtual void SetFontName(const std::u16string& name) = 0;
  virtual void SetFontSize(double points) = 0;
  virtual void SetBold(bool on) = 0;
  virtual void SetItalic(bool on) = 0;
  virtual void SetUnderline(bool on) = 0;
  virtual void SetStrikethrough(bool on) = 0;
  virtual void SetForeColor(std::int32_t colour) = 0;  // 0x00BBGGRR
  virtual void Clear() = 0;                         // to the background colour
  virtual void DrawChar(int x, int y, char16_t c) = 0;   // top-left corner at (x, y)
  virtual int CharWidth(char16_t c) = 0;            // in the attributes now in force
};

// Draws markup onto surface, from the same reset state every time. Before
// drawing, each carriage return of markup becomes a line break, and pump
// runs once for each of them.
void RenderMarkup(DrawingSurface& surface, const std::u16string& markup, const EventPump& pump = {});

// text with every occurrence of search replaced (case-sensitive); pump runs
// once per replacement.
std::u16string ReplaceAll(std::u16string text, std::u16string_view search,
                          std::u16string_view replacement, const EventPump& pump = {});

// The value of up to eight hexadecimal digits (only the last eight count);
// non-digits count as 0.
float HexToNumber(std::u16string_view hex);

// 0..15 for 0-9 and A-F, 0 for anything else, lower-case letters included.
int HexDigitValue(char16_t c);

}  // namespace quillon
