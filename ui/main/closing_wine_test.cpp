// Closing is the last word: whatever runs when either window is closed, or
// when Windows ends the session, the "unloaded" line is posted once and is
// the last line the program posts, and the shutdown steps write the settings.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tools/testing/fader_process.h"
#include "ui/common/texts.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using Lines = std::vector<std::u16string>;

const std::wstring kFile = testing::PrefsFile();

// Runs action once, on this thread, at the first tick of a 10 ms timer at
// which ready() holds: from inside whatever handler is letting events in.
class AtTick {
 public:
  AtTick(std::function<bool()> ready, std::function<void()> action)
      : ready_(std::move(ready)), action_(std::move(action)) {
    window_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(window_, 1, 10, Tick);
  }
  ~AtTick() { DestroyWindow(window_); }
  AtTick(const AtTick&) = delete;
  AtTick& operator=(const AtTick&) = delete;
  bool done() const { return done_; }

 private:
  static void CALLBACK Tick(HWND window, UINT, UINT_PTR id, DWORD) {
    auto* self = reinterpret_cast<AtTick*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->done_ || !self->ready_()) return;
    self->done_ = true;
    KillTimer(window, id);
    self->action_();
  }

  HWND window_;
  std::function<bool()> ready_;
  std::function<void()> action_;
  bool done_ = false;
};

class Closing : public MainWindow {
 protected:
  bool Received(const std::u16string& line) {
    for (const std::u16string& l : host.ChatLines())
      if (l == line) return true;
    return false;
  }
  // Posts a line of the test's own and waits for it: what came before it is
  // everything the program posted.
  Lines LinesBeforeSentinel() {
    SendChat(ops, u"sentinel");
    EXPECT_TRUE(PumpUntil([&] { return Received(u"sentinel"); }, 8000));
    Lines lines = host.ChatLines();
    if (!lines.empty() && lines.back() == u"sentinel") lines.pop_back();
    return lines;
  }
  // The send that had begun when the close came may finish first, never after.
  void ExpectTheSendFinishedOrDroppedBeforeUnloaded(const std::u16string& text) {
    const Lines lines = LinesBeforeSentinel();
    const Lines finished{LoadedLine(), ExpectedLine(kFirstRun, text), UnloadedLine()};
    const Lines dropped{LoadedLine(), UnloadedLine()};
    EXPECT_TRUE(lines == finished || lines == dropped) << lines.size() << " lines";
  }
};

TEST_F(Closing, ACloseDuringTheAdvertisementsPauseEndsItBeforeItsSecondLine) {
  Open();
  AtTick closeInThePause([&] { return Received(AdvertLine1()); },
                         [&] { PostMessageW(form->hwnd(), WM_CLOSE, 0, 0); });
  PostMessageW(form->Command5.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Received(UnloadedLine()); }));
  EXPECT_TRUE(closeInThePause.done());
  EXPECT_EQ(LinesBeforeSentinel(), (Lines{LoadedLine(), AdvertLine1(), UnloadedLine()}));
}

TEST_F(Closing, ACloseDuringASlowSendPostsUnloadedLast) {
  Open(L"--slow 150");
  HWND box = form->Text1.hwnd();
  Type(box, L"last words");
  // The close is queued behind the Enter: it comes in while the send
  // searches the client's windows, before the line has gone out.
  PressKey(box, VK_RETURN);
  PostMessageW(form->hwnd(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Received(UnloadedLine()); }, 8000));
  ExpectTheSendFinishedOrDroppedBeforeUnloaded(u"last words");
}

TEST_F(Closing, ACloseWhileTheClientHoldsTheSendPostsUnloadedLast) {
  Open(L"--slow 150");
  HWND box = form->Text1.hwnd();
  Type(box, L"last words");
  // The close comes from another thread once the client holds the send,
  // while this one waits inside it.
  const int holds = host.HoldsSoFar().begun;
  PressKey(box, VK_RETURN);
  bool closedInTheSend = false;
  std::thread user([&] {
    if (!host.WaitForHold(holds)) return;
    PostMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    closedInTheSend = host.HoldsSoFar().holding() || host.ChatLines().size() == 1;
  });
  const bool unloaded = PumpUntil([&] { return Received(UnloadedLine()); }, 15000);
  user.join();
  ASSERT_TRUE(unloaded) << "waited 15 s for the unloaded line";
  ASSERT_TRUE(closedInTheSend) << "the close did not come while the client held the send";
  ExpectTheSendFinishedOrDroppedBeforeUnloaded(u"last words");
}

