#include "ui/common/sent_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillon {
namespace {

// A text box that steps through the lines: each key gives the box's text
// after it ('^' Up, 'v' Down).
std::vector<std::u16string> Keys(const SentLines& lines, Recall& recall, std::u16string box, const std::string& keys) {
  std::vector<std::u16string> shown;
  for (char key : keys) {
    const auto next = key == '^' ? recall.Older(lines, box) : recall.Newer(lines);
    if (next) box = *next;
    shown.push_back(box);
  }
  return shown;
}

SentLines Sent(std::initializer_list<const char16_t*> lines) {
  SentLines sent;
  for (const char16_t* line : lines) sent.Add(line);
  return sent;
}

TEST(SentLines, UpStepsBackNewestFirstAndDownReturnsToWhatWasTyped) {
  const SentLines sent = Sent({u"one", u"two", u"three"});
  struct Case {
    const char* keys;
    std::vector<std::u16string> shown;
  } cases[] = {
      {"^", {u"three"}},
      {"^^^^", {u"three", u"two", u"one", u"one"}},  // the oldest stays
      {"^^v", {u"three", u"two", u"three"}},
      {"^v", {u"three", u"draft"}},
      {"^vv", {u"three", u"draft", u"draft"}},       // Down past the typing changes nothing
      {"v", {u"draft"}},                              // nothing recalled yet
      {"^^^vvv^", {u"three", u"two", u"one", u"two", u"three", u"draft", u"three"}},
  };
  for (const Case& c : cases) {
    Recall recall;
    EXPECT_EQ(Keys(sent, recall, u"draft", c.keys), c.shown) << c.keys;
  }
}

TEST(SentLines, NothingSentLeavesTheBoxAndEmptyLinesAreNotKept) {
  SentLines sent;
  Recall recall;
  EXPECT_EQ(Keys(sent, recall, u"typed", "^v"), (std::vector<std::u16string>{u"typed", u"typed"}));
  sent.Add(u"");
  EXPECT_EQ(sent.size(), 0u);
  sent.Add(u"same");
  sent.Add(u"same");  // sent twice, kept twice, as they went out
  EXPECT_EQ(Keys(sent, recall, u"", "^^^v"), (std::vector<std::u16string>{u"same", u"same", u"same", u"same"}));
}

std::u16string Numbered(int i) {
  const std::string digits = std::to_string(i);
  return u"line " + std::u16string(digits.begin(), digits.end());
}

TEST(SentLines, FiftyAreKeptTheOldestGoingFirst) {
  SentLines sent;
  for (int i = 1; i <= 51; ++i) sent.Add(Numbered(i));
  ASSERT_EQ(sent.size(), 50u);
  EXPECT_EQ(sent.FromNewest(0), u"line 51");
  EXPECT_EQ(sent.FromNewest(49), u"line 2");  // line 1 went
  Recall recall;
  EXPECT_EQ(Keys(sent, recall, u"", std::string(60, '^')).back(), u"line 2");
}

TEST(SentLines, ALineSentMeanwhileStartsTheSteppingAfresh) {
  SentLines sent = Sent({u"one", u"two"});
  Recall recall;
  EXPECT_EQ(Keys(sent, recall, u"draft", "^^"), (std::vector<std::u16string>{u"two", u"one"}));
  sent.Add(u"three");  // from the other window, or this one after a send
  EXPECT_EQ(Keys(sent, recall, u"edited", "^v"), (std::vector<std::u16string>{u"three", u"edited"}));
  recall.Reset();
  EXPECT_EQ(Keys(sent, recall, u"new", "v^"), (std::vector<std::u16string>{u"new", u"three"}));
}

}  // namespace
}  // namespace quillon
