#include "ui/common/palettes.h"

#include <gtest/gtest.h>

#include "fade/testing/reference_fade.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>

namespace quillon {
namespace {

// The contrast against white as the WCAG 2.0 text writes it, in long double
// and with its own threshold: an implementation of its own, not the code's.
long double Lin(int channel) {
  const long double c = channel / 255.0L;
  return c <= 0.03928L ? c / 12.92L : std::pow((c + 0.055L) / 1.055L, 2.4L);
}
long double Ratio(int r, int g, int b) {
  return (1.0L + 0.05L) / (0.2126L * Lin(r) + 0.7152L * Lin(g) + 0.0722L * Lin(b) + 0.05L);
}
// OleColor is 0x00BBGGRR.
int R(OleColor c) { return c & 0xFF; }
int G(OleColor c) { return (c >> 8) & 0xFF; }
int B(OleColor c) { return (c >> 16) & 0xFF; }
long double Ratio(OleColor c) { return Ratio(R(c), G(c), B(c)); }
OleColor Ole(int r, int g, int b) { return r | (g << 8) | (b << 16); }
std::string Hex(OleColor c) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", R(c), G(c), B(c));
  return text;
}

TEST(Palettes, TwelveNamedPalettesOfTwoToFourColoursEachReadableOnWhite) {
  ASSERT_EQ(Palettes().size(), 12u);
  std::set<std::u16string_view> names;
  for (const Palette& p : Palettes()) {
    EXPECT_FALSE(p.name.empty());
    names.insert(p.name);
    ASSERT_GE(p.count, 2);
    ASSERT_LE(p.count, 4);
    for (int i = 0; i < p.count; ++i) {
      const OleColor c = p.colours[static_cast<std::size_t>(i)];
      EXPECT_GE(Ratio(c), 3.0L) << std::string(p.name.begin(), p.name.end()) << " colour " << i + 1 << " #" << Hex(c);
      EXPECT_EQ(c & 0xFF000000, 0);
    }
  }
  EXPECT_EQ(names.size(), 12u);
}

TEST(Palettes, ContrastOfKnownColoursAgainstWhite) {
  struct Case {
    int r, g, b;
    double ratio;  // as contrast checkers publish it, to two places
  } cases[] = {
      {255, 255, 0, 1.07},    // pure yellow
      {0, 0, 0, 21.00},       // black
      {255, 255, 255, 1.00},  // white
      {255, 0, 0, 4.00},      // pure red
      {0, 0, 255, 8.59},      // pure blue
      {0, 128, 0, 5.14},      // green
      {0x76, 0x76, 0x76, 4.54},
      {0x94, 0x94, 0x94, 3.03},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ContrastOnWhite(Ole(c.r, c.g, c.b)), c.ratio, 0.005) << c.r << "," << c.g << "," << c.b;
    EXPECT_NEAR(static_cast<double>(Ratio(c.r, c.g, c.b)), c.ratio, 0.005);
  }
  EXPECT_FALSE(ReadsOnWhite(Ole(255, 255, 0)));
  EXPECT_TRUE(ReadsOnWhite(Ole(255, 0, 0)));
}

TEST(Palettes, ReadableOnWhiteDarkensJustEnoughAndKeepsTheHue) {
  // Worked by hand from the formula: the brightest grey that reads is 148
  // (149 gives a luminance of 0.3006), the brightest yellow 154 (155: 0.304).
  struct Case {
    OleColor in;
    OleColor out;
  } cases[] = {
      {Ole(255, 255, 0), Ole(0x9A, 0x9A, 0)},
      {Ole(255, 255, 255), Ole(0x94, 0x94, 0x94)},
      {Ole(0, 0, 0), Ole(0, 0, 0)},             // reads already
      {Ole(255, 0, 0), Ole(255, 0, 0)},         // 4.00: reads already
      {0x800000, 0x800000},                     // navy
      {static_cast<OleColor>(0x8000000F), static_cast<OleColor>(0x8000000F)},  // a dark value kept as it is
  };
  for (const Case& c : cases) EXPECT_EQ(Hex(ReadableOnWhite(c.in)), Hex(c.out)) << Hex(c.in);
  EXPECT_EQ(ReadableOnWhite(static_cast<OleColor>(0x8000000F)), static_cast<OleColor>(0x8000000F));

  // Over a grid of colours: a colour that reads is kept; one that does not
  // becomes the brightest shade that reads among the colour's shades (its
  // channels scaled by top / brightest, rounded), so the hue stays.
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 15)
      for (int b = 0; b < 256; b += 15) {
        const OleColor in = Ole(r, g, b), out = ReadableOnWhite(in);
        if (Ratio(in) >= 3.0L) {
          ASSERT_EQ(out, in) << Hex(in);
          continue;
        }
        const int top = std::max({r, g, b});
        auto shade = [&](int t) {
          auto s = [&](int v) { return static_cast<int>(std::floor(v * static_cast<double>(t) / top + 0.5)); };
          return Ole(s(r), s(g), s(b));
        };
        int expected = top;
        while (Ratio(shade(expected)) < 3.0L) --expected;
        ASSERT_EQ(Hex(out), Hex(shade(expected))) << Hex(in);
        ASSERT_GE(Ratio(out), 3.0L) << Hex(in);
        ASSERT_LT(Ratio(shade(expected + 1)), 3.0L) << Hex(in);
      }
}

