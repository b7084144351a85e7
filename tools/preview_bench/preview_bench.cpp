// The cost of one preview redraw (fade the 39-bar strip, draw it with the
// markup renderer into the retained surface of the strip's size) next to
// drawing the same 39 characters with bare TextOutW calls into a memory DC
// in the same font, and next to one redraw of the peek (compose the longest
// line, bold and wavy over four colours, measure it and draw it into the
// peek's surface; then also with the popup moved and painted), measured in
// the same run. Run by hand under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fade/fade.h"
#include "platform/gdi.h"
#include "platform/gdi_surface.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "platform/peek_window.h"
#include "preview/markup.h"
#include "tools/testing/timing.h"
#include "ui/common/compose.h"
#include "ui/common/peek.h"

namespace {

using namespace quillon;

using testing::MedianMicroseconds;

}  // namespace

int main() {
  const int dpi = ScreenDpi();
  const int width = TwipsToPixels(1815, dpi), height = TwipsToPixels(255, dpi);
  const std::u16string strip(39, u'|');

  const auto surface = GdiSurface::Create(width, height, GetSysColor(COLOR_BTNFACE));
  if (!surface) return 1;
  const double redraw = MedianMicroseconds(500, [&] {
    RenderMarkup(*surface, FadeFourColors(0, 8388608, 12582912, 16711680, strip, 0));
  });

  const MemoryDc memory;
  const Bitmap bitmap(CreateCompatibleBitmap(ScreenDc().get(), width, height));
  const Selection bitmapSelected(memory.get(), bitmap.get());
  FontSpec wanted;
  wanted.face = L"Arial";
  wanted.points = 10;
  const Font font = MakeFont(wanted, dpi);
  const Selection fontSelected(memory.get(), font.get());
  if (!bitmapSelected || !fontSelected) return 1;
  HDC dc = memory.get();
  SetBkMode(dc, TRANSPARENT);
  const double bare = MedianMicroseconds(500, [&] {
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    int x = 2;
    for (int i = 0; i < 39; ++i) {
      SetTextColor(dc, RGB(0, 0, i * 6));
      TextOutW(dc, x, 0, L"|", 1);
      SIZE size;
      GetTextExtentPoint32W(dc, L"|", 1, &size);
      x += size.cx;
    }
  });

  ComposeInputs in;
  in.fontOpen = u"<font face=\"";
  in.fontName = u"arial";
  in.fontClose = u"\">";
  in.bold = in.wavy = 1;
  in.colours = {0x0000FF, 0x00FFFF, 0x00FF00, 0xFF0000};
  in.text = u"The quick brown fox jumps over the lazy dog, then over the fence too!";
  in.text.resize(70, u'!');
  const int padding = MulDiv(4, dpi, 96);
  PeekWindow popup;
  if (!popup.Create()) return 1;
  auto drawPeek = [&] {
    const std::u16string line = ComposeLine(in);
    GdiSurface* measuring = popup.SurfaceFor(1, 1, dpi);
    const PeekLayout layout = MeasurePeek(*measuring, [measuring] { return measuring->TextHeight(); }, line, padding);
    GdiSurface* surface = popup.SurfaceFor(layout.width, layout.height, dpi);
    DrawPeek(*surface, line, layout);
    return layout;
  };
  const double peek = MedianMicroseconds(500, drawPeek);
  int shift = 0;
  const double shown = MedianMicroseconds(200, [&] {
    const PeekLayout layout = drawPeek();
    shift = 1 - shift;  // moved a pixel each time, as a new line would resize it
    popup.ShowAt(RECT{100 + shift, 100, 100 + shift + layout.width, 100 + layout.height});
  });
  popup.Hide();

  std::printf("preview redraw (fade + render): %8.1f us\n", redraw);
  std::printf("39 bare TextOutW calls:         %8.1f us\n", bare);
  std::printf("ratio:                          %8.2f\n", redraw / bare);
  std::printf("peek redraw (compose + measure + draw, 70 characters): %8.1f us\n", peek);
  std::printf("peek redraw, popup moved and painted:                  %8.1f us\n", shown);
  std::printf("peek redraw / preview redraw:                          %8.2f\n", peek / redraw);
  std::printf("peek redraw shown / preview redraw:                    %8.2f\n", shown / redraw);
  return 0;
}
