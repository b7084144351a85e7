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
#include "tools/testing/test_files.h"
#include "ui/common/texts.h"
#include "ui/main/form1.h"
#include "ui/testing/expected_line.h"
#include "ui/testing/pixels.h"

namespace quillon {

using testing::ExpectedLine;
using testing::kFirstRun;
using testing::LineSettings;
using testing::StandIn;
using testing::WithColourCount;

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
    if (!keepPrefs) testing::DeletePrefsFile();
    ASSERT_TRUE(host.Start(hostArgs));
    MakeForm();
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
    testing::DeletePrefsFile();
    MakeForm();
    ASSERT_TRUE(form->Open());
    ASSERT_TRUE(host.Start(hostArgs));
    SetFocus(form->Text1.hwnd());
    ASSERT_TRUE(Drained("the opened window to settle"));
  }
  // A main window of a run of its own, as the program makes them.
  void MakeForm(ProfileStore& store) {
    form.reset();
    run = std::make_unique<quillon::Run>(ops, store, loop);
    form = std::make_unique<Form1>(*run);
  }
  void MakeForm() { MakeForm(prefs); }

  void TearDown() override {
    form.reset();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
  }

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
  Win32EventLoop loop;
  std::unique_ptr<quillon::Run> run;
  std::unique_ptr<Form1> form;
};

// The colours of the preview strip's bars, left to right, read from the
// pixels the preview keeps: one colour for each run of coloured columns.
inline std::vector<COLORREF> PreviewBars(const Form1& form) {
  RECT strip;
  GetClientRect(form.pre.hwnd(), &strip);
  return BarColours(GrabPixels(form.preview()->dc(), strip));
}

// Colours of the reference fade as pixels.
inline std::vector<COLORREF> AsPixels(const std::vector<testing::Rgb>& shades) {
  std::vector<COLORREF> pixels;
  for (const testing::Rgb& c : shades) pixels.push_back(RGB(c.red, c.green, c.blue));
  return pixels;
}

// The bars' colours the strip shows for colours, the swatches in use.
inline std::vector<COLORREF> ExpectedBars(const std::vector<std::int32_t>& colours) {
  return AsPixels(testing::ExpectedBarColours(colours));
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
