#include "prefs/style_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "prefs/testing/fake_store.h"

namespace quillon {
namespace {

using testing::FakeStore;

// Controls that log every assignment.
class LoggedControls : public StyleControls {
 public:
  std::u16string Font() const override { return font; }
  void SetFont(const std::u16string& name) override { font = name; log.push_back("font"); }
  int Check(int box) const override { return checks[box - 1]; }
  void SetCheck(int box, int value) override { checks[box - 1] = value; Note("check", box); }
  std::int32_t Colour(int swatch) const override { return colours[swatch - 1]; }
  void SetColour(int swatch, std::int32_t c) override { colours[swatch - 1] = c; Note("colour", swatch); }
  int Bar() const override { return bar; }
  void SetBar(int value) override { bar = value; log.push_back("bar"); }

  void Note(std::string what, int index) {
    what += static_cast<char>('0' + index);
    log.push_back(what);
  }

  std::u16string font = u"arial";
  int checks[4] = {1, 0, 1, 0};
  std::int32_t colours[4] = {0, 8388608, 16777215, -1};
  int bar = 1;
  std::vector<std::string> log;
};

// A store that notes each read in the controls' log, so that reads and
// assignments show in one sequence.
class StoreLoggingInto : public FakeStore {
 public:
  explicit StoreLoggingInto(std::vector<std::string>& log) : log_(log) {}
  std::u16string Read(const std::string& section, const std::string& key, std::size_t bufferSize) override {
    log_.push_back("read " + key);
    return FakeStore::Read(section, key, bufferSize);
  }

