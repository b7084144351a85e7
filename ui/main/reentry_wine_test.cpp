// Floods of input that arrive while a handler lets events in: many clicks on
// "advertise", thousands of bar messages. Run against the real program, so
// that a freeze shows as a program that no longer answers and a stack
// overflow as a program that died.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tools/testing/fader_process.h"
#include "tools/testing/standin.h"
#include "ui/common/fader_window.h"
#include "ui/common/texts.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using Lines = std::vector<std::u16string>;

class Reentry : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::DeletePrefsFile();
    ASSERT_TRUE(host.Start());
    ASSERT_TRUE(fader.Start());
    ASSERT_EQ(host.ChatLines(), Lines{LoadedLine()});
  }
  // Closes the program as the user does; true when it ended by itself.
  bool CloseNormally() {
    PostMessageW(fader.main(), WM_CLOSE, 0, 0);
    return fader.process().WaitForExit(10000) && fader.process().ExitCode() == 0;
  }
  testing::StandIn host;
  testing::Fader fader;
};

void ClickByMessage(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void ClickByMouse(HWND button) {
  PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

TEST_F(Reentry, AHundredRapidAdvertiseClicksPostWholeAdvertisementsAndTheProgramStaysResponsive) {
  HWND advertise = fader.Control(kIdCommand5);
  ASSERT_TRUE(advertise);
  // A hundred clicks queued at once, then a few one at a time: each round
  // one click once every advertisement has ended, which starts another,
  // and one once that has posted its first line, which comes in while it
  // runs.
  for (int i = 0; i < 50; ++i) {
    ClickByMessage(advertise);
    ClickByMouse(advertise);
  }
  ASSERT_TRUE(fader.Answers(5000));
  auto count = [&](const std::u16string& line) {
    const Lines lines = host.ChatLines();
    return std::count(lines.begin(), lines.end(), line);
  };
  int landedInside = 0;
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(testing::WaitUntil([&] { return count(AdvertLine1()) == count(AdvertLine2()); }, 10000))
        << "waited 10 s for the advertisements to end, round " << round;
    const auto started = count(AdvertLine1());
    ClickByMouse(advertise);
    ASSERT_TRUE(testing::WaitUntil([&] { return count(AdvertLine1()) > started; }, 10000))
        << "waited 10 s for the click to start an advertisement, round " << round;
    ClickByMessage(advertise);
    // Its second line not yet in the room: the advertisement still ran.
    landedInside += count(AdvertLine2()) < count(AdvertLine1());
  }
  EXPECT_GE(landedInside, 1) << "no click came in while an advertisement ran";
  ASSERT_TRUE(fader.Answers(5000));
  ASSERT_TRUE(CloseNormally());

  // Whole advertisements one after another, the first at least, and the
  // goodbye last. The close may come in the pause of the last one, which
  // then ends before its second line.
  const Lines lines = host.ChatLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front(), LoadedLine());
  EXPECT_EQ(lines.back(), UnloadedLine());
  EXPECT_LE(lines.size() - 2, 2u * 7);
  for (std::size_t i = 1; i + 1 < lines.size(); ++i)
    EXPECT_EQ(lines[i], i % 2 ? AdvertLine1() : AdvertLine2()) << "line " << i;
}

// The colours of the bars a strip of the screen shows, left to right.
std::vector<COLORREF> BarsOnScreen(HWND strip) {
  RECT r;
  GetWindowRect(strip, &r);
  return BarColours(ScreenPixels(r));
}

TEST_F(Reentry, TwoThousandQueuedBarMessagesLeaveThePreviewAtTheFinalValue) {
  HWND bar = fader.Control(kIdSb);
  ASSERT_TRUE(bar);
  // Right, left, right, ... from the design value 2, the right end: the bar
  // goes between 2 and 1. A last message takes it to the left end, 0, which
  // nothing before reaches: when the bar shows 0, all were handled.
  for (int i = 0; i < 2000; ++i)
    PostMessageW(fader.main(), WM_HSCROLL, i % 2 ? SB_LINELEFT : SB_LINERIGHT, reinterpret_cast<LPARAM>(bar));
  PostMessageW(fader.main(), WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(bar));
  // A loaded machine took 71 s to handle them all.
  ASSERT_TRUE(testing::WaitUntil([&] { return !IsWindow(bar) || GetScrollPos(bar, SB_CTL) == 0; }, 180000))
      << "waited 180 s for the program to handle the bar's messages";
  ASSERT_EQ(fader.process().ExitCode(), static_cast<DWORD>(STILL_ACTIVE)) << "the program died";
  ASSERT_EQ(GetScrollPos(bar, SB_CTL), 0);
  ASSERT_TRUE(fader.Answers(5000));
  EXPECT_FALSE(IsWindowEnabled(fader.Control(kIdPic3)));
  EXPECT_FALSE(IsWindowEnabled(fader.Control(kIdPic4)));

  // The first two design colours faded over the strip's 39 bars: from black
  // to dark blue, never the middle blue or full blue of the others.
  const std::vector<COLORREF> expected = ExpectedBars({0x000000, 0x800000});
  ASSERT_EQ(expected.size(), 39u);
  ASSERT_EQ(expected.back(), RGB(0, 0, 0x80));
  HWND strip = fader.Control(kIdPre);
  std::vector<COLORREF> bars;
  EXPECT_TRUE(testing::WaitUntil([&] { return (bars = BarsOnScreen(strip)) == expected; }, 5000))
      << bars.size() << " bars, the last " << std::hex << (bars.empty() ? 0 : bars.back());

  ASSERT_TRUE(CloseNormally());
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), UnloadedLine()}));
}

}  // namespace
}  // namespace quillon
