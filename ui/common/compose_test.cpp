#include "ui/common/compose.h"

#include <gtest/gtest.h>

#include "ui/common/texts.h"
#include "ui/testing/expected_line.h"

namespace quillon {
namespace {

using testing::ExpectedLine;

ComposeInputs Inputs() {
  ComposeInputs in;
  in.fontOpen = kFontTagOpen;
  in.fontName = u"arial";
  in.fontClose = kFontTagClose;
  in.colours = {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
  in.text = u"abcdefg";
  return in;
}

TEST(Compose, PrefixStylesAndTheFadeForTheColourCount) {
  ComposeInputs in = Inputs();
  in.colourCount = 2;
  constexpr std::int32_t red = 0x0000FF, green = 0x00FF00, blue = 0xFF0000, white = 0xFFFFFF;
  EXPECT_EQ(ComposeLine(in), ExpectedLine({u"arial", false, false, false, false, {red, green, blue, white}}, in.text));
  in.colourCount = 1;
  in.wavy = 1;
  EXPECT_EQ(ComposeLine(in), ExpectedLine({u"arial", false, false, false, true, {red, green, blue}}, in.text));
  in.colourCount = 0;
  in.italic = 1;
  EXPECT_EQ(ComposeLine(in), ExpectedLine({u"arial", false, true, false, true, {red, green}}, in.text));
}

TEST(Compose, OnlyTheFourColourFadeRunsThePump) {
  ComposeInputs in = Inputs();
  int pumps = 0;
  const EventPump pump = [&] { ++pumps; };
  in.colourCount = 2;
  EXPECT_EQ(ComposeLine(in, pump), ComposeLine(in));
  EXPECT_EQ(pumps, 3);  // seven characters: three passes of the dealing
  in.colourCount = 1;
  ComposeLine(in, pump);
  in.colourCount = 0;
  ComposeLine(in, pump);
  EXPECT_EQ(pumps, 3);
}

TEST(Compose, StyleTagsAlwaysBoldItalicUnderline) {
  ComposeInputs in = Inputs();
  in.text.clear();
  in.bold = in.italic = in.underline = 1;
  EXPECT_EQ(ComposeLine(in), u"<font face=\"arial\"><b><i><u>");
  in.bold = 0;
  EXPECT_EQ(ComposeLine(in), u"<font face=\"arial\"><i><u>");
}

TEST(Compose, EmptyFontAndMarkupInTheTextPassUnchanged) {
  ComposeInputs in = Inputs();
  in.fontName.clear();
  in.colourCount = 0;
  in.text = u"<&\">";
  const std::u16string line = ComposeLine(in);
  EXPECT_EQ(line.substr(0, 14), u"<font face=\"\">");
  EXPECT_EQ(line.substr(14), testing::ReferenceFade({0x0000FF, 0x00FF00}, u"<&\">", false));
}

TEST(Compose, UnusedSwatchesHaveNoEffect) {
  ComposeInputs a = Inputs(), b = Inputs();
  a.colourCount = b.colourCount = 0;
  b.colours[2] = 0x123456;
  b.colours[3] = 0x654321;
  EXPECT_EQ(ComposeLine(a), ComposeLine(b));
  a.colourCount = b.colourCount = 1;
  a.colours[2] = b.colours[2];
  EXPECT_EQ(ComposeLine(a), ComposeLine(b));
}

TEST(Compose, AnnouncementLinesHaveTheirFixedShape) {
  EXPECT_EQ(AdvertLine1(), u"<a href=" + std::u16string(kProductAddress) +
                               u"><font face=\"Arial Narrow\"><font color=#000000></u>-[ Quillon Fader  ]-</a>");
  EXPECT_NE(LoadedLine().find(u"-[ Quillon Fader - loaded ]-</a>"), std::u16string::npos);
  EXPECT_NE(UnloadedLine().find(u"-[ Quillon Fader - unloaded ]-</a>"), std::u16string::npos);
  EXPECT_NE(AdvertLine2().find(u"-[ For AOL 8.0 and 9.0, Click to get it! ]-</a>"), std::u16string::npos);
}

TEST(FontTag, NamesThatWouldBreakTheTagDoNotFit) {
  EXPECT_TRUE(FitsFontTag(u"comic sans ms"));
  EXPECT_TRUE(FitsFontTag(u"o'brien & sons (1)"));
  for (const char16_t* name : {u"say \"hi\"", u"a<b", u"a>b", u"\"", u"<", u">"}) EXPECT_FALSE(FitsFontTag(name));
}

}  // namespace
}  // namespace quillon
