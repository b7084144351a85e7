// Sends against a chat client that answers slowly or late: what is typed
// during a send stays, an impatient Enter posts nothing, and a line whose
// carriage return went unanswered is never invited to be sent twice.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "ui/common/texts.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using Lines = std::vector<std::u16string>;

constexpr wchar_t kMayHaveGone[] = L"quillon fader - line may have been sent";

class SendEdges : public MainWindow {
 protected:
  std::wstring Caption() const { return testing::WindowText(form->hwnd()); }
};

TEST_F(SendEdges, KeysTypedWhileASlowSendRunsStayInTheBox) {
  Open(L"--slow 200");
  ASSERT_TRUE(LinesReach(1));
  HWND box = form->Text1.hwnd();
  Type(box, L"one");
  // "two" is typed right behind the Enter: its keys arrive while the send
  // searches the client's windows and waits for the client.
  PressKey(box, VK_RETURN);
  for (wchar_t c : std::wstring(L"two")) PostMessageW(box, WM_CHAR, c, 1);
  ASSERT_TRUE(LinesReach(2));
  EXPECT_EQ(form->Text1.Text(), u"two");
  // The caret stays behind what was typed, and "two" goes out on its own.
  Type(box, L"!");
  EXPECT_EQ(form->Text1.Text(), u"two!");
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(LinesReach(3));
  EXPECT_EQ(host.ChatLines(),
            (Lines{LoadedLine(), ExpectedLine(kFirstRun, u"one"), ExpectedLine(kFirstRun, u"two!")}));
  EXPECT_TRUE(form->Text1.Text().empty());
}

TEST_F(SendEdges, EntersPressedDuringASendPostNothingAndALaterEnterSends) {
  Open(L"--slow 250");
  ASSERT_TRUE(LinesReach(1));
  HWND box = form->Text1.hwnd();
  Type(box, L"once");
  // The second Enter is queued behind the first and comes in while the send
  // lets events in; the third is pressed while this thread waits on the
  // slow client (three answers of 0.25 s), once the client holds the send,
  // and is handled after the send.
  const int holds = host.HoldsSoFar().begun;
  PressKey(box, VK_RETURN);
  PressKey(box, VK_RETURN);
  bool pressedInTheSend = false;
  std::thread impatient([&] {
    if (!host.WaitForHold(holds)) return;
    PressKey(box, VK_RETURN);
    // Its line not yet in the room: the send had not ended.
    pressedInTheSend = host.ChatLines().size() == 1;
  });
  const bool sent = LinesReach(2);
  impatient.join();
  ASSERT_TRUE(sent);
  ASSERT_TRUE(pressedInTheSend) << "the third Enter was not pressed while the client held the send";
  EXPECT_TRUE(form->Text1.Text().empty());
  // An Enter after the send has finished sends; its line is also the
  // sentinel: nothing came between the two.
  Type(box, L"later");
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(LinesReach(3));
  EXPECT_EQ(host.ChatLines(),
            (Lines{LoadedLine(), ExpectedLine(kFirstRun, u"once"), ExpectedLine(kFirstRun, u"later")}));
}

TEST_F(SendEdges, ASendFromTheMainWindowHoldsOffAnEnterInTheCompactWindowOpenedDuringIt) {
  Open(L"--slow 400");
  ASSERT_TRUE(LinesReach(1));
  HWND box = form->Text1.hwnd();
  Type(box, L"main");
  const int holds = host.HoldsSoFar().begun;
  PressKey(box, VK_RETURN);
  // While the send waits on the slow client (three answers of 0.4 s), the
  // user clicks "compact" and presses Enter in the compact window, which
  // opens with its text box empty.
  HWND compactText = nullptr;
  bool pressedDuringTheSend = false;
  std::atomic<bool> done = false;
  std::thread user([&] {
    const struct Done {
      std::atomic<bool>& done;
      ~Done() { done = true; }
    } mark{done};
    if (!host.WaitForHold(holds)) return;
    // Sent to this test's thread, which handles it while the send waits.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(form->Command6.hwnd(), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &result)) return;
    HWND compact = testing::WaitForShownWindow(kCompactWindowClass, 10000);
    if (!compact) return;
    compactText = GetDlgItem(compact, kIdText1);
    PressKey(compactText, VK_RETURN);
    // Its line not yet in the room: the send had not ended.
    pressedDuringTheSend = host.ChatLines().size() == 1;
  });
  const bool sent = LinesReach(2);
  // The user's click is sent to this thread, which handles it while it runs.
  const bool finished = PumpUntil([&] { return done.load(); }, 40000);
  user.join();
  ASSERT_TRUE(finished) << "waited 40 s for the user's thread";
  ASSERT_TRUE(sent);
  ASSERT_TRUE(compactText);
  EXPECT_TRUE(pressedDuringTheSend);
  // An Enter in the compact window after the send sends; its line is also
  // the sentinel: nothing came between the two.
  Type(compactText, L"later");
  SetFocus(compactText);
  PressKey(compactText, VK_RETURN);
  ASSERT_TRUE(LinesReach(3));
  EXPECT_EQ(host.ChatLines(),
            (Lines{LoadedLine(), ExpectedLine(kFirstRun, u"main"), ExpectedLine(kFirstRun, u"later")}));
}

