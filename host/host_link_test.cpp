#include "host/host_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace quillon {
namespace {

// An in-memory window tree that records every operation the host link makes.
class FakeWindows : public WindowOps {
 public:
  struct Node {
    std::string className;
    WindowHandle parent;
    std::u16string text;
  };

  WindowHandle Add(WindowHandle parent, const std::string& className) {
    nodes_[next_] = {className, parent, u""};
    order_.push_back(next_);
    return next_++;
  }
  // The classes of a chat room's children.
  static constexpr const char* kRoomClasses[] = {"_AOL_Static", "RICHCNTLREADONLY", "_AOL_Combobox",
                                                 "_AOL_Icon",   "RICHCNTL",         "_AOL_Image"};
  // A document window with the children of a chat room, input box first
  // found, but for one of the class missing when given.
  WindowHandle AddRoom(WindowHandle container, const std::string& missing = "") {
    const WindowHandle room = Add(container, "AOL Child");
    for (const char* c : kRoomClasses)
      if (c != missing) Add(room, c);
    return room;
  }
  WindowHandle Input(WindowHandle room) { return FindChildQuiet(room, "richcntl"); }

  WindowHandle FindTopLevel(const char* c) override {
    log.push_back(std::string("top ") + c);
    return FindChildQuiet(0, c);
  }
  WindowHandle FindChild(WindowHandle parent, const char* c) override {
    log.push_back("child " + std::to_string(parent) + " " + c);
    return FindChildQuiet(parent, c);
  }
  WindowHandle FirstSibling(WindowHandle w) override {
    const auto siblings = Children(nodes_[w].parent);
    return siblings.empty() ? 0 : siblings.front();
  }
  WindowHandle NextSibling(WindowHandle w) override {
    const auto siblings = Children(nodes_[w].parent);
    auto at = std::find(siblings.begin(), siblings.end(), w);
    return at == siblings.end() || at + 1 == siblings.end() ? 0 : *(at + 1);
  }
  bool SetText(WindowHandle w, const std::u16string& text) override {
    log.push_back("settext " + std::to_string(w) + " " + std::string(text.begin(), text.end()));
    if (hung || w == 0) return false;
    nodes_[w].text = text;
    return true;
  }
  bool SendChar(WindowHandle w, char16_t code) override {
    log.push_back("char " + std::to_string(w) + " " + std::to_string(code));
    return !hung && !returnUnanswered && w != 0;
  }
  void ProcessPendingEvents() override {
    ++pumps;
    log.push_back("pump");
  }
  double Now() override { return clock; }
  void WaitForEvents(double seconds) override {
    waits.push_back(seconds);
    clock += seconds;
  }

  std::vector<std::string> log;
  int pumps = 0;
  bool hung = false;
  bool returnUnanswered = false;  // texts are taken, characters time out
  double clock = 100;
  std::vector<double> waits;

 private:
  static bool Same(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return std::tolower(x) == std::tolower(y); });
  }
  std::vector<WindowHandle> Children(WindowHandle parent) {
    std::vector<WindowHandle> list;
    for (WindowHandle h : order_)
      if (nodes_[h].parent == parent) list.push_back(h);
    return list;
  }
  WindowHandle FindChildQuiet(WindowHandle parent, const char* c) {
    for (WindowHandle h : Children(parent))
      if (Same(nodes_[h].className, c)) return h;
    return 0;
  }
  std::map<WindowHandle, Node> nodes_;
  std::vector<WindowHandle> order_;
  WindowHandle next_ = 1;
};

struct Client {
  FakeWindows w;
  WindowHandle frame, container;
  Client() {
    frame = w.Add(0, "AOL Frame25");
    container = w.Add(frame, "MDIClient");
  }
};

TEST(ChatHostLink, NoClientMeansNoMessageToAnyWindow) {
  FakeWindows w;
  w.Add(0, "RICHCNTL");  // another program's top-level window
  w.Add(0, "Edit");
  EXPECT_EQ(FindChatRoom(w), 0u);
  EXPECT_FALSE(SendChat(w, u"hello"));
  EXPECT_FALSE(OpenKeyword(w, u"help"));
  for (const std::string& entry : w.log) {
    EXPECT_EQ(entry.rfind("settext", 0), std::string::npos) << entry;
    EXPECT_EQ(entry.rfind("char", 0), std::string::npos) << entry;
    EXPECT_EQ(entry.find("child 0 "), std::string::npos) << entry;
  }
}

TEST(ChatHostLink, StopsAtTheFirstMissingLevel) {
  FakeWindows w;
  const WindowHandle frame = w.Add(0, "AOL Frame25");
  EXPECT_EQ(FindChatRoom(w), 0u);
  EXPECT_EQ(w.log, (std::vector<std::string>{"top aol frame25", "child " + std::to_string(frame) + " mdiclient"}));
  Client c;
  EXPECT_EQ(FindChatRoom(c.w), 0u);  // a container without document windows
  EXPECT_EQ(c.w.pumps, 0);
}

