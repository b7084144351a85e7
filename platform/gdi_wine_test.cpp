// The owners of device contexts and selections, and the retained surface
// built on them.
#include "platform/gdi.h"

#include <gtest/gtest.h>

#include "platform/gdi_surface.h"

namespace quillon {
namespace {

TEST(Selection, SelectsForItsLifetimeAndPutsTheReplacedObjectBack) {
  const MemoryDc dc;
  ASSERT_TRUE(dc);
  HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_FONT);
  const Font font = MakeFont(FontSpec{}, 96);
  {
    const Selection selected(dc.get(), font.get());
    EXPECT_TRUE(selected);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), font.get());
  }
  EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_FONT), original);
  EXPECT_FALSE(Selection(dc.get(), nullptr));
}

TEST(GdiSurface, StartsInItsBackgroundAndPaintsWhatIsDrawnOntoAnotherDc) {
  const auto surface = GdiSurface::Create(40, 20, RGB(1, 2, 3));
  ASSERT_TRUE(surface);
  EXPECT_EQ(GetPixel(surface->dc(), 39, 19), RGB(1, 2, 3));
  surface->SetForeColor(RGB(250, 0, 0));
  surface->SetFontSize(14);
  surface->DrawChar(0, 0, u'\u2588');  // a full block: red pixels wherever it lands

  const MemoryDc target;
  const Bitmap bitmap(CreateCompatibleBitmap(ScreenDc().get(), 40, 20));
  const Selection selected(target.get(), bitmap.get());
  ASSERT_TRUE(selected);
  surface->Paint(target.get(), RECT{0, 0, 40, 20});
  int red = 0;
  for (int x = 0; x < 40; ++x)
    for (int y = 0; y < 20; ++y) red += GetPixel(target.get(), x, y) == RGB(250, 0, 0);
  EXPECT_GT(red, 10);
  EXPECT_EQ(GetPixel(target.get(), 39, 19), RGB(1, 2, 3));
}

TEST(GdiSurface, FontsAreMadeForTheDpiItIsGivenElseTheScreens) {
  const auto screen = GdiSurface::Create(10, 10, 0);
  const auto at96 = GdiSurface::Create(10, 10, 0, 96), at144 = GdiSurface::Create(10, 10, 0, 144);
  ASSERT_TRUE(screen && at96 && at144);
  EXPECT_EQ(screen->dpi(), GetDeviceCaps(ScreenDc().get(), LOGPIXELSY));
  // Ten points at 96 DPI are about 13 pixels high, at 144 about 20.
  const int height96 = at96->TextHeight(), height144 = at144->TextHeight();
  EXPECT_GE(height96, 13);
  EXPECT_NEAR(height144, height96 * 1.5, 2);
  EXPECT_NEAR(at144->CharWidth(u'W'), at96->CharWidth(u'W') * 1.5, 2);
  at96->SetFontSize(20);
  EXPECT_NEAR(at96->TextHeight(), height96 * 2, 3);
}

TEST(GdiSurface, ASurfaceTheSystemCannotMakeIsNotMade) {
  EXPECT_EQ(GdiSurface::Create(1 << 20, 1 << 20, 0), nullptr);
}

}  // namespace
}  // namespace quillon
