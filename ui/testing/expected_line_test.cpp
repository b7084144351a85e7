// The tests' own composer against lines worked out by hand.
#include "ui/testing/expected_line.h"

#include <gtest/gtest.h>

namespace quillon::testing {
namespace {

constexpr std::int32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

TEST(ExpectedLine, MatchesLinesWorkedOutByHand) {
  struct Case { LineSettings settings; std::u16string text, line; };
  const Case cases[] = {
      // Red to blue: 255 - 63.75x and 63.75x, 127.5 going to 128.
      {{u"arial", false, false, false, false, {kRed, kBlue}}, u"abcd",
       u"<font face=\"arial\"><Font Color=#BF0040>a<Font Color=#800080>b<Font Color=#4000BF>c"
       u"<Font Color=#0000FF>d"},
      // Five characters split two and three.
      {{u"courier", true, false, true, false, {kRed, kGreen, kBlue}}, u"abcde",
       u"<font face=\"courier\"><b><u><Font Color=#808000>a<Font Color=#00FF00>b<Font Color=#00AA55>c"
       u"<Font Color=#0055AA>d<Font Color=#0000FF>e"},
      // Seven characters split three, two and two; the wave runs on across.
      {{u"", true, true, true, true, {kRed, kGreen, kBlue, kWhite}}, u"abcdefg",
       u"<font face=\"\"><b><i><u><Font Color=#AA5500><sup>a<Font Color=#55AA00></sup>b"
       u"<Font Color=#00FF00><sub>c<Font Color=#008080></sub>d<Font Color=#0000FF><sup>e"
       u"<Font Color=#8080FF></sup>f<Font Color=#FFFFFF><sub>g"},
      // Red 1 to 4: 2.5 goes to 2.
      {{u"arial", false, true, false, false, {1, 4}}, u"ab",
       u"<font face=\"arial\"><i><Font Color=#020000>a<Font Color=#040000>b"},
      // The design colours: blue 0 to 128 to 192 to 255, 223.5 going to 224.
      {kFirstRun, u"abcdefg",
       u"<font face=\"arial\"><Font Color=#00002B>a<Font Color=#000055>b<Font Color=#000080>c"
       u"<Font Color=#0000A0>d<Font Color=#0000C0>e<Font Color=#0000E0>f<Font Color=#0000FF>g"},
      {kFirstRun, u"", u"<font face=\"arial\">"},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpectedLine(c.settings, c.text), c.line);
}

TEST(ExpectedLine, ReadsAColourWithATopByteByItsTextPositions) {
  EXPECT_EQ(ReferenceChannels(static_cast<std::int32_t>(0x8000000F)), (Rgb{15, 0, 128}));
  EXPECT_EQ(ReferenceChannels(0x01FF8040), (Rgb{64, 248, 31}));
  EXPECT_EQ(ReferenceChannels(0x336699), (Rgb{153, 102, 51}));
}

TEST(ExpectedLine, SegmentLengthsFollowTheDocumentedTable) {
  const std::vector<std::size_t> three[] = {{0, 0}, {0, 1}, {1, 1}, {2, 1}, {2, 2}, {2, 3},
                                            {3, 3}, {4, 3}, {4, 4}, {4, 5}, {5, 5}};
  const std::vector<std::size_t> four[] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {1, 1, 1}, {2, 1, 1}, {2, 2, 1},
                                           {2, 2, 2}, {3, 2, 2}, {3, 3, 2}, {3, 3, 3}, {4, 3, 3}};
  for (std::size_t length = 0; length <= 10; ++length) {
    EXPECT_EQ(SegmentLengths(3, length), three[length]) << length;
    EXPECT_EQ(SegmentLengths(4, length), four[length]) << length;
  }
}

}  // namespace
}  // namespace quillon::testing
