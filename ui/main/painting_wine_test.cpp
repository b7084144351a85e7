// Every control of both windows is drawn after every repaint: what a window
// shows of its controls when it opens, it shows again after it was laid out
// for another DPI and back, after a full repaint asked for from outside,
// and after its frames alone were repainted. The cases run at the system's
// DPI (96 in the tests' prefix); the case At144Dpi runs them again in a copy
// of this test started while the system DPI is 144.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/testing/processes.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

// What the screen shows of a rectangle.
struct Pixels {
  RECT where{};
  std::vector<COLORREF> colours;
};

Pixels ScreenPixels(const RECT& where) {
  Pixels shot{where, {}};
  const int width = where.right - where.left, height = where.bottom - where.top;
  if (width <= 0 || height <= 0) return shot;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, where.left, where.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  shot.colours.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), shot.colours.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}

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

RECT Suggested(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return r;
}

int OtherDpi(int dpi) { return dpi == 96 ? 144 : 96; }

class Painting : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileW(L"c:\\myini.ini");
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
  std::unique_ptr<Form1> form;
};

TEST_F(Painting, BothWindowsDrawEveryControlAfterEveryRepaintAtTheSystemDpi) {
  form = std::make_unique<Form1>(ops, prefs);
  ASSERT_TRUE(form->Open());
  {
    SCOPED_TRACE("main window");
    ExpectEveryControlDrawnAfterEveryRepaint(*form);
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