TEST(Palettes, NoColourLiesSoNearTheThresholdThatRoundingCouldDecideIt) {
  // Whether a colour reads is decided in double precision; x87 and SSE
  // builds round the powers differently in the last places only. Over all
  // 2^24 colours the luminance keeps well clear of 0.3.
  long double lin[256];
  for (int i = 0; i < 256; ++i) lin[i] = Lin(i);
  long double nearest = 1;
  for (int r = 0; r < 256; ++r)
    for (int g = 0; g < 256; ++g)
      for (int b = 0; b < 256; ++b)
        nearest = std::min(nearest, std::fabs(0.2126L * lin[r] + 0.7152L * lin[g] + 0.0722L * lin[b] - 0.3L));
  EXPECT_GT(nearest, 1e-9L);
}

TEST(Palettes, ChoosingReversingAndDarkeningTouchOnlyTheColoursInUse) {
  const std::array<OleColor, 4> four{1, 2, 3, 4};
  EXPECT_EQ(ReversedInUse(four, 2), (std::array<OleColor, 4>{2, 1, 3, 4}));
  EXPECT_EQ(ReversedInUse(four, 3), (std::array<OleColor, 4>{3, 2, 1, 4}));
  EXPECT_EQ(ReversedInUse(four, 4), (std::array<OleColor, 4>{4, 3, 2, 1}));
  EXPECT_EQ(ReversedInUse(ReversedInUse(four, 4), 4), four);

  const OleColor yellow = Ole(255, 255, 0), darkYellow = Ole(0x9A, 0x9A, 0);
  EXPECT_EQ(ReadableInUse({yellow, yellow, yellow, yellow}, 3),
            (std::array<OleColor, 4>{darkYellow, darkYellow, darkYellow, yellow}));

  for (const Palette& p : Palettes()) {
    const auto set = WithPalette(four, p);
    for (int i = 0; i < 4; ++i) {
      const auto at = static_cast<std::size_t>(i);
      EXPECT_EQ(set[at], i < p.count ? p.colours[at] : four[at]);
    }
    EXPECT_EQ(BarForCount(p.count), p.count - 2);
    // A palette reads already: making it readable changes nothing.
    EXPECT_EQ(ReadableInUse(set, p.count), set);
  }
}

TEST(Palettes, TheRampGradesThePaletteAsTheFadeDoes) {
  const Palette p{u"test", 2, {Ole(0, 0, 0), Ole(255, 255, 255), 0, 0}};
  // Black to white over two bars: the midpoint (127.5 to the even 128), then white.
  EXPECT_EQ(PaletteRamp(p, 2), (std::vector<OleColor>{Ole(128, 128, 128), Ole(255, 255, 255)}));
  for (const Palette& q : Palettes()) {
    const auto ramp = PaletteRamp(q, 48);
    ASSERT_EQ(ramp.size(), 48u);
    EXPECT_EQ(ramp.back(), q.colours[static_cast<std::size_t>(q.count - 1)]);
    // Bar by bar as the reference fade grades the palette's colours.
    std::vector<OleColor> expected;
    for (const testing::Rgb& c : testing::ReferenceColours({q.colours.begin(), q.colours.begin() + q.count}, 48))
      expected.push_back(Ole(c.red, c.green, c.blue));
    EXPECT_EQ(ramp, expected) << std::string(q.name.begin(), q.name.end());
  }
  EXPECT_TRUE(PaletteRamp(p, 0).empty());
}

}  // namespace
}  // namespace quillon
