// The peek of both windows as a user meets it: when it appears and goes,
// that it never takes the focus or covers the window, and what its pixels
// show, beside the stand-in chat client.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ui/testing/colour_dialog_answers.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

// The colour of the first and the last "#RRGGBB" in a line, as COLORREFs.
std::pair<COLORREF, COLORREF> FirstAndLastColours(const std::u16string& line) {
  auto at = [&](std::size_t hash) {
    const std::string code(line.begin() + static_cast<std::ptrdiff_t>(hash) + 1,
                           line.begin() + static_cast<std::ptrdiff_t>(hash) + 7);
    const unsigned long value = std::stoul(code, nullptr, 16);
    return RGB(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF);
  };
  return {at(line.find(u'#')), at(line.rfind(u'#'))};
}

// The memory this process has committed, in bytes (Wine counts it as the
// page file's use; it leaves the private usage at 0).
std::size_t CommittedBytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.PagefileUsage;
}

bool Overlap(const RECT& a, const RECT& b) {
  RECT both;
  return IntersectRect(&both, &a, &b) != FALSE;
}

class PeekTest : public MainWindow {
 protected:
  void SetUp() override {
    // The pointer out of the way, so that only the test's own events rest it
    // over a control.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  }

  HWND Popup(const FaderWindow& window) const { return window.peek().popup(); }
  bool Shown(const FaderWindow& window) const {
    return IsWindowVisible(Popup(window)) && window.peek().Shown();
  }
  bool Shown() const { return Shown(*form); }
  RECT PeekRect(const FaderWindow& window) const {
    RECT r;
    GetWindowRect(Popup(window), &r);
    return r;
  }
  // What the system sends once the pointer has rested over a control for
  // the hover time, and when it has left it.
  void Rest(HWND control) {
    SendMessageW(control, WM_MOUSEHOVER, 0, MAKELPARAM(4, 4));
    EXPECT_TRUE(Drained("the pointer's rest to be handled"));
  }
  void Leave(HWND control) {
    SendMessageW(control, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(Drained("the pointer's leaving to be handled"));
  }
  // Text typed into Text1 while the focus stays where it is.
  void TypeAside(const std::wstring& text) { Type(form->Text1.hwnd(), text); }
  void FocusAway() {
    SetFocus(form->Check1.hwnd());
    EXPECT_TRUE(Drained("the focus's move to be handled"));
  }
  // The picture the peek of window keeps, as large as the popup's client area.
  Pixels Picture(const FaderWindow& window) const {
    RECT client;
    GetClientRect(Popup(window), &client);
    return GrabPixels(window.peek().surface()->dc(), client);
  }
  // The picture's inked columns: columns with a pixel that is neither the
  // background nor the frame, left to right.
  std::vector<int> InkedColumns(const FaderWindow& window) const {
    const Pixels picture = Picture(window);
    std::vector<int> columns;
    for (int x = 1; x < picture.width - 1; ++x)
      for (int y = 1; y < picture.height - 1; ++y)
        if (picture.At(x, y) != PeekWindow::kBackground) {
          columns.push_back(x);
          break;
        }
    return columns;
  }
  static std::set<COLORREF> ColoursIn(const Pixels& pixels, int fromX, int toX) {
    std::set<COLORREF> colours;
    for (int x = fromX; x <= toX; ++x)
      for (int y = 0; y < pixels.height; ++y) colours.insert(pixels.At(x, y));
    return colours;
  }
};

TEST_F(PeekTest, AppearsWhileThePointerRestsOverTheTextOrTheStripWithTextInTheBox) {
  Open();
  FocusAway();
  Rest(form->pre.hwnd());
  EXPECT_FALSE(Shown());  // nothing to show yet
  Leave(form->pre.hwnd());
  TypeAside(L"hello");
  EXPECT_FALSE(Shown());  // typed aside, not pointed at
  Rest(form->Text1.hwnd());
  ASSERT_TRUE(Shown());
  EXPECT_EQ(form->peek().Line(), ExpectedLine(kFirstRun, u"hello"));
  Leave(form->Text1.hwnd());
  EXPECT_FALSE(Shown());
  Rest(form->pre.hwnd());
  EXPECT_TRUE(Shown());
  Leave(form->pre.hwnd());
  EXPECT_FALSE(Shown());
}

TEST_F(PeekTest, FromTheKeyboardWhileTheTextBoxHasTheFocusUntilEscOrAnEmptyBox) {
  Open();
  HWND text = form->Text1.hwnd();
  EXPECT_FALSE(Shown());  // focused but empty
  Type(text, L"a");
  ASSERT_TRUE(Shown());
  // The pointer leaving does not take it while the box has the focus.
  Rest(text);
  Leave(text);
  EXPECT_TRUE(Shown());
  SetWindowTextW(text, L"");
  ASSERT_TRUE(Drained("the emptied box to be handled"));
  EXPECT_FALSE(Shown());
  Type(text, L"bc");
  EXPECT_TRUE(Shown());
  PressKey(text, VK_ESCAPE);
  ASSERT_TRUE(Drained("Esc to be handled"));
  EXPECT_FALSE(Shown());
  Type(text, L"d");
  EXPECT_TRUE(Shown());
  // Away with Tab it stays; back with Tab after an Esc it comes again.
  PressKey(text, VK_TAB);
  ASSERT_TRUE(Drained("Tab to be handled"));
  EXPECT_TRUE(Shown());
  PressKey(GetFocus(), VK_ESCAPE);
  ASSERT_TRUE(Drained("Esc to be handled"));
  EXPECT_FALSE(Shown());
  SetFocus(text);
  ASSERT_TRUE(Drained("the focus's return to be handled"));
  EXPECT_TRUE(Shown());
  EXPECT_EQ(form->peek().Line(), ExpectedLine(kFirstRun, u"bcd"));
}

TEST_F(PeekTest, GoesWhenTheWindowIsMovedFoldedDeactivatedOrHidden) {
  Open();
  HWND text = form->Text1.hwnd();
  Type(text, L"x");
  ASSERT_TRUE(Shown());
  RECT outer;
  GetWindowRect(form->hwnd(), &outer);
  SetWindowPos(form->hwnd(), nullptr, outer.left + 10, outer.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(Drained("the move to be handled"));
  EXPECT_FALSE(Shown());

  Type(text, L"y");
  ASSERT_TRUE(Shown());
  Click(form->Label1.hwnd());  // fold
  EXPECT_FALSE(Shown());

  SetFocus(text);
  Type(text, L"z");
  ASSERT_TRUE(Shown());
  // Another program's window in front: this test's own plain window stands
  // in for it, on a thread of its own.
  std::atomic<HWND> other = nullptr;
  std::atomic<DWORD> otherThread = 0;
  std::thread elsewhere([&] {
    HWND window = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 50, nullptr,
                                  nullptr, nullptr, nullptr);
    otherThread = GetCurrentThreadId();
    other = window;
    MSG m;
    while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
    DestroyWindow(window);
  });
  ASSERT_TRUE(PumpUntil([&] { return other.load() != nullptr; }));
  SetForegroundWindow(other);
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() != form->hwnd(); }));
  EXPECT_FALSE(Shown());
  // Back in the window the focus returns to the text box, and with it the peek.
  SetForegroundWindow(form->hwnd());
  ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == form->hwnd(); }));
  ASSERT_TRUE(WaitedFor("the focus to return to the text box", [&] { return GetFocus() == text; }));
  ASSERT_TRUE(Drained("the activation to be handled"));
  EXPECT_TRUE(Shown());
  PostThreadMessageW(otherThread, WM_QUIT, 0, 0);
  elsewhere.join();

  SwitchToCompact();  // this one hides
  EXPECT_FALSE(IsWindowVisible(form->hwnd()));
  EXPECT_FALSE(Shown());
}

