// Drives a running fader from outside, as a user's keyboard would: window
// messages to its own controls, nothing else. Used by scripts/run.
//
//   fader_driver send TEXT   click into the chat text box, type TEXT, press
//                            Enter; waits until the box is emptied (sent)
//   fader_driver click NAME  clicks the button or label that reads NAME, as
//                            the window shows it: "compact", "normal",
//                            "advertise", "<", ...; case does not matter
//   fader_driver wait        waits for a fader window to be shown
//   fader_driver close       closes the shown fader window, as its close box does
//
// Works on whichever of the two fader windows is visible. Exit code 0 on
// success, 1 when the window or control is missing or the send timed out.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/testing/processes.h"
#include "ui/common/control_ids.h"

namespace {

using namespace quillon;

HWND VisibleFader() {
  HWND found = nullptr;
  testing::WaitUntil(
      [&] {
        for (const wchar_t* name : {kMainWindowClass, kCompactWindowClass}) {
          HWND window = FindWindowW(name, nullptr);
          if (window && IsWindowVisible(window)) found = window;
        }
        return found != nullptr;
      },
      15000);
  return found;
}

int Send(HWND window, const std::wstring& text) {
  HWND box = GetDlgItem(window, kIdText1);
  if (!box) return 1;
  PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  for (wchar_t c : text) PostMessageW(box, WM_CHAR, c, 1);
  if (!testing::WaitUntil([&] { return testing::WindowText(box) == text; }, 5000)) return 1;
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC01C0001);
  return testing::WaitUntil([&] { return testing::WindowText(box).empty(); }, 8000) ? 0 : 1;
}

struct Search {
  const wchar_t* name;
  HWND found;
  bool button;
};

BOOL CALLBACK MatchCaption(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  wchar_t kind[16] = {};
  GetClassNameW(child, kind, 16);
  const bool button = lstrcmpiW(kind, L"Button") == 0;
  if ((button || lstrcmpiW(kind, L"Static") == 0) && IsWindowVisible(child) &&
      lstrcmpiW(testing::WindowText(child).c_str(), search.name) == 0) {
    search.found = child;
    search.button = button;
    return FALSE;
  }
  return TRUE;
}

int Click(HWND window, const wchar_t* name) {
  Search search{name, nullptr, false};
  EnumChildWindows(window, MatchCaption, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    std::fprintf(stderr, "fader_driver: no button or label reads \"%ls\"\n", name);
    return 1;
  }
  if (search.button) {
    SendMessageW(search.found, BM_CLICK, 0, 0);
  } else {
    PostMessageW(search.found, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    PostMessageW(search.found, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  HWND window = VisibleFader();
  if (!window) {
    std::fprintf(stderr, "fader_driver: no fader window is shown\n");
    return 1;
  }
  if (command == L"wait") return 0;
  if (command == L"close") return PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == L"send" && argc > 2) return Send(window, argv[2]);
  if (command == L"click" && argc > 2) return Click(window, argv[2]);
  std::fprintf(stderr, "usage: fader_driver send TEXT | click NAME | wait | close\n");
  return 1;
}