TEST(ChatHostLink, TheFrontMostCompleteRoomWinsAndEventsRunOncePerWindowTested) {
  Client c;
  c.w.Add(c.container, "AOL Child");            // a plain document window
  c.w.AddRoom(c.container, "_AOL_Image");               // lacks _AOL_Image
  const WindowHandle front = c.w.AddRoom(c.container);
  c.w.AddRoom(c.container);                      // behind the first room
  EXPECT_EQ(FindChatRoom(c.w), front);
  EXPECT_EQ(c.w.pumps, 3);
}

TEST(ChatHostLink, OnlyNonChatWindowsMeanNoRoom) {
  Client c;
  c.w.Add(c.container, "AOL Child");
  c.w.AddRoom(c.container, "_AOL_Image");
  EXPECT_FALSE(SendChat(c.w, u"x"));
  EXPECT_EQ(c.w.pumps, 2);
}

TEST(ChatHostLink, RoomsThatEachLackOneClassAreNoRoom) {
  Client c;
  c.w.Add(c.container, "AOL Child");
  for (const char* missing : FakeWindows::kRoomClasses) c.w.AddRoom(c.container, missing);
  EXPECT_EQ(FindChatRoom(c.w), 0u);
  EXPECT_EQ(c.w.pumps, 7);
}

TEST(ChatHostLink, SendChatEmptiesSetsThenSendsACarriageReturn) {
  Client c;
  const WindowHandle room = c.w.AddRoom(c.container);
  const std::string input = std::to_string(c.w.Input(room));
  c.w.log.clear();
  EXPECT_TRUE(SendChat(c.w, u"<b>hi&"));
  const std::vector<std::string> tail(c.w.log.end() - 3, c.w.log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"settext " + input + " ", "settext " + input + " <b>hi&", "char " + input + " 13"}));
  EXPECT_TRUE(SendChat(c.w, u""));
  EXPECT_EQ(c.w.log.back(), "char " + input + " 13");
}

TEST(ChatHostLink, AHostThatDoesNotAnswerIsNotDelivered) {
  Client c;
  c.w.AddRoom(c.container);
  c.w.hung = true;
  EXPECT_FALSE(SendChat(c.w, u"lost?"));
  EXPECT_EQ(c.w.log.back().rfind("settext", 0), 0u);  // no carriage return after a failed text
}

TEST(ChatHostLink, PostChatLineTellsNotSentFromUnconfirmedFromPosted) {
  Client none;
  EXPECT_EQ(PostChatLine(none.w, u"x"), Delivery::NotSent);
  Client c;
  c.w.AddRoom(c.container);
  EXPECT_EQ(PostChatLine(c.w, u"x"), Delivery::Posted);
  c.w.returnUnanswered = true;  // the text went in; only the return is in doubt
  EXPECT_EQ(PostChatLine(c.w, u"x"), Delivery::Unconfirmed);
  EXPECT_FALSE(SendChat(c.w, u"x"));
  c.w.hung = true;
  EXPECT_EQ(PostChatLine(c.w, u"x"), Delivery::NotSent);
}

TEST(ChatHostLink, OpenKeywordWalksTheToolbarAndTypesSpaceThenReturn) {
  Client c;
  const WindowHandle bar = c.w.Add(c.w.Add(c.frame, "AOL Toolbar"), "_AOL_Toolbar");
  const WindowHandle edit = c.w.Add(c.w.Add(bar, "_AOL_Combobox"), "Edit");
  c.w.log.clear();
  EXPECT_TRUE(OpenKeyword(c.w, u"http://help"));
  const std::string e = std::to_string(edit);
  const std::vector<std::string> tail(c.w.log.end() - 4, c.w.log.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"settext " + e + " ", "settext " + e + " http://help", "char " + e + " 32",
                                            "char " + e + " 13"}));
  Client noToolbar;
  EXPECT_FALSE(OpenKeyword(noToolbar.w, u"x"));
}

TEST(ChatHostLink, PauseWaitsForTheDeadlineAndPumpsAtLeastOnce) {
  FakeWindows w;
  Pause(w, 0);
  EXPECT_EQ(w.pumps, 1);
  EXPECT_TRUE(w.waits.empty());
  Pause(w, 0.2);
  EXPECT_GE(w.pumps, 2);
  ASSERT_EQ(w.waits.size(), 1u);
  EXPECT_DOUBLE_EQ(w.waits[0], 0.2);
}

}  // namespace
}  // namespace quillon
