// Every control of both windows is drawn after every repaint: what a window
// shows of its controls when it opens, it shows again after it was laid out
// for another DPI and back, after a full repaint asked for from outside,
// and after its frames alone were repainted. The cases run at the system's
// DPI (96 in the tests' prefix); the case At144Dpi runs them again in a copy
// of this test started while the system DPI is 144.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/testing/processes.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

// What the screen shows of each control that can be seen, by control id;
// the frames, which have none, are not controls of their own.
using ControlPixels = std::map<int, Pixels>;

ControlPixels PixelsOfControls(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  ControlPixels shots;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    RECT seen, rect;
    GetWindowRect(child, &rect);
    if (id == 0 || !IsWindowVisible(child) || !IntersectRect(&seen, &rect, &client)) continue;
    shots[id] = ScreenPixels(seen);
  }
  return shots;
}

// Lets every paint run and reach the screen: the windows' queue drained,
// which hands what they painted to the display, and then the screen the
// same in two shots taken a drain apart.
void Settle() {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  std::vector<COLORREF> before;
  const bool settled = PumpUntil(
      [&] {
        if (!Drained()) return false;
        GdiFlush();
        std::vector<COLORREF> now = ScreenPixels(screen).colours;
        const bool same = now == before;
        before = std::move(now);
        return same;
      },
      10000);
  ASSERT_TRUE(settled) << "waited 10 s for the paints to reach the screen and the screen to stay still";
}

void ExpectSamePixels(const ControlPixels& now, const ControlPixels& opened, const char* after) {
  SCOPED_TRACE(after);
  ASSERT_EQ(now.size(), opened.size());
  for (const auto& [id, shot] : opened) {
    ASSERT_TRUE(now.count(id)) << "control " << id;
    const Pixels& seen = now.at(id);
    ASSERT_TRUE(EqualRect(&seen.where, &shot.where)) << "control " << id << " moved";
    std::size_t differing = 0;
    for (std::size_t i = 0; i < shot.colours.size(); ++i) differing += seen.colours[i] != shot.colours[i];
    EXPECT_EQ(differing, 0u) << "control " << id << ": " << differing << " of " << shot.colours.size()
                             << " pixels differ from what the window showed when it opened";
  }
}

// What the controls show of a first run's settings, beyond showing it again
// after every repaint: each swatch its colour, the strip (where there is
// one) the bars of the design colours' fade, a label some pixels of its
// text on its background. The bars' colours are exact at 96 DPI only: at
// larger sizes the system smooths the edges of the strokes into the
// background.
void ExpectFirstRunContent(const ControlPixels& shots, int dpi) {
  const std::pair<int, COLORREF> swatches[] = {
      {kIdPic1, RGB(0, 0, 0)}, {kIdPic2, RGB(0, 0, 0x80)}, {kIdPic3, RGB(0, 0, 0xC0)}, {kIdPic4, RGB(0, 0, 0xFF)}};
  for (const auto& [id, colour] : swatches) {
    ASSERT_TRUE(shots.count(id)) << "swatch " << id;
    const Pixels& shot = shots.at(id);
    ASSERT_FALSE(shot.empty()) << "swatch " << id;
    // The focused one may carry a focus rectangle along its edge.
    EXPECT_EQ(shot.At(shot.width / 2, shot.height / 2), colour) << "swatch " << id;
    const auto same = std::count(shot.colours.begin(), shot.colours.end(), colour);
    EXPECT_GE(2 * static_cast<std::size_t>(same), shot.colours.size()) << "swatch " << id;
  }
  if (shots.count(kIdPre)) {
    const std::vector<COLORREF> bars = BarColours(shots.at(kIdPre));
    if (dpi == 96) {
      EXPECT_EQ(bars, ExpectedBars(kFirstRun.colours)) << "the strip";
    } else {
      EXPECT_GE(bars.size(), 2u) << "the strip shows no bars";
    }
  }
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  for (int id : {kIdLabel1, kIdLabel2}) {
    if (!shots.count(id)) continue;
    const Pixels& shot = shots.at(id);
    const auto inked = std::count(shot.colours.begin(), shot.colours.end(), text);
    EXPECT_GT(inked, 0) << "label " << id << " shows no text";
    EXPECT_LT(static_cast<std::size_t>(inked), shot.colours.size()) << "label " << id << " is one flat colour";
  }
}