TEST_F(SendEdges, AReturnAnsweredAfterTheTimeOutIsPostedOnceAndTheCaptionSaysItMayHaveGone) {
  // The client takes the text at once but answers the carriage return only
  // after 2.5 s, beyond the program's 2 s wait.
  OpenBeforeTheClient(L"--stall-return 2500");
  ASSERT_EQ(Caption(), L"quillon fader");
  HWND box = form->Text1.hwnd();
  Type(box, L"maybe");
  PressKey(box, VK_RETURN);
  // The send waits 2 s for the return, then gives up on it.
  ASSERT_TRUE(PumpUntil([&] { return Caption() == kMayHaveGone; }));
  EXPECT_EQ(form->Text1.Text(), u"maybe");
  // The client recovers and posts the line; a line of the test's own,
  // stalled alike, comes after it: the program posted nothing more.
  ASSERT_TRUE(LinesReach(1));
  const std::u16string line = ExpectedLine(kFirstRun, u"maybe");
  SendChat(ops, u"sentinel");
  ASSERT_TRUE(LinesReach(2));
  EXPECT_EQ(host.ChatLines(), (Lines{line, u"sentinel"}));
  EXPECT_EQ(form->Text1.Text(), u"maybe");
  EXPECT_EQ(Caption(), kMayHaveGone);

  // The note lasts until the next send: here, to a client that answers.
  host.Stop();
  ASSERT_TRUE(host.Start());
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(LinesReach(1));
  EXPECT_EQ(host.ChatLines(), Lines{line});
  EXPECT_TRUE(form->Text1.Text().empty());
  EXPECT_EQ(Caption(), L"quillon fader");
}

TEST_F(SendEdges, AReturnNeverAnsweredPostsNothingKeepsTheTextAndSaysSo) {
  OpenBeforeTheClient(L"--stall-return -1");
  HWND box = form->Text1.hwnd();
  Type(box, L"gone?");
  PressKey(box, VK_RETURN);
  // The send waits 2 s for the return, then gives up on it.
  ASSERT_TRUE(PumpUntil([&] { return Caption() == kMayHaveGone; }));
  EXPECT_EQ(form->Text1.Text(), u"gone?");
  // The client's thread is still stuck in the carriage return, before it
  // posts anything: the room has nothing and cannot get it.
  DWORD_PTR result = 0;
  EXPECT_EQ(SendMessageTimeoutW(FindWindowW(L"AOL Frame25", nullptr), WM_NULL, 0, 0, SMTO_NORMAL, 200, &result), 0);
  EXPECT_TRUE(host.ChatLines().empty());
  // The program itself still answers.
  Type(box, L"!");
  EXPECT_EQ(form->Text1.Text(), u"gone?!");
  // To a client that answers, the same Enter posts the line.
  host.Stop();
  ASSERT_TRUE(host.Start());
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(LinesReach(1));
  EXPECT_EQ(host.ChatLines(), Lines{ExpectedLine(kFirstRun, u"gone?!")});
  EXPECT_TRUE(form->Text1.Text().empty());
  EXPECT_EQ(Caption(), L"quillon fader");
}

}  // namespace
}  // namespace quillon
