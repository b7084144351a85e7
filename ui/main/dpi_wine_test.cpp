// A window moved to a monitor of another DPI: laid out again exactly as a
// window opened at that DPI is. The windows opened at 144 DPI are the
// program itself, started while the system DPI is 144.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tools/testing/fader_process.h"
#include "ui/common/control_ids.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

// Each child's rectangle in its window's client area, by control id, and the
// client area itself under id 0.
using Layout = std::map<int, RECT>;

bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

Layout LayoutOf(HWND window) {
  Layout layout;
  RECT client;
  GetClientRect(window, &client);
  layout[0] = client;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const int id = GetDlgCtrlID(child);
    if (id != 0) layout[id] = ClientRectOf(child, window);
  }
  return layout;
}

void ExpectSameLayout(const Layout& actual, const Layout& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (const auto& [id, rect] : expected) {
    SCOPED_TRACE(id);
    ASSERT_TRUE(actual.count(id));
    const RECT& got = actual.at(id);
    EXPECT_TRUE(got == rect) << "got " << got.left << "," << got.top << "," << got.right << "," << got.bottom
                             << " want " << rect.left << "," << rect.top << "," << rect.right << ","
                             << rect.bottom;
  }
}

// Both windows of the program as it lays itself out at 144 DPI.
struct ProgramLayouts {
  Layout main, compact;
};

ProgramLayouts LayoutsOfTheProgramAt144() {
  ProgramLayouts layouts;
  testing::DeletePrefsFile();
  SetSystemDpi(144);
  testing::Process program;
  const bool started = program.Start(testing::FaderPath(), L"");
  EXPECT_TRUE(started);
  HWND main = testing::WaitForShownWindow(kMainWindowClass, 15000);
  // The program read the system DPI when it started.
  SetSystemDpi(96);
  EXPECT_TRUE(main);
  if (!main) return layouts;
  layouts.main = LayoutOf(main);
  SendMessageW(GetDlgItem(main, kIdCommand6), BM_CLICK, 0, 0);
  HWND compact = testing::WaitForShownWindow(kCompactWindowClass, 15000);
  EXPECT_TRUE(compact);
  if (compact) layouts.compact = LayoutOf(compact);
  return layouts;
}

RECT Suggested(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

// What these tests measure is in real pixels only while this process is
// aware of DPI per monitor, as the program is: an unaware one is shown every
// window scaled to 96 DPI (Wine 10 does that, as Windows does).
TEST(TestProcess, IsAwareOfDpiPerMonitorAsTheProgramIs) {
  EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()), DPI_AWARENESS_PER_MONITOR_AWARE);
}

TEST_F(MainWindow, ANewDpiLaysBothWindowsOutAsWindowsOpenedAtThatDpi) {
  const ProgramLayouts at144 = LayoutsOfTheProgramAt144();
  ASSERT_FALSE(at144.main.empty());
  ASSERT_FALSE(at144.compact.empty());
  // 4320 x 2145 twips at 144 DPI: 432 x 214.5, the half rounded up.
  EXPECT_EQ(at144.main.at(0).right, 432);
  EXPECT_EQ(at144.main.at(0).bottom, 215);

  Open();
  const Layout at96 = LayoutOf(form->hwnd());
  RECT suggested = Suggested(form->hwnd());
  SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form->dpi(), 144);
  ExpectSameLayout(LayoutOf(form->hwnd()), at144.main);
  suggested = Suggested(form->hwnd());
  SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  ExpectSameLayout(LayoutOf(form->hwnd()), at96);

  SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(form->compact());
  HWND compact = form->compact()->hwnd();
  const Layout compactAt96 = LayoutOf(compact);
  suggested = Suggested(compact);
  SendMessageW(compact, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  ExpectSameLayout(LayoutOf(compact), at144.compact);
  suggested = Suggested(compact);
  SendMessageW(compact, WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
  ExpectSameLayout(LayoutOf(compact), compactAt96);
}

TEST_F(MainWindow, ANewDpiKeepsTheSettingsTheTextTheFocusAndTheFold) {
  Open();
  SetWindowTextW(form->Text1.hwnd(), L"kept");
  form->SetColour(2, 0x00FF00);
  SendMessageW(form->hwnd(), WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(form->sb.hwnd()));
  SendMessageW(form->Check2.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form->Label1.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(form->Label1.hwnd(), WM_LBUTTONUP, 0, 0);
  RECT folded;
  GetClientRect(form->hwnd(), &folded);
  ASSERT_LT(folded.right, 288);
  SetFocus(form->cmbFonts.hwnd());

  RECT suggested = Suggested(form->hwnd());
  SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(testing::WindowText(form->Text1.hwnd()), L"kept");
  EXPECT_EQ(form->Colour(2), 0x00FF00);
  EXPECT_EQ(form->sb.Value(), 1);
  EXPECT_EQ(form->Check2.Value(), 1);
  EXPECT_EQ(GetFocus(), form->cmbFonts.hwnd());
  // Still folded: the same share of the design width as before, at 144 DPI.
  RECT client;
  GetClientRect(form->hwnd(), &client);
  EXPECT_EQ(client.right, folded.right * 3 / 2);
  // The strip's drawing was made again at the strip's new size, 1815 twips
  // at 144 DPI: its bottom right pixel is inside the drawing.
  RECT strip;
  GetClientRect(form->pre.hwnd(), &strip);
  EXPECT_EQ(strip.right, 182);
  ASSERT_TRUE(form->preview());
  EXPECT_GE(form->preview()->width(), strip.right);
  EXPECT_GE(form->preview()->height(), strip.bottom);
}

}  // namespace
}  // namespace quillon
