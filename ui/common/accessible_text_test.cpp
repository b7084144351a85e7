#include "ui/common/accessible_text.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(SwatchValue, IsTheColourAsRedGreenBlueHexDigits) {
  struct Case {
    OleColor colour;  // 0x00BBGGRR
    const char16_t* value;
  };
  const Case cases[] = {
      {0x000000, u"000000"},   {0x0000FF, u"FF0000"},   {0x00FF00, u"00FF00"},
      {0xFF0000, u"0000FF"},   {0x800000, u"000080"},   {0xC00000, u"0000C0"},
      {0x123456, u"563412"},   {16777215, u"FFFFFF"},   {0x0A0B0C, u"0C0B0A"},
  };
  for (const Case& c : cases) EXPECT_EQ(SwatchValue(c.colour, true), c.value) << std::hex << c.colour;
}

TEST(SwatchValue, IgnoresTheTopByteAsThePaintingDoes) {
  EXPECT_EQ(SwatchValue(static_cast<OleColor>(0x8000000F), true), u"0F0000");
  EXPECT_EQ(SwatchValue(-1, true), u"FFFFFF");
  EXPECT_EQ(SwatchValue(0x7F00FF00, true), u"00FF00");
}

TEST(SwatchValue, SaysWhenTheSwatchIsNotInUse) {
  EXPECT_EQ(SwatchValue(0xC00000, false), u"0000C0, not in use");
  EXPECT_EQ(SwatchValue(0, false), u"000000, not in use");
}

TEST(BarValue, IsTheNumberOfColoursInWords) {
  EXPECT_EQ(BarValue(0), u"two");
  EXPECT_EQ(BarValue(1), u"three");
  EXPECT_EQ(BarValue(2), u"four");
  EXPECT_EQ(BarValue(3), u"5");
  EXPECT_EQ(BarValue(-1), u"1");
}

}  // namespace
}  // namespace quillon
