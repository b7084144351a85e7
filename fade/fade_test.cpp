#include "fade/fade.h"

#include <gtest/gtest.h>

#include "fade/testing/reference_fade.h"

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <string>
#include <vector>

namespace quillon {
namespace {

constexpr OleColor kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000;
constexpr OleColor kWhite = 0xFFFFFF, kBlack = 0;

std::string Ascii(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

// One character's piece of markup: its colour tag, its wave tag if any, the
// character.
std::string Piece(const std::string& code, char c, const std::string& wave = "") {
  return "<Font Color=#" + code + ">" + wave + c;
}

// The colour codes of a faded markup, in order.
std::vector<std::string> Codes(const std::u16string& markup) {
  std::vector<std::string> codes;
  const std::u16string open = u"<Font Color=#";
  for (auto at = markup.find(open); at != std::u16string::npos; at = markup.find(open, at + 1))
    codes.push_back(Ascii(markup.substr(at + open.size(), 6)));
  return codes;
}

// The colour's code, as the reference fade writes it.
std::string Code(OleColor c) { return testing::ReferenceCode(testing::ReferenceChannels(c)); }

std::u16string ReferenceFade(const std::vector<OleColor>& colours, const std::u16string& text,
                             std::int16_t wavy) {
  return testing::ReferenceFade(colours, text, wavy == -1);
}

// The fade through the colours given, two to four.
std::u16string FadeThrough(const std::vector<OleColor>& c, const std::u16string& text, std::int16_t wavy) {
  std::array<OleColor, 4> four{};
  std::copy(c.begin(), c.end(), four.begin());
  return Fade(four, ColourCount::Of(static_cast<int>(c.size())), text, wavy);
}

TEST(ColourCodes, PadHexFillsToSixDigitsAndLeavesLongerTextAlone) {
  const std::pair<std::int32_t, const char*> cases[] = {
      {0, "000000"}, {15, "00000F"}, {255, "0000FF"}, {0xABCDE, "0ABCDE"}, {0x123456, "123456"},
      {0xFFFFFF, "FFFFFF"}, {0x1000000, "1000000"}, {-1, "FFFFFFFF"},
      {static_cast<std::int32_t>(0x8000000F), "8000000F"}, {INT32_MIN, "80000000"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(PadHex(value), text) << value;
}

TEST(ColourCodes, SplitColorReadsTheTextPositions) {
  struct Case { OleColor colour; int red, green, blue; };
  const Case cases[] = {
      {255, 255, 0, 0}, {0xFF0000, 0, 0, 255}, {0x336699, 153, 102, 51},
      {static_cast<OleColor>(0x8000000F), 15, 0, 128}, {0x01FF8040, 64, 248, 31}, {-1, 255, 255, 255}};
  for (const Case& c : cases) {
    const Channels ch = SplitColor(c.colour);
    EXPECT_EQ(ch.red, c.red) << c.colour;
    EXPECT_EQ(ch.green, c.green) << c.colour;
    EXPECT_EQ(ch.blue, c.blue) << c.colour;
  }
}

TEST(ColourCodes, ColorCodeIsRedFirstInUpperCase) {
  EXPECT_EQ(ColorCode(255, 0, 0), "FF0000");
  EXPECT_EQ(ColorCode(0, 0, 255), "0000FF");
  EXPECT_EQ(ColorCode(153, 102, 51), "996633");
  EXPECT_EQ(ColorCode(171, 205, 239), "ABCDEF");
  EXPECT_EQ(ColorCode(0, 0, 0), "000000");
}

TEST(ColourCodes, EveryOrdinaryColourRoundTripsToItsBytesReversed) {
  static const char digits[] = "0123456789ABCDEF";
  for (OleColor c = 0; c <= 0xFFFFFF; ++c) {
    const Channels ch = SplitColor(c);
    const std::string code = ColorCode(ch.red, ch.green, ch.blue);
    const char expected[6] = {digits[(c >> 4) & 15],  digits[c & 15],         digits[(c >> 12) & 15],
                              digits[(c >> 8) & 15],  digits[(c >> 20) & 15], digits[(c >> 16) & 15]};
    if (code != std::string(expected, 6)) FAIL() << "colour " << c << " gave " << code;
  }
}

TEST(ColourCount, BarValuesAndCountsConvertBothWaysAndBeyondTheEndsCountAsTheNearest) {
  struct Case { int bar, colours; };
  const Case fromBar[] = {{INT_MIN, 2}, {-1, 2}, {0, 2}, {1, 3}, {2, 4}, {3, 4}, {INT_MAX, 4}};
  for (const Case& c : fromBar) {
    EXPECT_EQ(ColourCount::FromBar(c.bar).Colours(), c.colours) << c.bar;
    EXPECT_EQ(ColourCount::FromBar(c.bar), ColourCount::Of(c.colours)) << c.bar;
  }
  const Case ofCount[] = {{0, INT_MIN}, {0, 1}, {0, 2}, {1, 3}, {2, 4}, {2, 5}, {2, INT_MAX}};
  for (const Case& c : ofCount) EXPECT_EQ(ColourCount::Of(c.colours).Bar(), c.bar) << c.colours;
}

TEST(Fade, FadesThroughTheCountsColoursAndOnlyTheFourColourFadeRunsThePump) {
  const std::array<OleColor, 4> colours{kRed, kGreen, kBlue, kWhite};
  const std::u16string text = u"abcdefg";
  for (const std::int16_t wavy : {0, -1}) {
    struct Case { int colours; std::u16string expected; int passes; };
    const Case cases[] = {
        {2, FadeTwoColors(kRed, kGreen, text, wavy), 0},
        {3, FadeThreeColors(kRed, kGreen, kBlue, text, wavy), 0},
        {4, FadeFourColors(kRed, kGreen, kBlue, kWhite, text, wavy), 3},  // seven characters: three passes
    };
    for (const Case& c : cases) {
      int passes = 0;
      EXPECT_EQ(Fade(colours, ColourCount::Of(c.colours), text, wavy, [&] { ++passes; }), c.expected) << c.colours;
      EXPECT_EQ(passes, c.passes) << c.colours;
    }
  }
}

TEST(Fade, TwoColoursStepEvenlyToTheSecondAndTheWaveCyclesItsFourTags) {
  const std::string plain = Piece("BF0040", 'a') + Piece("800080", 'b') + Piece("4000BF", 'c') +
                            Piece("0000FF", 'd');
  EXPECT_EQ(Ascii(FadeTwoColors(kRed, kBlue, u"abcd", 0)), plain);
  const std::string wavy = Piece("BF0040", 'a', "<sup>") + Piece("800080", 'b', "</sup>") +
                           Piece("4000BF", 'c', "<sub>") + Piece("0000FF", 'd', "</sub>");
  EXPECT_EQ(Ascii(FadeTwoColors(kRed, kBlue, u"abcd", -1)), wavy);
}

TEST(Fade, ThreeColoursReachTheMiddleOneHalfwayThenTheLast) {
  EXPECT_EQ(Ascii(FadeThreeColors(kRed, kGreen, kBlue, u"abcde", 0)),
            Piece("808000", 'a') + Piece("00FF00", 'b') + Piece("00AA55", 'c') +
                Piece("0055AA", 'd') + Piece("0000FF", 'e'));
}

TEST(Fade, FourColoursSplitSevenCharactersThreeTwoTwoWithTheWaveRunningAcrossSegments) {
  EXPECT_EQ(Ascii(FadeFourColors(kRed, kGreen, kBlue, kWhite, u"abcdefg", -1)),
            Piece("AA5500", 'a', "<sup>") + Piece("55AA00", 'b', "</sup>") +
                Piece("00FF00", 'c', "<sub>") + Piece("008080", 'd', "</sub>") +
                Piece("0000FF", 'e', "<sup>") + Piece("8080FF", 'f', "</sup>") +
                Piece("FFFFFF", 'g', "<sub>"));
}

TEST(Fade, ShortTextsTakeTheColoursTheSegmentsEndWith) {
  const OleColor c1 = 0x010203, c2 = 0x40C080, c3 = 0x0A0B0C, c4 = 0xFEDCBA;
  for (std::int16_t wavy : {0, -1}) {
    EXPECT_TRUE(FadeTwoColors(c1, c2, u"", wavy).empty());
    EXPECT_TRUE(FadeThreeColors(c1, c2, c3, u"", wavy).empty());
    EXPECT_TRUE(FadeFourColors(c1, c2, c3, c4, u"", wavy).empty());
  }
  EXPECT_EQ(Codes(FadeTwoColors(c1, c2, u"x", 0)), std::vector<std::string>{Code(c2)});
  EXPECT_EQ(Codes(FadeThreeColors(c1, c2, c3, u"x", 0)), std::vector<std::string>{Code(c3)});
  EXPECT_EQ(Codes(FadeFourColors(c1, c2, c3, c4, u"x", 0)), std::vector<std::string>{Code(c2)});
  EXPECT_EQ(Codes(FadeThreeColors(c1, c2, c3, u"xy", 0)), (std::vector<std::string>{Code(c2), Code(c3)}));
  EXPECT_EQ(Codes(FadeFourColors(c1, c2, c3, c4, u"xy", 0)), (std::vector<std::string>{Code(c2), Code(c3)}));
  EXPECT_EQ(Codes(FadeFourColors(c1, c2, c3, c4, u"xyz", 0)),
            (std::vector<std::string>{Code(c2), Code(c3), Code(c4)}));
  EXPECT_EQ(Ascii(FadeTwoColors(kRed, kBlue, u"x", -1)), Piece("0000FF", 'x', "<sup>"));
}

TEST(Fade, ExactHalvesGoToTheEvenChannel) {
  EXPECT_EQ(Codes(FadeTwoColors(kBlack, kWhite, u"ab", 0)), (std::vector<std::string>{"808080", "FFFFFF"}));
  EXPECT_EQ(Codes(FadeTwoColors(1, 4, u"ab", 0)), (std::vector<std::string>{"020000", "040000"}));
  // 0.5 goes down to 0, 1.5 up to 2.
  EXPECT_EQ(Codes(FadeTwoColors(0, 1, u"ab", 0)), (std::vector<std::string>{"000000", "010000"}));
  EXPECT_EQ(Codes(FadeTwoColors(1, 2, u"ab", 0)), (std::vector<std::string>{"020000", "020000"}));
}

// Descending fades whose value x * step + start is exactly a half once the
// product is rounded before the start is added. Fused into one rounding, the
// value moves off the half and the channel by one. The comments give the
// exact values; each half goes to the even channel.
TEST(Fade, HalvesOfDescendingFadesGoToTheEvenChannel) {
  // 2 - x/6: 1.5 at the third character, 0.5 at the ninth.
  EXPECT_EQ(Codes(FadeTwoColors(2, 0, std::u16string(12, u'x'), 0)),
            (std::vector<std::string>{"020000", "020000", "020000", "010000", "010000", "010000",
                                      "010000", "010000", "000000", "000000", "000000", "000000"}));
  struct Case {
    OleColor from, to;
    std::size_t length, position;
    const char* code;
  };
  const Case cases[] = {
      {0x000300, 0, 18, 15, "000000"},  // green 3 - 15*3/18 = 0.5
      {0x040000, 0, 24, 21, "000000"},  // blue 4 - 21*4/24 = 0.5
      {20, 0, 24, 15, "080000"},        // 20 - 15*20/24 = 7.5
      {7, 0, 70, 55, "020000"},         // 7 - 55*7/70 = 1.5
      {15, 0, 70, 49, "040000"},        // 15 - 49*15/70 = 4.5
      {151, 1, 36, 21, "400000"},       // 151 - 21*150/36 = 63.5
      {255, 81, 36, 27, "7C0000"},      // 255 - 27*174/36 = 124.5
      {0x060302, 0, 36, 27, "000102"},  // red 2 - 27*2/36 = 0.5, green 0.75, blue 1.5
      {0x060302, 0, 36, 30, "000001"},  // red 1/3, green 3 - 30*3/36 = 0.5, blue 1
      {0x060302, 0, 36, 33, "000000"},  // red 1/6, green 0.25, blue 6 - 33*6/36 = 0.5
  };
  for (const Case& c : cases) {
    const auto codes = Codes(FadeTwoColors(c.from, c.to, std::u16string(c.length, u'x'), 0));
    EXPECT_EQ(codes[c.position - 1], c.code)
        << "character " << c.position << " of " << c.length << ", " << Code(c.from) << " to " << Code(c.to);
  }
  // The same twelve-character segment inside the three- and four-colour fades.
  const std::u16string text24(24, u'x'), text36(36, u'x');
  EXPECT_EQ(Codes(FadeThreeColors(2, 0, 0, text24, 0))[8], "000000");
  EXPECT_EQ(Codes(FadeThreeColors(0, 2, 0, text24, 0))[12 + 8], "000000");
  EXPECT_EQ(Codes(FadeFourColors(2, 0, 0, 0, text36, 0))[8], "000000");
  EXPECT_EQ(Codes(FadeFourColors(0, 0, 2, 0, text36, 0))[24 + 8], "000000");
}

TEST(Fade, EqualColoursGiveOneCodeThroughout) {
  const std::u16string text(50, u'z');
  for (auto colours : {std::vector<OleColor>{0x123456, 0x123456},
                       std::vector<OleColor>(3, 0x123456), std::vector<OleColor>(4, 0x123456)})
    for (const std::string& code : Codes(FadeThrough(colours, text, 0))) ASSERT_EQ(code, "563412");
}

TEST(Fade, MarkupAndOtherCharactersPassUnchangedEachAfterItsOwnTag) {
  const std::u16string text = u"<a href=\"x\">&amp; \u00e9\u4e2d\r\n";
  const std::u16string markup = FadeTwoColors(kRed, kBlue, text, 0);
  ASSERT_EQ(markup.size(), text.size() * 21);
  for (std::size_t i = 0; i < text.size(); ++i) {
    EXPECT_EQ(markup.substr(i * 21, 13), u"<Font Color=#");
    EXPECT_EQ(markup[i * 21 + 19], u'>');
    EXPECT_EQ(markup[i * 21 + 20], text[i]) << i;
  }
}

TEST(Fade, OnlyMinusOneSwitchesTheWaveOn) {
  for (std::int16_t wavy : {0, 1, 2, -2, 32767}) {
    const std::u16string markup = FadeFourColors(kRed, kGreen, kBlue, kWhite, u"abcdefg", wavy);
    EXPECT_EQ(markup.find(u"<su"), std::u16string::npos) << wavy;
    EXPECT_EQ(markup, FadeFourColors(kRed, kGreen, kBlue, kWhite, u"abcdefg", 0));
  }
}

TEST(Fade, ThreeAndFourColourSegmentLengthsForTextsOfUpToTenCharacters) {
  // Each length is checked where the segment's end colour is written.
  const int three[][2] = {{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 2}, {2, 3},
                          {3, 3}, {4, 3}, {4, 4}, {4, 5}, {5, 5}};
  const int four[][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {2, 1, 1}, {2, 2, 1},
                         {2, 2, 2}, {3, 2, 2}, {3, 3, 2}, {3, 3, 3}, {4, 3, 3}};
  // Colours far apart so that no intermediate code equals an end colour.
  const OleColor c1 = 0x000000, c2 = 0x0000FF, c3 = 0x00FF00, c4 = 0xFF0000;
  for (int length = 0; length <= 10; ++length) {
    const std::u16string text(length, u'.');
    const auto codes3 = Codes(FadeThreeColors(c1, c2, c3, text, 0));
    ASSERT_EQ(codes3.size(), static_cast<std::size_t>(length));
    if (three[length][0] > 0) {
      EXPECT_EQ(codes3[three[length][0] - 1], Code(c2)) << length;
    }
    const auto codes4 = Codes(FadeFourColors(c1, c2, c3, c4, text, 0));
    ASSERT_EQ(codes4.size(), static_cast<std::size_t>(length));
    int end = 0;
    const OleColor ends[] = {c2, c3, c4};
    for (int s = 0; s < 3; ++s) {
      end += four[length][s];
      if (four[length][s] > 0) {
        EXPECT_EQ(codes4[end - 1], Code(ends[s])) << length << " segment " << s;
      }
    }
  }
}

TEST(Fade, LastCharacterOfEverySegmentCarriesItsEndColourAtEveryLength) {
  const OleColor c1 = 0x102030, c2 = 0xF0E0D0, c3 = 0x7F0080, c4 = 0x00FF11;
  for (std::size_t length = 1; length <= 3000; ++length) {
    const std::u16string text(length, u'#');
    const auto codes3 = Codes(FadeThreeColors(c1, c2, c3, text, -1));
    ASSERT_EQ(codes3.size(), length);
    const std::size_t half = length / 2 + (length % 4 == 3);
    if (half > 0) {
      ASSERT_EQ(codes3[half - 1], Code(c2)) << length;
    }
    ASSERT_EQ(codes3.back(), Code(c3)) << length;
    const auto codes4 = Codes(FadeFourColors(c1, c2, c3, c4, text, 0));
    const std::size_t a = (length + 2) / 3, b = (length + 1) / 3, c = length / 3;
    ASSERT_EQ(a + b + c, length);
    ASSERT_EQ(codes4[a - 1], Code(c2)) << length;
    if (b > 0) {
      ASSERT_EQ(codes4[a + b - 1], Code(c3)) << length;
    }
    if (c > 0) {
      ASSERT_EQ(codes4.back(), Code(c4)) << length;
    }
    ASSERT_EQ(Codes(FadeTwoColors(c1, c2, text, 0)).back(), Code(c2)) << length;
  }
}

TEST(Fade, MatchesALiteralPieceByPieceFade) {
  std::mt19937 random(20261207);
  std::uniform_int_distribution<OleColor> colour(0, 0xFFFFFF);
  std::uniform_int_distribution<int> length(0, 400);
  for (int round = 0; round < 600; ++round) {
    std::u16string text(length(random), u'a');
    for (auto& c : text) c = static_cast<char16_t>(random() % 0xFFFF + 1);
    const std::int16_t wavy = round % 2 ? -1 : 0;
    for (std::size_t count : {2u, 3u, 4u}) {
      std::vector<OleColor> colours(count);
      for (auto& c : colours) c = colour(random);
      if (round % 5 == 0) colours[0] = static_cast<OleColor>(random());  // any top byte
      ASSERT_EQ(FadeThrough(colours, text, wavy), ReferenceFade(colours, text, wavy))
          << count << " colours, length " << text.size() << ", wavy " << wavy;
    }
  }
}

TEST(Fade, TextsBeyondSixteenBitLengthsFadeByTheSameRules) {
  const std::size_t length = 100003;
  std::u16string text(length, u'x');
  const std::vector<OleColor> colours = {kRed, kGreen, kBlue, kWhite};
  for (std::size_t count : {2u, 3u, 4u}) {
    const std::vector<OleColor> used(colours.begin(), colours.begin() + count);
    const std::u16string markup = FadeThrough(used, text, -1);
    ASSERT_EQ(markup, ReferenceFade(used, text, -1)) << count;
    EXPECT_EQ(Codes(markup).size(), length);
  }
}

TEST(Fade, FadeSegmentAppendsAndCarriesTheWaveCounter) {
  std::u16string out = u"start:";
  int wave = 3;
  FadeSegment({255, 0, 0}, {0, 0, 255}, u"ab", -1, wave, out);
  EXPECT_EQ(wave, 1);
  EXPECT_EQ(Ascii(out), "start:" + Piece("800080", 'a', "</sub>") + Piece("0000FF", 'b', "<sup>"));
  FadeSegment({0, 0, 0}, {9, 9, 9}, u"", -1, wave, out);
  EXPECT_EQ(wave, 1);
  FadeSegment({0, 0, 0}, {9, 9, 9}, u"c", 0, wave, out);
  EXPECT_EQ(wave, 1);
  EXPECT_EQ(Ascii(out.substr(out.size() - 21)), Piece("090909", 'c'));
}

// The event pump runs once per dealing pass of a four-colour fade, and a fade
// nested inside it leaves the outer one untouched.
TEST(Fade, FourColourDealingRunsThePumpOncePerPass) {
  int passes = 0;
  std::u16string nested;
  const EventPump pump = [&] {
    ++passes;
    if (passes == 2) nested = FadeFourColors(kBlue, kBlue, kBlue, kBlue, u"nested", -1, [&] { ++passes; });
  };
  const std::u16string expected = ReferenceFade({kRed, kGreen, kBlue, kWhite}, u"abcdefg", -1);
  EXPECT_EQ(FadeFourColors(kRed, kGreen, kBlue, kWhite, u"abcdefg", -1, pump), expected);
  EXPECT_EQ(passes, 3 + 2);  // three outer passes and the nested fade's two
  EXPECT_EQ(nested, ReferenceFade({kBlue, kBlue, kBlue, kBlue}, u"nested", -1));
  const int dealt[][2] = {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 2}, {6, 2}, {7, 3}, {70, 24}};
  for (const auto& [length, expectedPasses] : dealt) {
    passes = 10;
    const std::u16string text(length, u'x');
    EXPECT_EQ(FadeFourColors(kRed, kGreen, kBlue, kWhite, text, 0, [&] { ++passes; }),
              FadeFourColors(kRed, kGreen, kBlue, kWhite, text, 0));
    EXPECT_EQ(passes - 10, expectedPasses) << length;
    passes = 10;
    FadeFourRgb(255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, text, 0, [&] { ++passes; });
    EXPECT_EQ(passes - 10, expectedPasses) << length;
  }
}

}  // namespace
}  // namespace quillon
