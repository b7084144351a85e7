#include "prefs/custom_colours.h"

#include <gtest/gtest.h>

#include <string>

#include "prefs/testing/fake_store.h"

namespace quillon {
namespace {

using testing::FakeStore;

CustomColours Sample() {
  CustomColours colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = static_cast<std::int32_t>(i * 1000003 % 16777216);
  colours[15] = 16777215;
  return colours;
}

TEST(CustomColours, WritesSixteenUpperCaseKeysInOrderAsDecimalInOneGroup) {
  FakeStore store;
  CustomColours colours{};
  colours[0] = 255;
  colours[1] = 16711680;
  colours[15] = 16777215;
  EXPECT_TRUE(WriteCustomColours(store, colours));
  const auto writes = store.Writes();
  ASSERT_EQ(writes.size(), 16u);
  for (std::size_t i = 0; i < writes.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(writes[i].section, "custom");
    std::string key = "C";
    key += std::to_string(i + 1);
    EXPECT_EQ(writes[i].key, key);
    EXPECT_EQ(store.groupDepthAtWrites[i], 1);
  }
  EXPECT_EQ(writes[0].value, u"255");
  EXPECT_EQ(writes[1].value, u"16711680");
  EXPECT_EQ(writes[2].value, u"0");
  EXPECT_EQ(writes[15].value, u"16777215");
  EXPECT_EQ(store.GroupDepth(), 0);
}

TEST(CustomColours, ReadBackWhatWasWrittenWithoutWriting) {
  FakeStore store;
  ASSERT_TRUE(WriteCustomColours(store, Sample()));
  store.calls.clear();
  EXPECT_EQ(ReadCustomColours(store), Sample());
  const auto reads = store.Reads();
  ASSERT_EQ(reads.size(), 16u);
  EXPECT_EQ(reads[0].key, "c1");
  EXPECT_EQ(reads[15].key, "c16");
  EXPECT_TRUE(store.Writes().empty());
}

TEST(CustomColours, AMissingSectionReadsAllBlack) {
  FakeStore store;
  store.Put("opts", "c1", u"255");
  EXPECT_EQ(ReadCustomColours(store), CustomColours{});
}

TEST(CustomColours, ABadValueLeavesOnlyItsSlotBlack) {
  struct Case {
    const char16_t* stored;
    std::int32_t read;
  };
  const Case cases[] = {
      {u"255", 255},        {u" 65280\t", 65280}, {u"0", 0},       {u"16777215", 16777215},
      {u"16777216", 0},     {u"-1", 0},           {u"abc", 0},     {u"", 0},
      {u"12x", 0},          {u"+5", 0},           {u"0x10", 0},    {u"1.5", 0},
      {u"99999999999", 0},  {u"-2147483648", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stored, c.stored + std::char_traits<char16_t>::length(c.stored)));
    FakeStore store;
    store.Put("custom", "c1", u"128");
    store.Put("custom", "c2", c.stored);
    store.Put("custom", "c3", u"32768");
    CustomColours expected{};
    expected[0] = 128;
    expected[1] = c.read;
    expected[2] = 32768;
    EXPECT_EQ(ReadCustomColours(store), expected);
  }
}

TEST(CustomColours, AFailedWriteIsReportedAndTheOtherKeysAreStillWritten) {
  FakeStore store;
  store.failingKeys = {"c3"};
  EXPECT_FALSE(WriteCustomColours(store, Sample()));
  EXPECT_EQ(store.Writes().size(), 16u);
  store.failingKeys.clear();
  EXPECT_EQ(ReadCustomColours(store)[15], Sample()[15]);
  EXPECT_EQ(ReadCustomColours(store)[2], 0);
}

TEST(CustomColours, ColoursThatDoNotReadBackAsWrittenAreReportedAsNotSaved) {
  FakeStore store;
  store.lostKeys = {"c16"};
  EXPECT_FALSE(WriteCustomColours(store, Sample()));
  EXPECT_EQ(store.readBacks.size(), 16u);
}

TEST(CustomColours, HeldWritesWriteNothing) {
  FakeStore store;
  store.HoldWrites();
  EXPECT_FALSE(WriteCustomColours(store, Sample()));
  EXPECT_TRUE(store.Writes().empty());
}

}  // namespace
}  // namespace quillon
