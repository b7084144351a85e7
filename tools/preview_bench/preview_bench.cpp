// The cost of one preview redraw as the program does it (fade the 39-bar
// strip and draw it with the markup renderer into the retained surface of
// the strip's size, letting pending events run where the program does),
// next to drawing the same 39 characters with bare TextOutW calls into a
// memory DC in the same font; and of one redraw of the peek (compose the
// longest line, bold and wavy over four colours, measure it and draw it into
// the peek's surface; then also with the popup moved and painted) next to
// the strip's. All measured in the same run: five runs, each the median of
// many redraws; medians and ranges over the runs. Run by hand under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fade/fade.h"
#include "platform/event_pump.h"
#include "platform/gdi.h"
#include "platform/gdi_surface.h"
#include "platform/peek_window.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "preview/markup.h"
#include "tools/testing/timing.h"
#include "ui/common/compose.h"
#include "ui/common/peek.h"

namespace {

using namespace quillon;

using testing::MedianMicroseconds;

constexpr int kRuns = 5;

struct Spread {
  double median, low, high;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
}

void Print(const char* what, const std::vector<double>& values, const char* unit) {
  const Spread s = SpreadOf(values);
  std::printf("%-52s %9.2f %s (%.2f-%.2f)\n", what, s.median, unit, s.low, s.high);
}

}  // namespace

int main() {
  const int dpi = ScreenDpi();
  const int width = TwipsToPixels(1815, dpi), height = TwipsToPixels(255, dpi);
  const std::u16string strip(39, u'|');

  const auto surface = GdiSurface::Create(width, height, GetSysColor(COLOR_BTNFACE), dpi);
  if (!surface) return 1;
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
    GdiSurface* measuring = popup.MeasuringSurface(dpi);
    const PeekLayout layout = MeasurePeek(*measuring, [measuring] { return measuring->TextHeight(); }, line, padding);
    GdiSurface* peekSurface = popup.SurfaceFor(layout.width, layout.height, dpi);
    DrawPeek(*peekSurface, line, layout);
    return layout;
  };
  int shift = 0;

  std::vector<double> redraws, unpumpeds, bares, peeks, shownPeeks;
  std::vector<double> ratios, unpumpedRatios, peekRatios, shownRatios;
  for (int run = 0; run < kRuns; ++run) {
    const double redraw = MedianMicroseconds(500, [&] {
      RenderMarkup(*surface, FadeFourColors(0, 8388608, 12582912, 16711680, strip, 0, PumpPendingMessages),
                   PumpPendingMessages);
    });
    const double unpumped = MedianMicroseconds(500, [&] {
      RenderMarkup(*surface, FadeFourColors(0, 8388608, 12582912, 16711680, strip, 0));
    });
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
    const double peek = MedianMicroseconds(500, drawPeek);
    const double shown = MedianMicroseconds(200, [&] {
      const PeekLayout layout = drawPeek();
      shift = 1 - shift;  // moved a pixel each time, as a new line would resize it
      popup.ShowAt(RECT{100 + shift, 100, 100 + shift + layout.width, 100 + layout.height});
    });
    popup.Hide();
    redraws.push_back(redraw);
    unpumpeds.push_back(unpumped);
    bares.push_back(bare);
    peeks.push_back(peek);
    shownPeeks.push_back(shown);
    ratios.push_back(redraw / bare);
    unpumpedRatios.push_back(unpumped / bare);
    peekRatios.push_back(peek / unpumped);
    shownRatios.push_back(shown / unpumped);
  }

  std::printf("%d runs; median (range) over the runs\n", kRuns);
  Print("preview redraw as the program does it (pumped)", redraws, "us");
  Print("preview redraw without letting events run", unpumpeds, "us");
  Print("39 bare TextOutW calls", bares, "us");
  Print("peek redraw (compose + measure + draw, 70 characters)", peeks, "us");
  Print("peek redraw, popup moved and painted", shownPeeks, "us");
  Print("ratio: preview redraw (pumped) / bare", ratios, "x ");
  Print("ratio: preview redraw (not pumped) / bare", unpumpedRatios, "x ");
  Print("ratio: peek redraw / preview redraw (not pumped)", peekRatios, "x ");
  Print("ratio: peek shown / preview redraw (not pumped)", shownRatios, "x ");
  return 0;
}
