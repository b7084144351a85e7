#include "ui/common/run.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/testing/fake_client.h"
#include "prefs/testing/fake_store.h"
#include "ui/common/texts.h"
#include "ui/testing/expected_line.h"

namespace quillon {
namespace {

using testing::Events;
using testing::ExpectedLine;
using testing::kFirstRun;
using testing::WithColourCount;

// ExitProcess: nothing after it runs.
struct ProgramEnded {};

class FakeLoop : public EventLoop {
 public:
  explicit FakeLoop(Events& events) : events_(events) {}
  void Pump() override { events_.Pump(); }
  std::int64_t Ticks() override { return ticks += 5; }
  void Quit() override { ++quits; }
  void ExitNow() override {
    ++exits;
    throw ProgramEnded{};
  }
  std::int64_t ticks = 1000;
  int quits = 0, exits = 0;

 private:
  Events& events_;
};

// A window as the run sees it, with a first run's settings.
class FakeView : public RunView, public StyleControls {
 public:
  explicit FakeView(Role role) : role_(role) {}

  Role WindowRole() const override { return role_; }
  ComposeInputs Snapshot() const override {
    if (failingSnapshots > 0) {
      --failingSnapshots;
      throw std::runtime_error("the controls could not be read");
    }
    ComposeInputs in;
    in.fontOpen = kFontTagOpen;
    in.fontName = font;
    in.fontClose = kFontTagClose;
    in.colourCount = bar;
    in.colours = colours;
    in.text = text;
    return in;
  }
  StyleControls& Styles() override { return *this; }
  std::u16string ChatText() const override { return text; }
  void SetChatText(const std::u16string& t) override { text = t; }
  std::u16string Line(FixedLine which) const override {
    switch (which) {
      case FixedLine::Loaded: return LoadedLine();
      case FixedLine::Unloaded: return UnloadedLine();
      case FixedLine::Advert1: return AdvertLine1();
      case FixedLine::Advert2: return AdvertLine2();
    }
    return {};
  }
  void SetCaption(const std::u16string& c) override { caption = c; }
  bool Shown() const override { return shown; }
  void Show(bool s) override { shown = s; }
  void SendBegins() override { ++holds; }
  void SendEnds() override { ++releases; }
  void Warn() override { ++warnings; }

  std::u16string Font() const override { return font; }
  void SetFont(const std::u16string& name) override { font = name; }
  int Check(int) const override { return 0; }
  void SetCheck(int, int) override {}
  std::int32_t Colour(int swatch) const override { return colours[static_cast<std::size_t>(swatch - 1)]; }
  void SetColour(int swatch, std::int32_t c) override { colours[static_cast<std::size_t>(swatch - 1)] = c; }
  int Bar() const override { return bar; }
  void SetBar(int value) override { bar = value; }

  std::u16string text, caption = u"quillon fader", font = u"arial";
  std::array<OleColor, 4> colours{0x000000, 0x800000, 0xC00000, 0xFF0000};
  int bar = 2;
  bool shown = false;
  int holds = 0, releases = 0, warnings = 0;
  mutable int failingSnapshots = 0;

 private:
  Role role_;
};

// The two windows of a run, driven as their handlers drive the run.
struct Harness {
  void Type(FakeView& view, const std::u16string& text) { view.text += text; }
  // Enter in the chat text: the default button's click, when the run lets
  // it send; pressed at the tick count given, or now.
  void Enter(FakeView& view, std::optional<std::int64_t> pressed = std::nullopt) {
    if (run.EnterMaySend(static_cast<std::uint32_t>(pressed.value_or(loop.ticks))))
      run.Handle(view, [&] { run.Send(view); });
  }
  void Advertise(FakeView& view) {
    run.Handle(view, [&] { run.Advertise(view); });
  }
  void Save(FakeView& view) {
    run.Handle(view, [&] { run.Save(view, kPresetSection); });
  }
  void SwitchToCompact() {
    run.Handle(main, [&] { run.SwitchToCompact(main, [&] { return &compact; }); });
  }
  // Runs at the next moment the program lets events in, or the one that
  // many moments after.
  void During(std::function<void()> action, int moments = 1) {
    if (moments <= 1) return events.Queue(std::move(action));
    events.Queue([this, action = std::move(action), moments]() mutable { During(std::move(action), moments - 1); });
  }
  // The advertisement lets events in while it looks the room up for the
  // first line, then in its pause.
  void DuringThePause(std::function<void()> action) { During(std::move(action), 2); }
  // The keys written, as "section KEY", in order.
  std::vector<std::string> Written() const {
    std::vector<std::string> keys;
    for (const auto& call : prefs.Writes()) keys.push_back(call.section + " " + call.key);
    return keys;
  }

