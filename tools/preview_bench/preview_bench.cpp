// The cost of one preview redraw as the program does it (fade the 39-bar
// strip and draw it with the markup renderer into the retained surface of
// the strip's size, letting pending events run where the program does),
// next to drawing the same 39 characters with bare TextOutW calls into a
// memory DC in the same font, measured in the same run. Five runs, each the
// median of 500 redraws; the ratio's median and range over the runs.
// Run by hand under Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "fade/fade.h"
#include "platform/event_pump.h"
#include "platform/gdi.h"
#include "platform/gdi_surface.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "preview/markup.h"
#include "tools/testing/timing.h"

namespace {

using namespace quillon;

using testing::MedianMicroseconds;

constexpr int kRuns = 5, kRounds = 500;

struct Spread {
  double median, low, high;
};

Spread SpreadOf(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return {values[values.size() / 2], values.front(), values.back()};
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

  std::vector<double> redraws, unpumpeds, bares, ratios, unpumpedRatios;
  for (int run = 0; run < kRuns; ++run) {
    const double redraw = MedianMicroseconds(kRounds, [&] {
      RenderMarkup(*surface, FadeFourColors(0, 8388608, 12582912, 16711680, strip, 0, PumpPendingMessages),
                   PumpPendingMessages);
    });
    const double unpumped = MedianMicroseconds(kRounds, [&] {
      RenderMarkup(*surface, FadeFourColors(0, 8388608, 12582912, 16711680, strip, 0));
    });
    const double bare = MedianMicroseconds(kRounds, [&] {
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
    redraws.push_back(redraw);
    unpumpeds.push_back(unpumped);
    bares.push_back(bare);
    ratios.push_back(redraw / bare);
    unpumpedRatios.push_back(unpumped / bare);
  }

  const Spread redraw = SpreadOf(redraws), unpumped = SpreadOf(unpumpeds), bare = SpreadOf(bares);
  const Spread ratio = SpreadOf(ratios), unpumpedRatio = SpreadOf(unpumpedRatios);
  std::printf("%d runs, each the median of %d; median (range)\n", kRuns, kRounds);
  std::printf("preview redraw (fade + render, pumped): %8.1f us (%.1f-%.1f)\n", redraw.median, redraw.low, redraw.high);
  std::printf("the same without letting events run:    %8.1f us (%.1f-%.1f)\n", unpumped.median, unpumped.low,
              unpumped.high);
  std::printf("39 bare TextOutW calls:                 %8.1f us (%.1f-%.1f)\n", bare.median, bare.low, bare.high);
  std::printf("ratio, redraw as the program does it:   %8.2f    (%.2f-%.2f)\n", ratio.median, ratio.low, ratio.high);
  std::printf("ratio, without the pump:                %8.2f    (%.2f-%.2f)\n", unpumpedRatio.median,
              unpumpedRatio.low, unpumpedRatio.high);
  return 0;
}
