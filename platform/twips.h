// Layout is written in twips (1/1440 inch) and turned into pixels here, once,
// with the real DPI: 15 twips a pixel at 96 DPI.
#pragma once

namespace quillon {

struct PixelRect { int left, top, width, height; };
struct TwipsRect { int left, top, width, height; };

// Rounds to the nearest pixel, halves away from zero, like MulDiv.
constexpr int TwipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

constexpr double PixelsToTwips(int pixels, int dpi) { return pixels * 1440.0 / dpi; }

// The pixels between the edges at start and start + size. A size of a twip
// or more keeps at least one pixel, even where that reaches into the next
// rect, so that no control vanishes.
constexpr int PixelSpan(int start, int size, int dpi) {
  const int span = TwipsToPixels(start + size, dpi) - TwipsToPixels(start, dpi);
  return size > 0 && span < 1 ? 1 : span;
}

// Edges are converted, not sizes, so that neighbours that touch in twips
// still touch in pixels.
constexpr PixelRect ToPixels(TwipsRect r, int dpi) {
  return {TwipsToPixels(r.left, dpi), TwipsToPixels(r.top, dpi), PixelSpan(r.left, r.width, dpi),
          PixelSpan(r.top, r.height, dpi)};
}

}  // namespace quillon