RECT Suggested(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

int OtherDpi(int dpi) { return dpi == 96 ? 144 : 96; }

class Painting : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::DeletePrefsFile();
    // The pointer away from the windows, so that nothing shows a hover.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  }
  void TearDown() override {
    form.reset();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
  }

  // A window's controls as it shows them now, with the focus on its first
  // swatch: a focused bar or text box would blink.
  ControlPixels Opened(FaderWindow& window) {
    SetFocus(window.pic1.hwnd());
    Settle();
    return PixelsOfControls(window.hwnd());
  }

  void ExpectEveryControlDrawnAfterEveryRepaint(FaderWindow& window) {
    HWND hwnd = window.hwnd();
    const int dpi = window.dpi();
    const ControlPixels opened = Opened(window);
    ASSERT_FALSE(opened.empty());
    ExpectFirstRunContent(opened, dpi);

    RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
    Settle();
    ExpectSamePixels(PixelsOfControls(hwnd), opened, "a full repaint");

    RECT suggested = Suggested(hwnd);
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(OtherDpi(dpi), OtherDpi(dpi)), reinterpret_cast<LPARAM>(&suggested));
    Settle();
    suggested = Suggested(hwnd);
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(window.dpi(), dpi);
    Settle();
    ExpectSamePixels(PixelsOfControls(hwnd), opened, "another DPI and back");

    // The frames repainted alone, their background erased: what lies on
    // them is not painted again, so it must never have been painted over.
    for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (GetDlgCtrlID(child) == 0) RedrawWindow(child, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    Settle();
    ExpectSamePixels(PixelsOfControls(hwnd), opened, "the frames repainted");
  }

  Win32WindowOps ops;
  Win32ProfileStore prefs;
  Win32EventLoop loop;
  std::unique_ptr<quillon::Run> run;
  std::unique_ptr<Form1> form;
};

TEST_F(Painting, BothWindowsDrawEveryControlAfterEveryRepaintAtTheSystemDpi) {
  run = std::make_unique<quillon::Run>(ops, prefs, loop);
  form = std::make_unique<Form1>(*run);
  ASSERT_TRUE(form->Open());
  {
    SCOPED_TRACE("main window");
    ExpectEveryControlDrawnAfterEveryRepaint(*form);
    // The strip and a label were among what it showed.
    const ControlPixels shown = PixelsOfControls(form->hwnd());
    EXPECT_TRUE(shown.count(kIdPre));
    EXPECT_TRUE(shown.count(kIdLabel1) || shown.count(kIdLabel2));
  }
  SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(form->compact());
  {
    SCOPED_TRACE("compact window");
    ExpectEveryControlDrawnAfterEveryRepaint(*form->compact());
  }
}

TEST(PaintingAt144, BothWindowsDrawEveryControlAfterEveryRepaint) {
  SetSystemDpi(144);
  testing::Process copy;
  ASSERT_TRUE(copy.Start(testing::ExeFolder() + L"painting_wine_test.exe",
                         L"--gtest_filter=Painting.BothWindowsDrawEveryControlAfterEveryRepaintAtTheSystemDpi"));
  // The copy read the system DPI when it started.
  HWND main = testing::WaitForShownWindow(kMainWindowClass, 15000);
  SetSystemDpi(96);
  ASSERT_TRUE(main);
  // 4320 twips at 144 DPI.
  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 432);
  ASSERT_TRUE(copy.WaitForExit(60000));
  EXPECT_EQ(copy.ExitCode(), 0u) << "the copy at 144 DPI failed; its output is above";
}

}  // namespace
}  // namespace quillon
