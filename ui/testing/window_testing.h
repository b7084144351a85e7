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

inline void PumpFor(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  do {
    PumpPendingMessages();
    Sleep(5);
  } while (GetTickCount64() < end);
}

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

inline void PressKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

inline void Type(HWND target, const std::wstring& text) {
  for (wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
  PumpFor(20);
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
    form = std::make_unique<Form1>(ops, prefs);
    ASSERT_TRUE(form->Open());
    if (hostArgs.empty()) {
      ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 1; }));
    }
    SetFocus(form->Text1.hwnd());
    PumpFor(20);
  }
  // The window first, then the client: the start's "loaded" line finds no
  // room, so the client's stalls begin with the test's own line.
  void OpenBeforeTheClient(const std::wstring& hostArgs) {
    testing::DeletePrefsFile();
    form = std::make_unique<Form1>(ops, prefs);
    ASSERT_TRUE(form->Open());
    ASSERT_TRUE(host.Start(hostArgs));
    SetFocus(form->Text1.hwnd());
    PumpFor(20);
  }
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
  PumpFor(30);
}

}  // namespace quillon