TEST_F(Closing, ASecondCloseDuringTheFirstPostsUnloadedOnce) {
  Open();
  // The second close comes in while the first one's "unloaded" line looks
  // for the chat room.
  PostMessageW(form->hwnd(), WM_CLOSE, 0, 0);
  PostMessageW(form->hwnd(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Received(UnloadedLine()); }));
  EXPECT_EQ(LinesBeforeSentinel(), (Lines{LoadedLine(), UnloadedLine()}));
}

TEST_F(Closing, ClosesSentToBothWindowsPostUnloadedOnce) {
  Open();
  SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(form->compact());
  // As "taskkill" closes a program: every top-level window of it is told.
  PostMessageW(form->compact()->hwnd(), WM_CLOSE, 0, 0);
  PostMessageW(form->hwnd(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Received(UnloadedLine()); }));
  EXPECT_EQ(LinesBeforeSentinel(), (Lines{LoadedLine(), UnloadedLine()}));
}

TEST_F(Closing, ACloseOfTheHiddenWindowDuringTheShownOnesAdvertisementEndsItBeforeItsSecondLine) {
  Open();
  // To the compact window and back: the compact one stays, hidden.
  SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(form->compact());
  SendMessageW(form->compact()->Command3.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(IsWindowVisible(form->hwnd()));
  AtTick closeInThePause([&] { return Received(AdvertLine1()); },
                         [&] { PostMessageW(form->compact()->hwnd(), WM_CLOSE, 0, 0); });
  PostMessageW(form->Command5.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return Received(UnloadedLine()); }));
  EXPECT_TRUE(closeInThePause.done());
  EXPECT_EQ(LinesBeforeSentinel(), (Lines{LoadedLine(), AdvertLine1(), UnloadedLine()}));
}

// Log-off as Windows runs it, against the real program: every top-level
// window is asked, then told the session ends.
bool EndSession(HWND window) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer))
    return false;
  if (answer != TRUE) return false;
  // The program may end before it answers this one.
  SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer);
  return true;
}

// A later run: the last font names no installed font, so the run shows
// "arial" and closing writes "arial" where "nosuchfont" stood.
const std::string kLaterRun = "[new]\r\nISHE?=no\r\n[lastfont]\r\nIS=nosuchfont\r\n";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class EndOfSession : public ::testing::Test {
 protected:
  void Start(const std::wstring& hostArgs = L"") {
    ASSERT_TRUE(testing::WriteFileBytes(kFile, kLaterRun));
    ASSERT_TRUE(host.Start(hostArgs));
    ASSERT_TRUE(fader.Start());
    ASSERT_EQ(host.ChatLines(), Lines{LoadedLine()});
  }
  testing::StandIn host;
  testing::Fader fader;
};

TEST_F(EndOfSession, TheMainWindowWritesItsSettingsPostsUnloadedAndTheProgramEnds) {
  Start();
  HWND bold = fader.Control(kIdCheck1);
  PostMessageW(bold, BM_CLICK, 0, 0);
  ASSERT_TRUE(testing::WaitUntil([&] { return SendMessageW(bold, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
  ASSERT_TRUE(EndSession(fader.main()));
  ASSERT_TRUE(fader.process().WaitForExit(5000));
  EXPECT_EQ(fader.process().ExitCode(), 0u);
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), UnloadedLine()}));
  const std::string file = testing::ReadFileBytes(kFile);
  EXPECT_NE(file.find("[lastfont]\r\nIS=arial\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("[optsl]\r\nBOLD=1\r\nITALIC=0\r\n"), std::string::npos) << file;
}

TEST_F(EndOfSession, TheCompactWindowWritesTheLastFontOnlyPostsUnloadedAndTheProgramEnds) {
  Start();
  PostMessageW(fader.Control(kIdCommand6), BM_CLICK, 0, 0);
  HWND compact = testing::WaitForWindow(kCompactWindowClass, fader.process().id(), 5000);
  ASSERT_TRUE(compact);
  ASSERT_TRUE(testing::WaitUntil([&] { return IsWindowVisible(compact) && !IsWindowVisible(fader.main()); }, 5000));
  const std::string before = testing::ReadFileBytes(kFile);
  // The hidden main window is told too, as Windows tells every window; only
  // the shown one runs the shutdown.
  ASSERT_TRUE(EndSession(fader.main()));
  ASSERT_TRUE(EndSession(compact));
  ASSERT_TRUE(fader.process().WaitForExit(5000));
  EXPECT_EQ(fader.process().ExitCode(), 0u);
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), UnloadedLine()}));
  EXPECT_EQ(testing::ReadFileBytes(kFile), Replaced(before, "IS=nosuchfont", "IS=arial"));
}

