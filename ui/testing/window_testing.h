// What the end-to-end tests of the two windows share: pumping our own
// messages while waiting, input as keyboard and mouse produce it, and the
// main window opened beside a stand-in chat client.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/event_pump.h"
#include "platform/profile_store.h"
#include "platform/win32_window_ops.h"
#include "tools/testing/processes.h"
#include "tools/testing/standin.h"
#include "ui/common/texts.h"
#include "ui/main/form1.h"

namespace quillon {

using testing::StandIn;

// Lets the windows run until predicate() holds; false after milliseconds.
// The tests wait for what they need, never for a fixed time.
template <typename Predicate>
inline bool PumpUntil(Predicate predicate, DWORD milliseconds = 5000) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!predicate()) {
    if (GetTickCount64() > end) return false;
    PumpPendingMessages();
    Sleep(5);
  }
  return true;
}

// PumpUntil for ASSERT_TRUE and EXPECT_TRUE: a failure names what was
// waited for, and for how long.
template <typename Predicate>
inline ::testing::AssertionResult WaitedFor(const char* what, Predicate predicate, DWORD milliseconds = 10000) {
  if (PumpUntil(predicate, milliseconds)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "waited " << milliseconds / 1000.0 << " s for " << what;
}

// Notes in the flag its GWLP_USERDATA points to that WM_APP came.
inline LRESULT CALLBACK SentinelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_APP) return DefWindowProcW(window, message, wParam, lParam);
  *reinterpret_cast<bool*>(GetWindowLongPtrW(window, GWLP_USERDATA)) = true;
  return 0;
}

// Lets this thread's windows handle everything queued for them: a message
// posted to a window of our own is handled after every message posted
// before it, and once it has been, the queue must hold nothing but timers
// (no input, posted or sent message, or paint) or a quit, else another
// round. A failure names what was waited for.
inline ::testing::AssertionResult Drained(const char* what = "the windows' queue to drain",
                                          DWORD milliseconds = 10000) {
  HWND sentinel = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!sentinel) return ::testing::AssertionFailure() << "no sentinel window: error " << GetLastError();
  bool handled = false;
  SetWindowLongPtrW(sentinel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));
  SetWindowLongPtrW(sentinel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SentinelProc));
  const ULONGLONG end = GetTickCount64() + milliseconds;
  bool drained = false;
  while (!drained && GetTickCount64() <= end) {
    handled = false;
    PostMessageW(sentinel, WM_APP, 0, 0);
    while (!handled && GetTickCount64() <= end) {
      PumpPendingMessages();
      if (!handled) Sleep(1);
    }
    // A quit the pump put back stays queued, and comes after everything else.
    MSG quit;
    drained = handled && (HIWORD(GetQueueStatus(QS_KEY | QS_MOUSE | QS_POSTMESSAGE | QS_SENDMESSAGE | QS_PAINT)) == 0 ||
                          PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
  }
  DestroyWindow(sentinel);
  if (drained) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "waited " << milliseconds / 1000.0 << " s for " << what;
}

inline void PressKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

inline void Type(HWND target, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
  EXPECT_TRUE(Drained("the typed characters to be handled"));
}

inline RECT ClientRectOf(HWND child, HWND parent) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

class MainWindow : public ::testing::Test {
 protected:
  // Starts the stand-in client, then the main window, which announces
  // itself in the chat room when there is one.
  // The preferences file starts as the test leaves it; by default there is
  // none, so that the start is a first run.
  void Open(const std::wstring& hostArgs = L"", bool keepPrefs = false) {
    if (!keepPrefs) DeleteFileW(L"c:\\myini.ini");
    ASSERT_TRUE(host.Start(hostArgs));
    form = std::make_unique<Form1>(ops, prefs);
    ASSERT_TRUE(form->Open());
    if (hostArgs.empty()) {
      ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 1; }));
    }
    SetFocus(form->Text1.hwnd());
    ASSERT_TRUE(Drained("the opened window to settle"));
  }
  // The window first, then the client: the start's "loaded" line finds no
  // room, so the client's stalls begin with the test's own line.
  void OpenBeforeTheClient(const std::wstring& hostArgs) {
    DeleteFileW(L"c:\\myini.ini");
    form = std::make_unique<Form1>(ops, prefs);
    ASSERT_TRUE(form->Open());
    ASSERT_TRUE(host.Start(hostArgs));
    SetFocus(form->Text1.hwnd());
    ASSERT_TRUE(Drained("the opened window to settle"));
  }
  void TearDown() override {
    form.reset();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
  }

  std::u16string Expected(const std::u16string& text);

  // Lets the windows run until the chat rooms have received count lines;
  // false after 8 s (a slow client's sends take seconds).
  bool LinesReach(std::size_t count) {
    return PumpUntil([&] { return host.ChatLines().size() >= count; }, 8000);
  }

  // Clicks "compact" and waits until the compact window is shown in place
  // of this one.
  Compact& SwitchToCompact() {
    SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitedFor("the compact window to be shown in place of the main one", [&] {
      return form->compact() && IsWindowVisible(form->compact()->hwnd()) && !IsWindowVisible(form->hwnd());
    }));
    EXPECT_TRUE(Drained("the switch to the compact window to be handled"));
    return *form->compact();
  }
  // Clicks "normal" in the compact window and waits until this one is shown
  // in its place.
  void SwitchToMain() {
    SendMessageW(form->compact()->Command3.hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitedFor("the main window to be shown in place of the compact one", [&] {
      return IsWindowVisible(form->hwnd()) && !IsWindowVisible(form->compact()->hwnd());
    }));
    EXPECT_TRUE(Drained("the switch to the main window to be handled"));
  }

  // Types text into the chat box and presses Enter in target.
  void SendFrom(HWND target, const std::wstring& text) {
    SetFocus(form->Text1.hwnd());
    Type(form->Text1.hwnd(), text);
    SetFocus(target);
    PressKey(target, VK_RETURN);
  }

  StandIn host;
  Win32WindowOps ops;
  Win32ProfileStore prefs;
  std::unique_ptr<Form1> form;
};

