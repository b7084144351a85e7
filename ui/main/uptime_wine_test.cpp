// Enter at any uptime: the check that an Enter belongs to a send already
// made holds where the tick count crosses 2^31 ms (24.9 days of uptime) and
// 2^32 ms (49.7 days), where the 32-bit time a message carries turns
// negative and comes round to 0. scripts/uptime-crossings runs each case in
// a Wine session of its own whose tick count starts a few seconds below a
// crossing; further from one, a case is skipped.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using Lines = std::vector<std::u16string>;

constexpr ULONGLONG kHalfWrap = 1ull << 31;

class Uptime : public MainWindow {
 protected:
  void SetUp() override {
    const ULONGLONG now = GetTickCount64();
    crossing_ = (now / kHalfWrap + 1) * kHalfWrap;
    const ULONGLONG left = crossing_ - now;
    if (left > 60000)
      GTEST_SKIP() << "the tick count " << now << " is " << left / 1000
                   << " s below the next crossing; scripts/uptime-crossings starts one just below it";
    ASSERT_GT(left, 4000u) << "started too close to the crossing at " << crossing_;
  }

  // Lets the windows run until the tick count has reached tick.
  void RunUntilTick(ULONGLONG tick) {
    ASSERT_TRUE(PumpUntil([&] { return GetTickCount64() >= tick; }, 70000));
  }

  ULONGLONG crossing_ = 0;
};

TEST_F(Uptime, AnEnterAfterTheCrossingSendsThoughTheLastSendEndedBeforeIt) {
  Open();
  HWND box = form->Text1.hwnd();
  Type(box, L"before");
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(LinesReach(2));
  ASSERT_LT(GetTickCount64(), crossing_);

  RunUntilTick(crossing_ + 200);
  Type(box, L"after");
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(LinesReach(3));
  EXPECT_EQ(host.ChatLines(),
            (Lines{LoadedLine(), ExpectedLine(kFirstRun, u"before"), ExpectedLine(kFirstRun, u"after")}));
}

TEST_F(Uptime, AnEnterPressedDuringASendThatEndsAfterTheCrossingPostsNothing) {
  // The send waits on three answers of 0.25 s: it starts 0.3 s before the
  // crossing and ends after it. The second Enter is pressed meanwhile,
  // before the crossing, and is handled after the send.
  Open(L"--slow 250");
  ASSERT_TRUE(LinesReach(1));
  HWND box = form->Text1.hwnd();
  Type(box, L"across");
  RunUntilTick(crossing_ - 300);
  const int holds = host.HoldsSoFar().begun;
  PressKey(box, VK_RETURN);
  ULONGLONG pressedAt = 0;
  bool pressedInTheSend = false;
  std::thread impatient([&] {
    if (!host.WaitForHold(holds)) return;
    pressedAt = GetTickCount64();
    PressKey(box, VK_RETURN);
    // Its line not yet in the room: the send had not ended.
    pressedInTheSend = host.ChatLines().size() == 1;
  });
  const bool sent = LinesReach(2);
  impatient.join();
  ASSERT_TRUE(sent);
  ASSERT_TRUE(pressedInTheSend) << "the second Enter was not pressed while the client held the send";
  EXPECT_LT(pressedAt, crossing_);
  EXPECT_GT(GetTickCount64(), crossing_);
  EXPECT_TRUE(form->Text1.Text().empty());

  // A later Enter sends; its line is also the sentinel: nothing came
  // between the two.
  Type(box, L"later");
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(LinesReach(3));
  EXPECT_EQ(host.ChatLines(),
            (Lines{LoadedLine(), ExpectedLine(kFirstRun, u"across"), ExpectedLine(kFirstRun, u"later")}));
}

}  // namespace
}  // namespace quillon