TEST_F(EndOfSession, TaskkillClosesBothWindowsAndTheProgramSaysGoodbyeOnce) {
  Start();
  // With the compact window made, the program has two top-level windows,
  // and "taskkill" without /f asks each of them to close.
  PostMessageW(fader.Control(kIdCommand6), BM_CLICK, 0, 0);
  HWND compact = testing::WaitForWindow(kCompactWindowClass, fader.process().id(), 5000);
  ASSERT_TRUE(compact);
  ASSERT_TRUE(testing::WaitUntil([&] { return IsWindowVisible(compact) != FALSE; }, 5000));
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  testing::Process taskkill;
  const std::wstring pid = std::to_wstring(fader.process().id());
  ASSERT_TRUE(taskkill.Start(std::wstring(system) + L"\\taskkill.exe", L"/pid " + pid));
  ASSERT_TRUE(taskkill.WaitForExit(10000));
  ASSERT_TRUE(fader.process().WaitForExit(10000));
  EXPECT_EQ(fader.process().ExitCode(), 0u);
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), UnloadedLine()}));
}

// The carriage returns the client has begun to hold (--stall-return).
std::size_t Held(const testing::StandIn& host) {
  std::size_t held = 0;
  for (const testing::Received& r : host.Records()) held += r.kind == "held";
  return held;
}

// The characters of a faded line, its tags taken out.
std::u16string Untagged(const std::u16string& line) {
  std::u16string text;
  bool inTag = false;
  for (char16_t c : line) {
    if (c == u'<') inTag = true;
    else if (c == u'>') inTag = false;
    else if (!inTag) text += c;
  }
  return text;
}

// The client holds each carriage return for 1.5 s, less than the 2 s the
// program waits for an answer: "loaded" is held too.
const std::wstring kHoldsReturns = L"--stall-return 1500";

TEST_F(EndOfSession, ALogOffWhileTheClientHoldsALineLetsItArriveThenPostsUnloadedOnce) {
  Start(kHoldsReturns);
  ASSERT_EQ(Held(host), 1u);
  SendMessageW(fader.Control(kIdText1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"last words"));
  PostMessageW(fader.Control(kIdCommand1), BM_CLICK, 0, 0);
  ASSERT_TRUE(testing::WaitUntil([&] { return Held(host) == 2; }, 8000));
  ASSERT_EQ(host.ChatLines(), Lines{LoadedLine()});
  ASSERT_TRUE(EndSession(fader.main()));
  ASSERT_TRUE(fader.process().WaitForExit(10000));
  EXPECT_EQ(fader.process().ExitCode(), 0u);
  const Lines lines = host.ChatLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], LoadedLine());
  EXPECT_EQ(Untagged(lines[1]), u"last words");
  EXPECT_EQ(lines[2], UnloadedLine());
  const std::string file = testing::ReadFileBytes(kFile);
  EXPECT_NE(file.find("[lastfont]\r\nIS=arial\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("[optsl]\r\nBOLD=0\r\n"), std::string::npos) << file;
}

TEST_F(EndOfSession, ALogOffAfterTheAdvertisementsFirstLineEndsItBeforeItsSecond) {
  Start(kHoldsReturns);
  PostMessageW(fader.Control(kIdCommand5), BM_CLICK, 0, 0);
  // While the client holds the first line, Windows asks; the end of the
  // session it then sends is queued, and taken in the pause after that line.
  ASSERT_TRUE(testing::WaitUntil([&] { return Held(host) == 2; }, 8000));
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutW(fader.main(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 5000, &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  PostMessageW(fader.main(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  ASSERT_TRUE(fader.process().WaitForExit(10000));
  EXPECT_EQ(fader.process().ExitCode(), 0u);
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), AdvertLine1(), UnloadedLine()}));
  EXPECT_NE(testing::ReadFileBytes(kFile).find("[optsl]\r\nBOLD=0\r\n"), std::string::npos);
}

}  // namespace
}  // namespace quillon
