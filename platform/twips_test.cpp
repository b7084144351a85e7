#include "platform/twips.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quillon {
namespace {

constexpr int kDpis[] = {96, 120, 144, 192};

// Twips a pixel at each DPI: 15, 12, 10 and 7.5.
TEST(TwipsToPixels, RoundsToTheNearestPixelAndHalvesAwayFromZero) {
  struct Case { int twips, dpi, pixels; };
  const Case cases[] = {
      // 96 DPI: twips / 15 is never exactly a half.
      {0, 96, 0}, {7, 96, 0}, {8, 96, 1}, {15, 96, 1}, {22, 96, 1}, {23, 96, 2}, {-7, 96, 0}, {-8, 96, -1},
      {1440, 96, 96}, {2535, 96, 169},
      // 120 DPI: twips / 12, a half at 6 past each multiple of 12.
      {5, 120, 0}, {6, 120, 1}, {18, 120, 2}, {30, 120, 3}, {-6, 120, -1}, {-18, 120, -2}, {-5, 120, 0},
      {2535, 120, 211},
      // 144 DPI: twips / 10, a half at 5 past each multiple of 10.
      {4, 144, 0}, {5, 144, 1}, {15, 144, 2}, {25, 144, 3}, {-5, 144, -1}, {-25, 144, -3}, {-4, 144, 0},
      {2535, 144, 254},
      // 192 DPI: twips * 2 / 15, never exactly a half.
      {3, 192, 0}, {4, 192, 1}, {11, 192, 1}, {12, 192, 2}, {-3, 192, 0}, {-4, 192, -1}, {2535, 192, 338},
  };
  for (const Case& c : cases) EXPECT_EQ(TwipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " at " << c.dpi;
}

#ifdef _WIN32
TEST(TwipsToPixels, AgreesWithMulDiv) {
  for (int dpi : kDpis)
    for (int twips = -3000; twips <= 6000; ++twips)
      ASSERT_EQ(TwipsToPixels(twips, dpi), MulDiv(twips, dpi, 1440)) << twips << " at " << dpi;
}
#endif

TEST(ToPixels, ARectOfTheLayoutAtEachDpi) {
  // The chat text box, 2295 x 285 twips at (240, 240): right edge 2535,
  // bottom edge 525.
  const TwipsRect box = {240, 240, 2295, 285};
  struct Case { int dpi; PixelRect pixels; };
  const Case cases[] = {
      {96, {16, 16, 153, 19}},   // 169 - 16, 35 - 16
      {120, {20, 20, 191, 24}},  // 211.25 and 43.75 round to 211 and 44
      {144, {24, 24, 230, 29}},  // 253.5 and 52.5 round up to 254 and 53
      {192, {32, 32, 306, 38}},  // 338 - 32, 70 - 32
  };
  for (const Case& c : cases) {
    const PixelRect r = ToPixels(box, c.dpi);
    EXPECT_EQ(r.left, c.pixels.left) << c.dpi;
    EXPECT_EQ(r.top, c.pixels.top) << c.dpi;
    EXPECT_EQ(r.width, c.pixels.width) << c.dpi;
    EXPECT_EQ(r.height, c.pixels.height) << c.dpi;
  }
}

// Rects of a pixel's worth or more that touch in twips, side by side and one
// below the other, still touch in pixels: no gap, no overlap.
TEST(ToPixels, NeighboursThatTouchInTwipsTouchInPixels) {
  for (int dpi : kDpis) {
    const int pixelWorth = (1440 + dpi - 1) / dpi;
    for (int start = 0; start < 1440; ++start) {
      for (int size = pixelWorth; size <= 3 * pixelWorth; ++size) {
        const PixelRect first = ToPixels({start, start, size, size}, dpi);
        const PixelRect right = ToPixels({start + size, start, 500, size}, dpi);
        const PixelRect below = ToPixels({start, start + size, size, 500}, dpi);
        ASSERT_EQ(first.left + first.width, right.left) << start << "+" << size << " at " << dpi;
        ASSERT_EQ(first.top + first.height, below.top) << start << "+" << size << " at " << dpi;
      }
    }
  }
}

// A row of controls of uneven widths across three inches, each starting
// where the one before ends, covers exactly the row's pixels.
TEST(ToPixels, ARowOfTouchingRectsTilesItsPixels) {
  const int widths[] = {495, 105, 615, 90, 255, 975, 735, 315, 285, 15, 16, 17, 23, 379};
  for (int dpi : kDpis) {
    int twips = 0;
    int pixels = TwipsToPixels(0, dpi);
    for (int width : widths) {
      const PixelRect r = ToPixels({twips, 0, width, 255}, dpi);
      EXPECT_EQ(r.left, pixels) << twips << " at " << dpi;
      pixels = r.left + r.width;
      twips += width;
    }
    ASSERT_EQ(twips, 3 * 1440);
    EXPECT_EQ(pixels, 3 * dpi);
  }
}

// However small, a size of a twip or more keeps at least one pixel, wherever
// the rect starts.
TEST(ToPixels, NoSizeShrinksToNothing) {
  for (int dpi : kDpis) {
    for (int start = -1440; start < 1440; ++start) {
      for (int size = 1; size <= 20; ++size) {
        const PixelRect r = ToPixels({start, start, size, size}, dpi);
        ASSERT_GE(r.width, 1) << start << "+" << size << " at " << dpi;
        ASSERT_GE(r.height, 1) << start << "+" << size << " at " << dpi;
      }
    }
    const PixelRect empty = ToPixels({300, 300, 0, 0}, dpi);
    EXPECT_EQ(empty.width, 0);
    EXPECT_EQ(empty.height, 0);
  }
}

}  // namespace
}  // namespace quillon
