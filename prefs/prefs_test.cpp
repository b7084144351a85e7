#include "prefs/prefs.h"

#include <gtest/gtest.h>

#include <string>

#include "prefs/testing/fake_store.h"

namespace quillon {
namespace {

using testing::FakeStore;
using testing::StoreCall;

TEST(WriteIni, UpperCasesTheKeyInOneWriteToTheFixedFile) {
  FakeStore store;
  const std::string key = "ishe?";
  EXPECT_TRUE(WriteIni(store, "new", key, u"no"));
  EXPECT_EQ(key, "ishe?");
  ASSERT_EQ(store.calls.size(), 1u);
  EXPECT_EQ(store.calls[0], (StoreCall{true, "new", "ISHE?", u"no", 0, "c:\\myini.ini"}));
}

TEST(WriteIni, KeepsTheSectionAndTheValueAsGiven) {
  FakeStore store;
  EXPECT_TRUE(WriteIni(store, "lastfont", "Is", u"Comic Sans MS", "d:\\other.ini"));
  ASSERT_EQ(store.calls.size(), 1u);
  EXPECT_EQ(store.calls[0], (StoreCall{true, "lastfont", "IS", u"Comic Sans MS", 0, "d:\\other.ini"}));
}

TEST(WriteIni, ReportsAStoreFailure) {
  FakeStore store;
  store.failingKeys = {"font"};
  EXPECT_FALSE(WriteIni(store, "opts", "font", u"arial"));
  EXPECT_EQ(store.calls.size(), 1u);
}

TEST(WriteIni, WritesNothingOnceWritesAreHeld) {
  FakeStore store;
  store.HoldWrites();
  EXPECT_FALSE(WriteIni(store, "lastfont", "is", u"arial"));
  EXPECT_TRUE(store.calls.empty());
}

TEST(WriteIni, RefusesValuesThatWouldBreakTheLine) {
  for (const std::u16string& value : {std::u16string(u"a\r\n[opts]"), std::u16string(u"a\nb"), std::u16string(u"a\rb"),
                                      std::u16string(u"a\0b", 3)}) {
    FakeStore store;
    EXPECT_FALSE(WriteIni(store, "opts", "font", value));
    EXPECT_TRUE(store.calls.empty());
  }
}

TEST(ReadIni, LowerCasesTheKeyAndReadsThroughA750CharacterBuffer) {
  FakeStore store;
  store.Put("lastfont", "IS", u"Arial");
  EXPECT_EQ(ReadIni(store, "lastfont", "IS"), u"Arial");
  ASSERT_EQ(store.calls.size(), 1u);
  EXPECT_EQ(store.calls[0], (StoreCall{false, "lastfont", "is", u"Arial", 750, "c:\\myini.ini"}));
}

TEST(ReadIni, CutsLongValuesTo749Characters) {
  FakeStore store;
  const std::u16string long_value(800, u'x');
  store.Put("opts", "font", long_value);
  EXPECT_EQ(ReadIni(store, "opts", "font"), long_value.substr(0, 749));
  store.Put("opts", "font", long_value.substr(0, 749));
  EXPECT_EQ(ReadIni(store, "opts", "font").size(), 749u);
}

// A store that ignores the buffer size must still not give more than 749.
TEST(ReadIni, CutsEvenWhenTheStoreDoesNot) {
  struct Careless : ProfileStore {
    bool Write(const std::string&, const std::string&, const std::u16string&, const std::string&) override {
      return true;
    }
    std::u16string Read(const std::string&, const std::string&, std::size_t, const std::string&) override {
      return std::u16string(1000, u'y');
    }
  } store;
  EXPECT_EQ(ReadIni(store, "opts", "font").size(), 749u);
}

TEST(ReadIni, MissingReadsEmpty) {
  FakeStore store;
  EXPECT_EQ(ReadIni(store, "opts", "font"), u"");
  EXPECT_TRUE(store.Writes().empty());
}

TEST(WriteThenRead, FindEachOtherWhateverTheCase) {
  FakeStore store;
  ASSERT_TRUE(WriteIni(store, kPresetSection, "color1", u"16777215"));
  EXPECT_EQ(ReadIni(store, kPresetSection, "COLOR1"), u"16777215");
  EXPECT_EQ(ReadIni(store, kPresetSection, "color1"), u"16777215");
}

}  // namespace
}  // namespace quillon
