#include "preview/markup.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "fade/fade.h"
#include "fade/testing/reference_fade.h"
#include "preview/testing/recording_surface.h"

namespace quillon {
namespace {

std::string Ascii(const std::u16string& text) { return std::string(text.begin(), text.end()); }

RecordingSurface Render(const std::u16string& markup) {
  RecordingSurface surface;
  RenderMarkup(surface, markup);
  return surface;
}

TEST(RenderMarkup, StartsFromTheResetStateAndClears) {
  const RecordingSurface s = Render(u"");
  EXPECT_EQ(s.clears, 1);
  EXPECT_TRUE(s.drawn.empty());
  EXPECT_EQ(s.face, u"Arial");
  EXPECT_EQ(s.size, 10);
  EXPECT_FALSE(s.bold || s.italic || s.underline || s.strike);
  EXPECT_EQ(s.foreColour, 0);
}

TEST(RenderMarkup, CharactersAdvanceByTheirWidthFromTheMargin) {
  const RecordingSurface s = Render(u"ab<b>c</b>d");
  ASSERT_EQ(s.Text(), u"abcd");
  const int xs[] = {2, 8, 14, 22};  // c is bold, 8 wide
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(s.drawn[i].x, xs[i]) << i;
    EXPECT_EQ(s.drawn[i].y, 0) << i;
  }
  EXPECT_TRUE(s.drawn[2].bold);
  EXPECT_FALSE(s.drawn[3].bold);
}

TEST(RenderMarkup, CarriageReturnsAndTheTypedMarkerBreakLinesButNotItsUpperCase) {
  RecordingSurface s = Render(u"a\rb+chr13+c");
  ASSERT_EQ(s.Text(), u"abc");
  EXPECT_EQ(s.drawn[1].x, 2);
  EXPECT_EQ(s.drawn[1].y, 16);
  EXPECT_EQ(s.drawn[2].x, 2);
  EXPECT_EQ(s.drawn[2].y, 32);
  s = Render(u"a+CHR13+b");
  EXPECT_EQ(s.Text(), u"a+CHR13+b");
  EXPECT_EQ(s.drawn.back().y, 0);
  s = Render(u"a\nb");  // a line feed is an ordinary character
  EXPECT_EQ(s.Text(), u"a\nb");
}

TEST(RenderMarkup, SuperscriptIsOnePixelUpAndSubscriptOneDown) {
  const RecordingSurface s = Render(u"<sup>a</sup>b<sub>c</sub>d<SUP>e");
  ASSERT_EQ(s.Text(), u"abcde");
  const int ys[] = {-1, 0, 1, 0, -1};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(s.drawn[i].y, ys[i]) << i;
}

TEST(RenderMarkup, ColourTagsInAnyCaseSetRedInTheLowByte) {
  RecordingSurface s = Render(u"<FONT COLOR=#0000FF>a<font color=#FF8000>b<Font Color=#zz00g1>c");
  ASSERT_EQ(s.Text(), u"abc");
  EXPECT_EQ(s.drawn[0].colour, 0xFF0000);  // blue
  EXPECT_EQ(s.drawn[1].colour, 0x0080FF);
  EXPECT_EQ(s.drawn[2].colour, 0x010000);  // non-digits count as 0
  // No "#": the tag's first six characters; a short tag gives what it has.
  s = Render(u"<font color>a<font color=#F>b");
  // "font c": red "fo" 0xF0, green "nt" 0, blue " c" 0x0C; the case of a
  // digit does not matter.
  EXPECT_EQ(s.drawn[0].colour, 0x0C00F0);
  EXPECT_EQ(s.drawn[1].colour, 0x0F000F);
}

TEST(RenderMarkup, FontFaceTakesTheQuotedNameInLowerCase) {
  RecordingSurface s = Render(u"<font face=\"Times New Roman\">a<FONT FACE=\"Comic>b<font face=x>c");
  ASSERT_EQ(s.Text(), u"abc");
  EXPECT_EQ(s.drawn[0].face, u"times new roman");
  EXPECT_EQ(s.drawn[1].face, u"comic");
  EXPECT_EQ(s.drawn[2].face, u"font face=x");
}

TEST(RenderMarkup, LatinOneCapitalsInATagAreLowerCasedButNotTheSignsAroundThem) {
  // U+00C0 to U+00DE but the multiplication sign U+00D7; U+00BF and U+00DF
  // (the inverted question mark, the sharp s) have no lower case.
  const RecordingSurface s = Render(u"<FONT FACE=\"\u00C0\u00DE\">a<FONT FACE=\"\u00BF\u00D7\u00DF\u00C1\u00DD\">b");
  ASSERT_EQ(s.Text(), u"ab");
  EXPECT_EQ(s.drawn[0].face, u"\u00E0\u00FE");
  EXPECT_EQ(s.drawn[1].face, u"\u00BF\u00D7\u00DF\u00E1\u00FD");
}

TEST(RenderMarkup, EmptyUnknownAndSpacedTagsChangeNothing) {
  const RecordingSurface s = Render(u"<>a<x>b< b>c<b >d<bold>e>f");
  EXPECT_EQ(s.Text(), u"abcde>f");
  for (const auto& d : s.drawn) {
    EXPECT_FALSE(d.bold);
    EXPECT_EQ(d.colour, 0);
  }
}

TEST(RenderMarkup, StylesSwitchOnAndOff) {
  const RecordingSurface s = Render(u"<i><u><s>a</i></u></s>b");
  ASSERT_EQ(s.drawn.size(), 2u);
  EXPECT_TRUE(s.drawn[0].italic && s.drawn[0].underline && s.drawn[0].strike);
  EXPECT_FALSE(s.drawn[1].italic || s.drawn[1].underline || s.drawn[1].strike);
}

TEST(RenderMarkup, AnUnclosedTagEndsTheDrawingAfterWhatCameBefore) {
  const RecordingSurface s = Render(u"ab<font color=#FF0000 cd");
  EXPECT_EQ(s.Text(), u"ab");
  EXPECT_EQ(Render(u"<").drawn.size(), 0u);
}

TEST(RenderMarkup, NothingCarriesOverFromOneRenderToTheNext) {
  RecordingSurface s;
  RenderMarkup(s, u"<b><i><sup><font color=#FF0000><font face=\"x\">a\rb");
  RenderMarkup(s, u"c");
  ASSERT_EQ(s.drawn.size(), 1u);
  const auto& d = s.drawn[0];
  EXPECT_EQ(d.x, 2);
  EXPECT_EQ(d.y, 0);
  EXPECT_EQ(d.colour, 0);
  EXPECT_EQ(d.face, u"Arial");
  EXPECT_FALSE(d.bold || d.italic);
}

TEST(RenderMarkup, AFadedLineIsDrawnWithEachCharactersColour) {
  const std::u16string text = u"fade me, please";
  const std::vector<std::int32_t> colours{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
  const RecordingSurface s = Render(u"<b>" + testing::ReferenceFade(colours, text, true));
  ASSERT_EQ(s.Text(), text);
  // Each character in the colour its tag names, as 0x00BBGGRR.
  const std::vector<testing::Rgb> shades = testing::ReferenceColours(colours, text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    EXPECT_EQ(s.drawn[i].colour, shades[i].red | shades[i].green << 8 | shades[i].blue << 16) << i;
    EXPECT_EQ(s.drawn[i].y, (i % 4 == 0) ? -1 : (i % 4 == 2) ? 1 : 0) << i;
    EXPECT_EQ(s.drawn[i].x, 2 + 8 * static_cast<int>(i));
  }
  EXPECT_EQ(s.drawn.back().colour, 0xFFFFFF);
}

TEST(MarkupHelpers, HexDigitsAndNumbers) {
  EXPECT_EQ(HexDigitValue(u'0'), 0);
  EXPECT_EQ(HexDigitValue(u'9'), 9);
  EXPECT_EQ(HexDigitValue(u'A'), 10);
  EXPECT_EQ(HexDigitValue(u'F'), 15);
  EXPECT_EQ(HexDigitValue(u'a'), 0);
  EXPECT_EQ(HexDigitValue(u'G'), 0);
  EXPECT_EQ(HexToNumber(u""), 0);
  EXPECT_EQ(HexToNumber(u"ff"), 255);
  EXPECT_EQ(HexToNumber(u"8G"), 128);
  EXPECT_EQ(HexToNumber(u"123456789"), static_cast<float>(0x23456789));  // only the last eight count
}

TEST(MarkupHelpers, ReplaceAllReplacesEveryOccurrenceAndPumpsForEach) {
  int pumps = 0;
  const EventPump pump = [&] { ++pumps; };
  EXPECT_EQ(ReplaceAll(u"a\rb\r\r", u"\r", u"+chr13+", pump), u"a+chr13+b+chr13++chr13+");
  EXPECT_EQ(pumps, 3);
  EXPECT_EQ(ReplaceAll(u"aab", u"ab", u"b"), u"b");  // occurrences the replacement makes count too
  EXPECT_EQ(ReplaceAll(u"xax", u"a", u"aa"), u"xaax");  // and one that holds the search ends
  EXPECT_EQ(ReplaceAll(u"abc", u"", u"z"), u"abc");
}

// The replacement rule written literally: while the search text occurs,
// replace its first occurrence; a replacement holding the search text is
// written once per occurrence of the text instead, left to right. Gives the
// result and the number of replacements, or nothing when the rule runs on.
std::optional<std::pair<std::u16string, int>> LiteralReplaceAll(std::u16string text, const std::u16string& search,
                                                                 const std::u16string& replacement) {
  int count = 0;
  if (search.empty()) return std::pair{text, count};
  if (replacement.find(search) != std::u16string::npos) {
    std::u16string out;
    std::size_t from = 0;
    for (std::size_t at = text.find(search); at != std::u16string::npos; at = text.find(search, from)) {
      out += text.substr(from, at - from) + replacement;
      from = at + search.size();
      ++count;
    }
    return std::pair{out + text.substr(from), count};
  }
  for (std::size_t at = text.find(search); at != std::u16string::npos; at = text.find(search)) {
    text.replace(at, search.size(), replacement);
    if (++count > 1000) return std::nullopt;
  }
  return std::pair{text, count};
}

// Every string over "ab" up to the given length.
std::vector<std::u16string> Words(std::size_t longest) {
  std::vector<std::u16string> words = {u""};
  for (std::size_t i = 0; i < words.size(); ++i)
    if (words[i].size() < longest)
      for (char16_t c : {u'a', u'b'}) words.push_back(words[i] + c);
  return words;
}

TEST(MarkupHelpers, ReplaceAllFollowsTheLiteralRuleForEveryShortText) {
  for (const std::u16string& search : Words(3)) {
    for (const std::u16string& replacement : Words(3)) {
      for (const std::u16string& text : Words(7)) {
        const auto expected = LiteralReplaceAll(text, search, replacement);
        if (!expected) continue;  // the rule itself never ends
        int pumps = 0;
        ASSERT_EQ(ReplaceAll(text, search, replacement, [&] { ++pumps; }), expected->first)
            << Ascii(text) << " / " << Ascii(search) << " / " << Ascii(replacement);
        ASSERT_EQ(pumps, expected->second) << Ascii(text) << " / " << Ascii(search) << " / " << Ascii(replacement);
      }
    }
  }
}

TEST(MarkupHelpers, ReplaceAllBreaksAHundredThousandLinesPumpingForEach) {
  std::u16string text, expected;
  for (int i = 0; i < 100000; ++i) {
    text += u"ab\r";
    expected += u"ab+chr13+";
  }
  int pumps = 0;
  EXPECT_EQ(ReplaceAll(text, u"\r", u"+chr13+", [&] { ++pumps; }), expected);
  EXPECT_EQ(pumps, 100000);
}

TEST(RenderMarkup, PumpsOncePerCarriageReturnBeforeDrawing) {
  RecordingSurface surface;
  std::vector<int> clearsAtPump;
  RenderMarkup(surface, u"a\rb\r\rc", [&] { clearsAtPump.push_back(surface.clears); });
  EXPECT_EQ(clearsAtPump, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(surface.Text(), u"abc");
  EXPECT_EQ(surface.drawn.back().y, 3 * 16);
}

}  // namespace
}  // namespace quillon
