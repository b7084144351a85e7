#include "prefs/prefs.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "prefs/testing/fake_store.h"

namespace quillon {
namespace {

using testing::FakeStore;
using testing::StoreCall;

TEST(WriteIni, UpperCasesTheKeyInOneWrite) {
  FakeStore store;
  const std::string key = "ishe?";
  EXPECT_TRUE(WriteIni(store, "new", key, u"no"));
  EXPECT_EQ(key, "ishe?");
  ASSERT_EQ(store.calls.size(), 1u);
  EXPECT_EQ(store.calls[0], (StoreCall{true, "new", "ISHE?", u"no", 0}));
}

TEST(WriteIni, KeepsTheSectionAndTheValueAsGiven) {
  FakeStore store;
  EXPECT_TRUE(WriteIni(store, "lastfont", "Is", u"Comic Sans MS"));
  ASSERT_EQ(store.calls.size(), 1u);
  EXPECT_EQ(store.calls[0], (StoreCall{true, "lastfont", "IS", u"Comic Sans MS", 0}));
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

TEST(WriteIni, RefusesValuesThatStartWithALineBreak) {
  for (const std::u16string& value : {std::u16string(u"\r\n[opts]"), std::u16string(u"\n"), std::u16string(u"\r"),
                                      std::u16string(u"\0a", 2)}) {
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
  EXPECT_EQ(store.calls[0], (StoreCall{false, "lastfont", "is", u"Arial", 750}));
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
    bool Write(const std::string&, const std::string&, const std::u16string&) override { return true; }
    std::u16string Read(const std::string&, const std::string&, std::size_t) override {
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

TEST(WriteGroup, ReadsBackEachKeyItWroteOnceForItsLastValueWhenItEnds) {
  FakeStore store;
  WriteGroup group(store);
  EXPECT_TRUE(WriteIni(store, "opts", "font", u"arial"));
  EXPECT_TRUE(WriteIni(store, "opts", "bold", u"1"));
  EXPECT_TRUE(WriteIni(store, "opts", "font", u"times new roman"));
  EXPECT_TRUE(store.readBacks.empty());
  EXPECT_EQ(store.groupBegins, 1);
  EXPECT_TRUE(group.End());
  EXPECT_EQ(store.readBacks, (std::vector<std::string>{"opts FONT", "opts BOLD"}));
  EXPECT_EQ(store.groupEnds, 1);
  EXPECT_EQ(store.GroupDepth(), 0);
}

TEST(WriteGroup, AWriteReportedDoneThatDoesNotReadBackFailsTheGroup) {
  // As on a full disk: the file was cut, the writes said nothing.
  FakeStore store;
  store.lostKeys = {"sbar"};
  WriteGroup group(store);
  EXPECT_TRUE(WriteIni(store, "opts", "font", u"arial"));
  EXPECT_TRUE(WriteIni(store, "opts", "sbar", u"2"));
  EXPECT_FALSE(group.End());
  EXPECT_EQ(store.groupBegins, 1);
  EXPECT_EQ(store.groupEnds, 1);
}

TEST(WriteGroup, AWriteThatFailedFailsTheGroupAndIsNotReadBack) {
  FakeStore store;
  store.failingKeys = {"font"};
  WriteGroup group(store);
  EXPECT_FALSE(WriteIni(store, "opts", "font", u"arial"));
  EXPECT_TRUE(WriteIni(store, "opts", "bold", u"0"));
  EXPECT_FALSE(group.End());
  EXPECT_EQ(store.readBacks, std::vector<std::string>{"opts BOLD"});
}

TEST(WriteGroup, NestedGroupsReadBackTheirOwnWritesAndOnlyTheOutermostEndsTheStoresGroup) {
  FakeStore store;
  store.lostKeys = {"bold"};
  WriteGroup outer(store);
  EXPECT_TRUE(WriteIni(store, "lastfont", "is", u"arial"));
  {
    WriteGroup inner(store);
    EXPECT_TRUE(WriteIni(store, "optsl", "bold", u"1"));
    EXPECT_FALSE(inner.End());
    EXPECT_EQ(store.readBacks, std::vector<std::string>{"optsl BOLD"});
  }
  EXPECT_EQ(store.groupBegins, 1);
  EXPECT_EQ(store.groupEnds, 0);
  EXPECT_FALSE(outer.End());
  EXPECT_EQ(store.readBacks, (std::vector<std::string>{"optsl BOLD", "optsl BOLD", "lastfont IS"}));
  EXPECT_EQ(store.groupEnds, 1);
}

TEST(WriteGroup, AnInnerGroupEndedTwiceLeavesTheOuterOneOpen) {
  FakeStore store;
  WriteGroup outer(store);
  WriteGroup inner(store);
  EXPECT_TRUE(inner.End());
  EXPECT_FALSE(inner.End());
  EXPECT_EQ(store.GroupDepth(), 1);
  EXPECT_EQ(store.groupEnds, 0);
  EXPECT_TRUE(WriteIni(store, "opts", "font", u"arial"));
  EXPECT_TRUE(outer.End());
  EXPECT_EQ(store.readBacks, std::vector<std::string>{"opts FONT"});
  EXPECT_EQ(store.groupEnds, 1);
}

TEST(WriteGroup, AGroupNotEndedEndsWhenItGoes) {
  FakeStore store;
  {
    const WriteGroup group(store);
    WriteIni(store, "lastfont", "is", u"arial");
  }
  EXPECT_EQ(store.GroupDepth(), 0);
  EXPECT_EQ(store.readBacks, std::vector<std::string>{"lastfont IS"});
  EXPECT_EQ(store.groupEnds, 1);
  // Outside a group nothing is read back.
  WriteIni(store, "lastfont", "is", u"arial");
  EXPECT_EQ(store.readBacks.size(), 1u);
}

TEST(WriteGroup, AFileThatLostWhatItHeldElsewhereFailsTheGroupAndIsPutBack) {
  const std::string before = "[opts]\r\nFONT=arial\r\n[other]\r\nlast=kept\r\n";
  FakeStore store;
  store.fileBytes = {before, "[opts]\r\nFONT=times new roman\r\n[other]\r\nlast=ke"};
  WriteGroup group(store);
  EXPECT_TRUE(WriteIni(store, "opts", "font", u"times new roman"));
  EXPECT_FALSE(group.End());
  EXPECT_EQ(store.putBack, std::vector<std::string>{before});
}

TEST(WriteGroup, AFileThatKeptEverythingElseIsLeftAsItIs) {
  FakeStore store;
  store.fileBytes = {"[other]\r\nlast=kept\r\n", "[other]\r\nlast=kept\r\n[opts]\r\nFONT=arial\r\n"};
  WriteGroup group(store);
  EXPECT_TRUE(WriteIni(store, "opts", "font", u"arial"));
  EXPECT_TRUE(group.End());
  EXPECT_TRUE(store.putBack.empty());
}

TEST(WriteGroup, AGroupKeptOutOfTheFileWritesNothingPutsNothingBackAndFailsUntilTheFileIsFree) {
  FakeStore store;
  store.keptOut = true;
  store.fileBytes = {"[other]\r\nlast=kept\r\n", "[other]\r\nlast=kept\r\n"};
  {
    WriteGroup outer(store);
    EXPECT_FALSE(WriteIni(store, "opts", "font", u"arial"));
    WriteGroup inner(store);
    EXPECT_FALSE(WriteIni(store, "opts", "bold", u"1"));
    EXPECT_FALSE(inner.End());
    EXPECT_FALSE(outer.End());
  }
  EXPECT_TRUE(store.Writes().empty());
  EXPECT_TRUE(store.putBack.empty());
  EXPECT_TRUE(store.readBacks.empty());
  EXPECT_EQ(store.fileBytes.size(), 2u);  // the file was not read while another copy held it
  EXPECT_EQ(store.groupEnds, 1);
  EXPECT_FALSE(store.WritesHeld());

  // Once the other copy lets go, the next group writes as usual.
  store.keptOut = false;
  WriteGroup next(store);
  EXPECT_TRUE(WriteIni(store, "opts", "font", u"arial"));
  EXPECT_TRUE(next.End());
  EXPECT_EQ(store.Writes().size(), 1u);
}

TEST(WriteGroup, AGroupThatWroteNothingChecksNothing) {
  FakeStore store;
  store.fileBytes = {"[other]\r\nlast=kept\r\n", "[other]\r\nlast=ke"};
  store.HoldWrites();
  WriteGroup group(store);
  EXPECT_FALSE(WriteIni(store, "opts", "font", u"arial"));
  EXPECT_TRUE(group.End());
  EXPECT_TRUE(store.putBack.empty());
  EXPECT_EQ(store.fileBytes.size(), 1u);  // only the begin looked at the file
}

TEST(KeepsEverythingElse, AFileCutAnywhereInWhatTheGroupDidNotWriteLosesIt) {
  const std::string file =
      "[lastfont]\r\nis=arial\r\n[opts]\r\nFONT=arial\r\nBOLD=1\r\n[other]\r\nfont=x\r\nlast=kept\r\n";
  const std::vector<std::pair<std::string, std::string>> written = {{"opts", "FONT"}, {"opts", "BOLD"}};
  const std::size_t kept = file.find("kept") + 4;
  for (std::size_t cut = 0; cut <= file.size(); ++cut) {
    SCOPED_TRACE(cut);
    const std::string_view after = std::string_view(file).substr(0, cut);
    EXPECT_EQ(KeepsEverythingElse(file, after, written), cut >= kept);
  }
}

TEST(KeepsEverythingElse, OnlyTheKeysWrittenMayChangeOrGo) {
  const std::string before = "[opts]\r\nFONT=arial\r\nSBAR=2\r\n[other]\r\nlast=kept\r\n";
  const std::vector<std::pair<std::string, std::string>> written = {{"OPTS", "font"}};
  EXPECT_TRUE(KeepsEverythingElse(before, "[opts]\r\nFONT=comic\r\nSBAR=2\r\n[other]\r\nlast=kept\r\n", written));
  EXPECT_TRUE(KeepsEverythingElse(before, "[opts]\r\nSBAR=2\r\n[other]\r\nlast=kept\r\n", written));
  EXPECT_FALSE(KeepsEverythingElse(before, "[opts]\r\nFONT=arial\r\nSBAR=1\r\n[other]\r\nlast=kept\r\n", written));
  EXPECT_FALSE(KeepsEverythingElse(before, "[opts]\r\nFONT=arial\r\nSBAR=2\r\n[other]\r\nlast=lost\r\n", written));
  EXPECT_FALSE(KeepsEverythingElse(before, "[opts]\r\nFONT=arial\r\nSBAR=2\r\n", written));
  // A key of that name in another section is not one the group wrote.
  EXPECT_FALSE(KeepsEverythingElse("[other]\r\nfont=x\r\n", "[other]\r\n", written));
}

TEST(KeepsEverythingElse, WhatARewriteOfTheFileChangesDoesNotCount) {
  const std::string before = "top=1\r\n\r\n[Other] \r\n  Key = a value \r\nbare\r\n\r\n[opts]\r\nFONT=arial\r\n";
  const std::string after = "top=1\n[other]\nkey=a value\nBARE\n[opts]\nFONT=arial\n";
  EXPECT_TRUE(KeepsEverythingElse(before, after, {}));
  EXPECT_FALSE(KeepsEverythingElse(before, "[other]\nkey=a value\nbare\n[opts]\nFONT=arial\n", {}));
  EXPECT_FALSE(KeepsEverythingElse(before, "top=1\n[other]\nkey=a value\nbare=\n[opts]\nFONT=arial\n", {}));
}

}  // namespace
}  // namespace quillon