 private:
  std::vector<std::string>& log_;
};

TEST(StyleSet, WritesTheTenKeysInOrderOneWriteEach) {
  FakeStore store;
  LoggedControls controls;
  EXPECT_TRUE(WriteStyleSet(store, "opts", controls, FontKey::Include));
  const auto writes = store.Writes();
  ASSERT_EQ(writes.size(), 10u);
  const char* keys[] = {"FONT", "BOLD", "ITALIC", "UNDERLINE", "WAVY", "COLOR1", "COLOR2", "COLOR3", "COLOR4", "SBAR"};
  const std::u16string values[] = {u"arial", u"1", u"0", u"1", u"0", u"0", u"8388608", u"16777215", u"-1", u"1"};
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(writes[i].key, keys[i]);
    EXPECT_EQ(writes[i].value, values[i]);
    EXPECT_EQ(writes[i].section, "opts");
  }
  store.calls.clear();
  EXPECT_TRUE(WriteStyleSet(store, "optsl", controls, FontKey::Skip));
  EXPECT_EQ(store.Writes().size(), 9u);
  EXPECT_EQ(store.Writes().front().key, "BOLD");
}

TEST(StyleSet, AllTenWritesFallInOneWriteGroup) {
  FakeStore store;
  LoggedControls controls;
  WriteStyleSet(store, "opts", controls, FontKey::Include);
  EXPECT_EQ(store.groupDepthAtWrites, std::vector<int>(10, 1));
  EXPECT_EQ(store.GroupDepth(), 0);
}

TEST(StyleSet, AFailedWriteIsReportedButTheOthersAreStillAttempted) {
  FakeStore store;
  store.failingKeys = {"italic"};
  LoggedControls controls;
  EXPECT_FALSE(WriteStyleSet(store, "opts", controls, FontKey::Include));
  EXPECT_EQ(store.Writes().size(), 10u);
}

TEST(StyleSet, ASaveThatDoesNotReadBackAsWrittenIsReportedAsFailed) {
  // A full disk cut the file: the set's last five keys never reached it,
  // though each write reported success.
  FakeStore store;
  store.lostKeys = {"color1", "color2", "color3", "color4", "sbar"};
  LoggedControls controls;
  EXPECT_FALSE(WriteStyleSet(store, "opts", controls, FontKey::Include));
  EXPECT_EQ(store.readBacks.size(), 10u);
  store.lostKeys.clear();
  EXPECT_TRUE(WriteStyleSet(store, "opts", controls, FontKey::Include));
}

TEST(StyleSet, ReadsAssignEachKeyBeforeTheNextIsRead) {
  LoggedControls controls;
  StoreLoggingInto store(controls.log);
  LoggedControls saved;
  WriteStyleSet(store, "opts", saved, FontKey::Include);
  controls.font.assign(1, u'x');
  controls.checks[0] = 0;
  controls.bar = 2;
  store.calls.clear();
  ReadStyleSet(store, "opts", controls, FontKey::Include);
  EXPECT_EQ(controls.log, (std::vector<std::string>{
                              "read font", "font", "read bold", "check1", "read italic", "check2",
                              "read underline", "check3", "read wavy", "check4", "read color1", "colour1",
                              "read color2", "colour2", "read color3", "colour3", "read color4", "colour4",
                              "read sbar", "bar"}));
  EXPECT_EQ(controls.font, u"arial");
  EXPECT_EQ(controls.checks[0], 1);
  EXPECT_EQ(controls.colours[3], -1);
  EXPECT_EQ(controls.bar, 1);
  EXPECT_TRUE(store.Writes().empty());
  EXPECT_EQ(store.Reads().size(), 10u);
}

TEST(StyleSet, BadValuesLeaveTheirControlsAlone) {
  const std::u16string bad[] = {u"", u"x", u"1x", u"+1", u"1.0", u"0x10", u"99999999999", u"2"};
  for (const std::u16string& value : bad) {
    FakeStore store;
    for (const char* key : {"bold", "italic", "underline", "wavy"}) store.Put("opts", key, value);
    store.Put("opts", "sbar", value == u"2" ? u"3" : value);
    store.Put("opts", "color1", value == u"2" ? u"4294967296" : value);
    LoggedControls controls;
    ReadStyleSet(store, "opts", controls, FontKey::Include);
    EXPECT_TRUE(controls.log.empty()) << std::string(value.begin(), value.end());
  }
  FakeStore store;
  store.Put("opts", "bold", u" 0 ");
  store.Put("opts", "color2", u"-16777216");
  store.Put("opts", "sbar", u"0");
  LoggedControls controls;
  ReadStyleSet(store, "opts", controls, FontKey::Skip);
  EXPECT_EQ(controls.log, (std::vector<std::string>{"check1", "colour2", "bar"}));
  EXPECT_EQ(controls.colours[1], -16777216);
}

TEST(StyleSet, ColoursAtBothEndsOfThe32BitRangeReadBackAndOnePastThemAreIgnored) {
  FakeStore store;
  store.Put("opts", "color1", u"-2147483648");
  store.Put("opts", "color2", u"2147483647");
  store.Put("opts", "color3", u"2147483648");
  store.Put("opts", "color4", u"-2147483649");
  LoggedControls controls;
  ReadStyleSet(store, "opts", controls, FontKey::Skip);
  EXPECT_EQ(controls.colours[0], -2147483647 - 1);
  EXPECT_EQ(controls.colours[1], 2147483647);
  EXPECT_EQ(controls.colours[2], 16777215);
  EXPECT_EQ(controls.colours[3], -1);
  EXPECT_EQ(controls.log, (std::vector<std::string>{"colour1", "colour2"}));

  // Both ends are written as they read.
  FakeStore saved;
  WriteStyleSet(saved, "opts", controls, FontKey::Skip);
  LoggedControls loaded;
  ReadStyleSet(saved, "opts", loaded, FontKey::Skip);
  EXPECT_EQ(loaded.colours[0], -2147483647 - 1);
  EXPECT_EQ(loaded.colours[1], 2147483647);
}

TEST(StyleSet, AFirstRunIsAMissingLastFont) {
  FakeStore store;
  EXPECT_TRUE(IsFirstRun(store));
  store.Put("new", "ishe?", u"no");
  EXPECT_TRUE(IsFirstRun(store));
  store.Put("lastfont", "IS", u"Arial");
  EXPECT_FALSE(IsFirstRun(store));
}

}  // namespace
}  // namespace quillon