  Events events;
  testing::FakeClient client{events};
  testing::FakeStore prefs;
  FakeLoop loop{events};
  Run run{client, prefs, loop};
  FakeView main{RunView::Role::Main}, compact{RunView::Role::Compact};
};

class RunTest : public ::testing::Test, public Harness {};

// The lines a first run's window posts.
std::u16string Faded(const std::u16string& text) { return ExpectedLine(kFirstRun, text); }
std::u16string FadedTwo(const std::u16string& text) { return ExpectedLine(WithColourCount(kFirstRun, 2), text); }

const std::vector<std::string> kMainClosingWrites = {
    "lastfont IS", "optsl BOLD", "optsl ITALIC", "optsl UNDERLINE", "optsl WAVY",
    "optsl COLOR1", "optsl COLOR2", "optsl COLOR3", "optsl COLOR4", "optsl SBAR"};

struct Interleaving {
  const char* name;
  std::function<void(Harness&)> script;
  // What must follow: the chat room's lines in order, the main window's
  // chat text and caption, how the program ended.
  std::vector<std::u16string> room;
  std::u16string text;
  std::u16string caption = u"quillon fader";
  int quits = 0, exits = 0;
  // Anything else the row asserts.
  std::function<void(Harness&)> also = {};
};

// Plays the row's script on a run of its own, then checks what must follow.
void Play(const Interleaving& row) {
  Harness t;
  try {
    row.script(t);
  } catch (const ProgramEnded&) {
  }
  EXPECT_EQ(t.client.room, row.room);
  EXPECT_EQ(t.main.text, row.text);
  EXPECT_EQ(t.main.caption, row.caption);
  EXPECT_EQ(t.loop.quits, row.quits);
  EXPECT_EQ(t.loop.exits, row.exits);
  EXPECT_EQ(t.main.holds, t.main.releases) << "the peek was held and never let go";
  if (row.also) row.also(t);
}

std::vector<Interleaving> Rows() {
  return {
      {"a send posts the line and empties the box",
       [](Harness& t) {
         t.Type(t.main, u"hello");
         t.Enter(t.main);
       },
       {Faded(u"hello")}, u""},
      {"Enter during a send sends nothing more, and what was typed meanwhile stays",
       [](Harness& t) {
         t.Type(t.main, u"one");
         t.During([&t] {
           t.Type(t.main, u" two");
           t.Enter(t.main);
         });
         t.Enter(t.main);
       },
       {Faded(u"one")}, u" two"},
      {"Enter in the other window during a send is ignored there",
       [](Harness& t) {
         t.Type(t.main, u"one");
         t.Type(t.compact, u"other");
         t.During([&t] { t.Enter(t.compact); });
         t.Enter(t.main);
       },
       {Faded(u"one")}, u"",
       u"quillon fader", 0, 0,
       [](Harness& t) { EXPECT_EQ(t.compact.text, u"other"); }},
      {"an Enter pressed during a send and handled after it belongs to that send",
       [](Harness& t) {
         std::int64_t pressed = 0;
         t.Type(t.main, u"one");
         t.During([&] { pressed = t.loop.ticks; });
         t.Enter(t.main);
         t.Type(t.main, u"two");
         t.Enter(t.main, pressed);
         t.Enter(t.main);  // pressed now
       },
       {Faded(u"one"), Faded(u"two")}, u""},
      {"a close during the fade posts no line, keeps the text and shuts down once the send returns",
       [](Harness& t) {
         t.Type(t.main, u"bye now");
         t.During([&t] { t.run.Close(t.main); });
         t.Enter(t.main);
       },
       {UnloadedLine()}, u"bye now",
       u"quillon fader", 1, 0,
       [](Harness& t) { EXPECT_EQ(t.Written(), kMainClosingWrites); }},
      {"a close while the room is looked up lets the line out, then \"unloaded\" last",
       [](Harness& t) {
         t.main.bar = 0;
         t.Type(t.main, u"bye");
         t.During([&t] { t.run.Close(t.main); });
         t.Enter(t.main);
       },
       {FadedTwo(u"bye"), UnloadedLine()}, u"",
       u"quillon fader", 1, 0},
      {"a log-off during the fade shuts down at once and the program ends there",
       [](Harness& t) {
         t.main.shown = true;
         t.Type(t.main, u"bye now");
         t.During([&t] { t.run.EndSession(t.main); });
         t.Enter(t.main);
       },
       {UnloadedLine()}, u"bye now",
       u"quillon fader", 0, 1,
       [](Harness& t) { EXPECT_EQ(t.Written(), kMainClosingWrites); }},
      {"a log-off while the room is looked up ends the program before the line goes",
       [](Harness& t) {
         t.main.shown = true;
         t.main.bar = 0;
         t.Type(t.main, u"bye");
         t.During([&t] { t.run.EndSession(t.main); });
         t.Enter(t.main);
       },
       {UnloadedLine()}, u"bye",
       u"quillon fader", 0, 1},
      {"a log-off is the shown window's: a hidden one does nothing",
       [](Harness& t) {
         t.main.shown = true;
         t.run.EndSession(t.compact);
         t.run.EndSession(t.main);
       },
       {UnloadedLine()}, u"",
       u"quillon fader", 1, 0,
       [](Harness& t) { EXPECT_EQ(t.Written(), kMainClosingWrites); }},
      {"a close during the advertisement's pause stops the second line; \"unloaded\" follows",
       [](Harness& t) {
         t.DuringThePause([&t] { t.run.Close(t.main); });
         t.Advertise(t.main);
       },
       {AdvertLine1(), UnloadedLine()}, u"",
       u"quillon fader", 1, 0},
      {"a log-off during the advertisement's pause ends the program after \"unloaded\"",
       [](Harness& t) {
         t.main.shown = true;
         t.DuringThePause([&t] { t.run.EndSession(t.main); });
         t.Advertise(t.main);
       },
       {AdvertLine1(), UnloadedLine()}, u"",
       u"quillon fader", 0, 1},
      {"a second advertisement during the pause starts nothing",
       [](Harness& t) {
         t.DuringThePause([&t] { t.Advertise(t.compact); });
         t.Advertise(t.main);
       },
       {AdvertLine1(), AdvertLine2()}, u""},
      {"a switch to the compact window during a send: the send finishes in the main window",
       [](Harness& t) {
         t.main.shown = true;
         t.Type(t.main, u"one");
         t.During([&t] { t.SwitchToCompact(); });
         t.Enter(t.main);
       },
       {Faded(u"one")}, u"",
       u"quillon fader", 0, 0,
       [](Harness& t) {
         EXPECT_FALSE(t.main.shown);
         EXPECT_TRUE(t.compact.shown);
         EXPECT_EQ(t.Written().front(), "optsc FONT");  // the hand-over
       }},
      {"closing both windows runs the shutdown once",
       [](Harness& t) {
         t.run.Close(t.main);
         t.run.Close(t.compact);
         t.Enter(t.main);
       },
       {UnloadedLine()}, u"",
       u"quillon fader", 1, 0,
       [](Harness& t) { EXPECT_EQ(t.Written(), kMainClosingWrites); }},
      {"the compact window closed during a send of the main one writes the compact window's settings",
       [](Harness& t) {
         t.Type(t.main, u"one more");
         t.During([&t] { t.run.Close(t.compact); });
         t.Enter(t.main);
       },
       {UnloadedLine()}, u"one more",
       u"quillon fader", 1, 0,
       [](Harness& t) { EXPECT_EQ(t.Written(), std::vector<std::string>{"lastfont IS"}); }},
      {"a client that does not answer keeps the line whole",
       [](Harness& t) {
         t.client.hung = true;
         t.Type(t.main, u"kept");
         t.Enter(t.main);
       },
       {}, u"kept"},
      {"without a client nothing is posted and the text stays",
       [](Harness& t) {
         t.client.running = false;
         t.Type(t.main, u"kept");
         t.Enter(t.main);
       },
       {}, u"kept"},
      {"a return the client did not answer keeps the text, says the line may be in the room, and recalls it",
       [](Harness& t) {
         t.client.unanswered = true;
         t.Type(t.main, u"maybe");
         t.Enter(t.main);
       },
       {}, u"maybe",
       u"quillon fader - line may have been sent", 0, 0,
       [](Harness& t) {
         t.main.text = u"";
         t.run.Recall(t.main, true);
         EXPECT_EQ(t.main.text, u"maybe");
       }},
      {"a save that fails says so with the warning until a save succeeds",
       [](Harness& t) {
         t.prefs.failingKeys = {"bold"};
         t.Save(t.main);
         EXPECT_EQ(t.main.caption, u"quillon fader - not saved");
         EXPECT_EQ(t.main.warnings, 1);
         t.prefs.failingKeys.clear();
         t.Save(t.main);
       },
       {}, u"",
       u"quillon fader", 0, 0,
       [](Harness& t) { EXPECT_EQ(t.main.warnings, 1); }},
      {"a settings file another program holds is never written, and the caption says so",
       [](Harness& t) {
         t.prefs.fileState = ProfileStore::FileState::Unreadable;
         EXPECT_TRUE(t.run.SettingsFileHeld(t.main));
         t.run.Close(t.main);
       },
       {UnloadedLine()}, u"",
       u"quillon fader - not saved, settings file busy", 1, 0,
       [](Harness& t) { EXPECT_TRUE(t.prefs.Writes().empty()); }},
      {"a handler that throws leaves the run working",
       [](Harness& t) {
         t.main.failingSnapshots = 1;
         t.Type(t.main, u"again");
         EXPECT_THROW(t.Enter(t.main), std::runtime_error);
         EXPECT_FALSE(t.run.Sending());
         t.Enter(t.main);
         t.run.Close(t.main);  // not held back by a handler that never returned
       },
       {Faded(u"again"), UnloadedLine()}, u"",
       u"quillon fader", 1, 0},
  };
}

TEST(Run, EachInterleavingPostsItsLinesOnceAndInOrderAndEndsTheProgramOnce) {
  for (const Interleaving& row : Rows()) {
    SCOPED_TRACE(row.name);
    Play(row);
  }
}

TEST_F(RunTest, ASendInsideAHandlerOfEitherWindowDelaysACloseUntilTheOutermostReturns) {
  Type(main, u"first");
  // The close arrives inside the compact window's handler, which runs
  // inside the main window's send.
  During([&] {
    run.Handle(compact, [&] {
      run.Close(main);
      EXPECT_EQ(loop.quits, 0);
    });
    EXPECT_EQ(loop.quits, 0) << "shut down while the send still ran";
  });
  Enter(main);
  EXPECT_EQ(loop.quits, 1);
  EXPECT_FALSE(run.Handle(main, [] { ADD_FAILURE() << "a handler ran after the shutdown"; }));
}

TEST_F(RunTest, TheFirstRunWritesItsRecordAndLaterRunsStartWithTheLastFont) {
  EXPECT_EQ(run.FirstRunOrLastFont(), std::nullopt);
  EXPECT_EQ(Written(), (std::vector<std::string>{"new ISHE?", "lastfont IS"}));
  prefs.Put(kLastFontSection, kLastFontKey, u"courier new");
  EXPECT_EQ(run.FirstRunOrLastFont(), u"courier new");
  EXPECT_EQ(Written().size(), 2u) << "a later run writes nothing at start";
}

TEST_F(RunTest, UpAndDownStepThroughTheLinesSentFromEitherWindow) {
  for (const auto* line : {u"one", u"two"}) {
    Type(main, line);
    Enter(main);
  }
  Type(compact, u"three");
  Enter(compact);
  Type(main, u"typing");
  run.Recall(main, true);
  EXPECT_EQ(main.text, u"three");
  run.Recall(main, true);
  EXPECT_EQ(main.text, u"two");
  run.Recall(main, false);
  run.Recall(main, false);
  EXPECT_EQ(main.text, u"typing");
}

}  // namespace
}  // namespace quillon
