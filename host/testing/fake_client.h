// A chat client in memory for the tests: one chat room, whose input box
// posts its text on a carriage return, and the keyword box. Whatever the
// test queued in its Events runs when the program lets events in, as the
// user's input would.
#pragma once

#include <cctype>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/host_link.h"

namespace quillon::testing {

// The user's input, waiting for the program to let events in.
struct Events {
  std::deque<std::function<void()>> queued;
  int pumps = 0;

  void Queue(std::function<void()> event) { queued.push_back(std::move(event)); }
  // Runs what is queued, in order; what runs may queue more, which waits
  // for the next time.
  void Pump() {
    ++pumps;
    std::deque<std::function<void()>> now;
    now.swap(queued);
    for (auto& event : now) event();
  }
};

class FakeClient : public WindowOps {
 public:
  explicit FakeClient(Events& events) : events_(events) {}

  // The lines the chat room received, in order; the texts typed into the
  // keyword box.
  std::vector<std::u16string> room, keywords;
  bool running = true;     // the client and its chat room are there
  bool hung = false;       // it takes no message at all
  bool unanswered = false; // it takes texts but does not answer characters

  WindowHandle FindTopLevel(const char* className) override {
    return running && Same(className, "aol frame25") ? kFrame : 0;
  }
  WindowHandle FindChild(WindowHandle parent, const char* className) override {
    const auto found = kChildren.find({parent, Folded(className)});
    return found == kChildren.end() ? 0 : found->second;
  }
  WindowHandle FirstSibling(WindowHandle window) override { return window; }
  WindowHandle NextSibling(WindowHandle) override { return 0; }
  bool SetText(WindowHandle window, const std::u16string& text) override {
    if (hung || window == 0) return false;
    texts_[window] = text;
    return true;
  }
  bool SendChar(WindowHandle window, char16_t code) override {
    if (hung || unanswered || window == 0) return false;
    if (code == u'\r' && window == kInput) room.push_back(texts_[kInput]);
    if (code == u'\r' && window == kKeyword) keywords.push_back(texts_[kKeyword]);
    return true;
  }
  void ProcessPendingEvents() override { events_.Pump(); }
  double Now() override { return clock_; }
  void WaitForEvents(double seconds) override {
    clock_ += seconds;
    events_.Pump();
  }

 private:
  static constexpr WindowHandle kFrame = 1, kRoom = 3, kInput = 14, kKeyword = 24;
  static std::string Folded(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }
  static bool Same(const char* a, const char* b) { return Folded(a) == Folded(b); }

  inline static const std::map<std::pair<WindowHandle, std::string>, WindowHandle> kChildren = {
      {{kFrame, "mdiclient"}, 2},         {{2, "aol child"}, kRoom},
      {{kRoom, "_aol_static"}, 10},       {{kRoom, "richcntlreadonly"}, 11},
      {{kRoom, "_aol_combobox"}, 12},     {{kRoom, "_aol_icon"}, 13},
      {{kRoom, "richcntl"}, kInput},      {{kRoom, "_aol_image"}, 15},
      {{kFrame, "aol toolbar"}, 21},      {{21, "_aol_toolbar"}, 22},
      {{22, "_aol_combobox"}, 23},        {{23, "edit"}, kKeyword},
  };

  Events& events_;
  std::map<WindowHandle, std::u16string> texts_;
  double clock_ = 100;
};

}  // namespace quillon::testing