// The colour codes of faded markup, in order, as pixel colours.
inline std::vector<COLORREF> FadeColours(const std::u16string& markup) {
  std::vector<COLORREF> colours;
  const std::u16string open = u"<Font Color=#";
  for (auto at = markup.find(open); at != std::u16string::npos; at = markup.find(open, at + 1)) {
    const std::string code(markup.begin() + static_cast<std::ptrdiff_t>(at + open.size()),
                           markup.begin() + static_cast<std::ptrdiff_t>(at + open.size() + 6));
    const unsigned long rgb = std::stoul(code, nullptr, 16);
    colours.push_back(RGB((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255));
  }
  return colours;
}

// The line a send from w posts for text, composed from w's controls.
inline std::u16string ExpectedLine(const FaderWindow& w, const std::u16string& text) {
  ComposeInputs in;
  in.fontOpen = kFontTagOpen;
  in.fontName = w.cmbFonts.Text();
  in.fontClose = kFontTagClose;
  in.bold = w.Check1.Value();
  in.italic = w.Check2.Value();
  in.underline = w.Check3.Value();
  in.wavy = w.Check4.Value();
  in.colourCount = w.sb.Value();
  for (int i = 0; i < 4; ++i) in.colours[static_cast<std::size_t>(i)] = w.Colour(i + 1);
  in.text = text;
  return ComposeLine(in);
}

inline std::u16string MainWindow::Expected(const std::u16string& text) { return ExpectedLine(*form, text); }

// The colours of the preview strip's bars, left to right, read from the
// pixels the preview keeps: one colour for each run of coloured columns.
inline std::vector<COLORREF> PreviewBars(const Form1& form) {
  std::vector<COLORREF> bars;
  HDC dc = form.preview()->dc();
  const COLORREF back = GetPixel(dc, 0, 0);
  RECT strip;
  GetClientRect(form.pre.hwnd(), &strip);
  bool inBar = false;
  for (int x = 0; x < strip.right; ++x) {
    COLORREF found = back;
    for (int y = 0; y < strip.bottom && found == back; ++y) found = GetPixel(dc, x, y);
    if (found != back && !inBar) bars.push_back(found);
    inBar = found != back;
  }
  return bars;
}

// The bars' colours the strip shows for the first colourCount swatches.
inline std::vector<COLORREF> ExpectedPreviewBars(const Form1& form, int colourCount) {
  const std::u16string strip(39, u'|');
  auto c = [&](int i) { return form.Colour(i); };
  if (colourCount == 4) return FadeColours(FadeFourColors(c(1), c(2), c(3), c(4), strip, 0));
  if (colourCount == 3) return FadeColours(FadeThreeColors(c(1), c(2), c(3), strip, 0));
  return FadeColours(FadeTwoColors(c(1), c(2), strip, 0));
}

// The system DPI that programs started from now on see.
inline void SetSystemDpi(DWORD dpi) {
  for (auto [root, path] : {std::pair{HKEY_CURRENT_USER, L"Control Panel\\Desktop"},
                            std::pair{HKEY_CURRENT_CONFIG, L"Software\\Fonts"}}) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
  }
}

// A click as the mouse makes it: button down and up over the control.
inline void Click(HWND target) {
  PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  EXPECT_TRUE(Drained("the click to be handled"));
}

}  // namespace quillon