TEST_F(PeekTest, GoesWhenTheLineIsSentUntilTheNextKeyTyped) {
  Open();
  Type(form->Text1.hwnd(), L"away it goes");
  ASSERT_TRUE(Shown());
  PressKey(form->Text1.hwnd(), VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 2; }));
  EXPECT_EQ(host.ChatLines()[1], ExpectedLine(kFirstRun, u"away it goes"));
  EXPECT_EQ(form->peek().Line(), u"");
  EXPECT_FALSE(Shown());
  Type(form->Text1.hwnd(), L"next");
  EXPECT_TRUE(Shown());
}

TEST_F(PeekTest, GoesWhenTheLineIsSentEvenWhenItReachedNoRoom) {
  Open(L"--windows plain");
  Type(form->Text1.hwnd(), L"kept");
  ASSERT_TRUE(Shown());
  PressKey(form->Text1.hwnd(), VK_RETURN);
  ASSERT_TRUE(Drained("the Enter to be handled"));
  EXPECT_EQ(form->Text1.Text(), u"kept");
  EXPECT_FALSE(Shown());
}

TEST_F(PeekTest, NeverTakesTheFocusOrActivationAndStaysOutsideTheWindowOnTheWorkArea) {
  Open();
  HWND text = form->Text1.hwnd();
  Type(text, L"where am I");
  ASSERT_TRUE(Shown());
  HWND popup = Popup(*form);
  EXPECT_EQ(GetForegroundWindow(), form->hwnd());
  EXPECT_EQ(GetActiveWindow(), form->hwnd());
  EXPECT_EQ(GetFocus(), text);
  const LONG_PTR style = GetWindowLongPtrW(popup, GWL_STYLE), ex = GetWindowLongPtrW(popup, GWL_EXSTYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME));
  EXPECT_EQ(ex & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST),
            WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST);
  // The window keeps its place on top of others.
  EXPECT_TRUE(GetWindowLongPtrW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);

  // A click on it changes nothing.
  EXPECT_EQ(SendMessageW(popup, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(form->hwnd()),
                         MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)),
            MA_NOACTIVATE);
  PostMessageW(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  PostMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  ASSERT_TRUE(Drained("the click on the peek to be handled"));
  EXPECT_EQ(GetForegroundWindow(), form->hwnd());
  EXPECT_EQ(GetFocus(), text);
  EXPECT_TRUE(Shown());

  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(form->hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
  auto expectPlaced = [&] {
    const RECT peek = PeekRect(*form);
    RECT outer;
    GetWindowRect(form->hwnd(), &outer);
    EXPECT_FALSE(Overlap(peek, outer));
    EXPECT_GE(peek.left, monitor.rcWork.left);
    EXPECT_GE(peek.top, monitor.rcWork.top);
    EXPECT_LE(peek.right, monitor.rcWork.right);
    EXPECT_LE(peek.bottom, monitor.rcWork.bottom);
    return std::pair{peek, outer};
  };
  const auto [below, window] = expectPlaced();
  EXPECT_GE(below.top, window.bottom);

  // At the bottom right of the work area it goes above, moved in from the edge.
  SetWindowPos(form->hwnd(), nullptr, monitor.rcWork.right - (window.right - window.left) + 40,
               monitor.rcWork.bottom - (window.bottom - window.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Type(text, L" now?");
  ASSERT_TRUE(Shown());
  const auto [above, moved] = expectPlaced();
  EXPECT_LE(above.bottom, moved.top);
  EXPECT_EQ(GetForegroundWindow(), form->hwnd());
  EXPECT_EQ(GetFocus(), text);
  EXPECT_TRUE(GetWindowLongPtrW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(PeekTest, PixelsShowTheFirstAndLastCharactersInTheFadesFirstAndLastColours) {
  Open();
  // Red to blue over two colours, bold and wavy, the longest line the box takes.
  SendMessageW(form->hwnd(), WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(form->sb.hwnd()));
  form->SetColour(1, 0x0000FF);
  form->SetColour(2, 0xFF0000);
  SendMessageW(form->Check1.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form->Check4.hwnd(), BM_CLICK, 0, 0);
  SetFocus(form->Text1.hwnd());
  const std::wstring text(70, L'H');
  Type(form->Text1.hwnd(), text);
  ASSERT_TRUE(Shown());
  const LineSettings settings{u"arial", true, false, false, true, {0x0000FF, 0xFF0000}};
  const std::u16string line = ExpectedLine(settings, std::u16string(text.begin(), text.end()));
  ASSERT_EQ(form->peek().Line(), line);
  const auto [first, last] = FirstAndLastColours(line);
  ASSERT_NE(first, last);

  RECT client;
  GetClientRect(Popup(*form), &client);
  EXPECT_EQ(form->peek().surface()->dpi(), form->dpi());
  const std::vector<int> inked = InkedColumns(*form);
  ASSERT_GE(inked.size(), 70u);
  // The whole line fits: space after its last column.
  EXPECT_LT(inked.back(), client.right - 2);
  const Pixels picture = Picture(*form);
  const auto start = ColoursIn(picture, inked.front(), inked.front() + 2);
  const auto end = ColoursIn(picture, inked.back() - 2, inked.back());
  EXPECT_TRUE(start.count(first));
  EXPECT_FALSE(start.count(last));
  EXPECT_TRUE(end.count(last));
  EXPECT_FALSE(end.count(first));

  // The popup shows that picture: its own pixels, copied off its DC.
  const Pixels shown = ClientPixels(Popup(*form));
  ASSERT_FALSE(shown.empty());
  EXPECT_TRUE(ColoursIn(shown, inked.front(), inked.front() + 2).count(first));
  EXPECT_TRUE(ColoursIn(shown, inked.back() - 2, inked.back()).count(last));
}

TEST_F(PeekTest, AVeryLongLineCostsNoMoreThanTheScreenAndTheMemoryGoesBackWhenTheLineShrinks) {
  Open();
  HWND text = form->Text1.hwnd();
  Type(text, L"a");
  ASSERT_TRUE(Shown());
  const std::size_t before = CommittedBytes();
  // Another program sets a line far beyond the box's limit (WM_SETTEXT is
  // not limited).
  const std::wstring longLine(100000, L'W');
  SendMessageW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longLine.c_str()));
  ASSERT_TRUE(Drained("the long line to be handled"));
  ASSERT_TRUE(Shown());
  // The popup stays on the work area: the picture is no larger.
  const RECT work = WorkArea(form->hwnd());
  const GdiSurface* surface = form->peek().surface();
  EXPECT_LE(surface->width(), work.right - work.left);
  EXPECT_LE(surface->height(), work.bottom - work.top);

  // The box emptied, the memory goes back; a short line again gets a
  // picture of its own size.
  SetWindowTextW(text, L"");
  ASSERT_TRUE(Drained("the emptied box to be handled"));
  EXPECT_FALSE(Shown());
  EXPECT_LT(CommittedBytes(), before + (8u << 20));
  Type(text, L"b");
  ASSERT_TRUE(Shown());
  RECT client;
  GetClientRect(Popup(*form), &client);
  EXPECT_LE(form->peek().surface()->width(), 2 * client.right);
}

TEST_F(PeekTest, CharactersTheCodePageLacksShowAsTheRoomReceivesThem) {
  Open();
  HWND text = form->Text1.hwnd();
  auto picture = [&](const std::wstring& typed) {
    SetWindowTextW(text, L"");
    Type(text, typed);
    EXPECT_TRUE(Shown());
    return Picture(*form).colours;
  };
  // The room receives the line in the ANSI code page, 1252 here: "∞" as "?".
  ASSERT_EQ(GetACP(), 1252u);
  const auto lacking = picture(L"a\u221Eb");
  EXPECT_EQ(form->peek().Line(), ExpectedLine(kFirstRun, u"a\u221Eb"));  // composed as it will be sent
  EXPECT_EQ(lacking, picture(L"a?b"));
  EXPECT_NE(lacking, picture(L"a!b"));
}

TEST_F(PeekTest, RedrawsTheLineAfterTextStyleColourBarAndFontChange) {
  Open();
  HWND text = form->Text1.hwnd();
  Type(text, L"every change");
  ASSERT_TRUE(Shown());
  // A checksum of the picture, to see it drawn anew.
  auto picture = [&] {
    unsigned long long sum = 0;
    for (COLORREF pixel : Picture(*form).colours) sum = sum * 31 + pixel;
    return sum;
  };
  // What the test set so far, and the line it gives.
  LineSettings settings = kFirstRun;
  std::u16string typed = u"every change";
  auto expectRedrawn = [&](const char* change) {
    SCOPED_TRACE(change);
    static unsigned long long before = 0;
    EXPECT_TRUE(Shown());
    EXPECT_EQ(form->peek().Line(), ExpectedLine(settings, typed));
    const unsigned long long now = picture();
    EXPECT_NE(now, before);
    before = now;
  };
  expectRedrawn("start");
  Type(text, L"!");
  typed += u"!";
  expectRedrawn("text");
  SendMessageW(form->Check3.hwnd(), BM_CLICK, 0, 0);
  ASSERT_TRUE(Drained("the style's change to be handled"));
  settings.underline = true;
  expectRedrawn("style");
  {
    const DialogAnswers answer({{true, RGB(0, 200, 0)}});
    Click(form->pic4.hwnd());
    ASSERT_TRUE(Drained("the colour dialog to be answered"));
    EXPECT_EQ(answer.opened(), 1);
  }
  EXPECT_EQ(form->pic4.BackColor(), 0x00C800);
  settings.colours[3] = 0x00C800;
  expectRedrawn("colour");
  SendMessageW(form->hwnd(), WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(form->sb.hwnd()));
  ASSERT_TRUE(Drained("the bar's change to be handled"));
  settings.colours.resize(3);
  expectRedrawn("bar");
  const int other = form->cmbFonts.Text() == u"tahoma" ? 0 : static_cast<int>(SendMessageW(
      form->cmbFonts.hwnd(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"tahoma")));
  ASSERT_GE(other, 0);
  SendMessageW(form->cmbFonts.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(other), 0);
  SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(kIdFonts, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(form->cmbFonts.hwnd()));
  ASSERT_TRUE(Drained("the font's change to be handled"));
  settings.font = u"tahoma";
  expectRedrawn("font");
}

TEST_F(PeekTest, ThePointerRestingOverTheTextBoxShowsItAndLeavingTakesIt) {
  Open();
  TypeAside(L"pointed at");
  FocusAway();
  RECT box;
  GetWindowRect(form->Text1.hwnd(), &box);
  // Moved in two steps, so that the box sees the pointer move within it.
  SetCursorPos(box.left + 4, box.top + 4);
  ASSERT_TRUE(WaitedFor("the text box to follow the pointer", [&] {
    TRACKMOUSEEVENT tracked{sizeof tracked, TME_QUERY, nullptr, 0};
    return TrackMouseEvent(&tracked) && tracked.hwndTrack == form->Text1.hwnd();
  }));
  SetCursorPos(box.left + 8, box.top + 6);
  ASSERT_TRUE(PumpUntil([&] { return Shown(); }, 5000));
  EXPECT_EQ(GetFocus(), form->Check1.hwnd());
  EXPECT_EQ(GetForegroundWindow(), form->hwnd());
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  EXPECT_TRUE(PumpUntil([&] { return !Shown(); }, 5000));
}

TEST_F(PeekTest, TheCompactWindowHasItsOwnPeek) {
  Open();
  Compact& compact = SwitchToCompact();
  ASSERT_TRUE(IsWindowVisible(compact.hwnd()));
  SetForegroundWindow(compact.hwnd());
  SetFocus(compact.Text1.hwnd());
  Type(compact.Text1.hwnd(), L"small");
  ASSERT_TRUE(Shown(compact));
  EXPECT_FALSE(Shown(*form));
  EXPECT_TRUE(GetWindowLongPtrW(compact.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT outer;
  GetWindowRect(compact.hwnd(), &outer);
  EXPECT_FALSE(Overlap(PeekRect(compact), outer));
  EXPECT_EQ(GetFocus(), compact.Text1.hwnd());
  PressKey(compact.Text1.hwnd(), VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 2; }));
  EXPECT_FALSE(Shown(compact));
}

}  // namespace
}  // namespace quillon
