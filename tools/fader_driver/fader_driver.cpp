// Drives a running fader from outside, as a user's keyboard would: window
// messages to its own controls, nothing else. Used by scripts/run.
//
//   fader_driver send TEXT   click into the chat text box, type TEXT, press
//                            Enter; waits until the box is emptied (sent)
//   fader_driver type TEXT   click into the chat text box and type TEXT,
//                            without Enter; waits until the box holds it
//   fader_driver clear       selects all of the chat text box and deletes it
//   fader_driver geometry CLASS
//                            prints where the first shown window of CLASS
//                            is on the screen, as WIDTHxHEIGHT+LEFT+TOP;
//                            top-level windows first, then child windows
//   fader_driver click NAME  clicks the button or label that reads NAME, as
//                            the window shows it: "compact", "normal",
//                            "advertise", "<", ...; case does not matter
//   fader_driver palettes    opens the colours' menu of the first swatch, as
//                            the menu key does, and its palettes submenu, and
//                            leaves them open; prints where both are on the
//                            screen together, as geometry does
//   fader_driver palette N   chooses the palette N (from 0) in that submenu,
//                            opening it first when it is not open; waits
//                            until the menu has closed, prints its name
//   fader_driver preview     prints where the preview strip is, as geometry
//   fader_driver wait        waits for a fader window to be shown
//   fader_driver close       closes the shown fader window, as its close box does
//
// Works on whichever of the two fader windows is visible. Exit code 0 on
// success, 1 when the window or control is missing or the send timed out.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/testing/processes.h"
#include "ui/common/control_ids.h"
#include "ui/common/palettes.h"

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

// Types text at the end of the chat text box; the box, or nullptr when it is
// missing or did not take the text.
HWND TypeInto(HWND window, const std::wstring& text) {
  HWND box = GetDlgItem(window, kIdText1);
  if (!box) return nullptr;
  const std::wstring expected = testing::WindowText(box) + text;
  PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  PostMessageW(box, WM_KEYDOWN, VK_END, 0x014F0001);
  PostMessageW(box, WM_KEYUP, VK_END, 0xC14F0001);
  for (wchar_t c : text) PostMessageW(box, WM_CHAR, c, 1);
  return testing::WaitUntil([&] { return testing::WindowText(box) == expected; }, 5000) ? box : nullptr;
}

int Clear(HWND window) {
  HWND box = GetDlgItem(window, kIdText1);
  if (!box) return 1;
  PostMessageW(box, EM_SETSEL, 0, -1);
  PostMessageW(box, WM_KEYDOWN, VK_DELETE, 0x01530001);
  PostMessageW(box, WM_KEYUP, VK_DELETE, 0xC1530001);
  return testing::WaitUntil([&] { return testing::WindowText(box).empty(); }, 5000) ? 0 : 1;
}

int Geometry(const wchar_t* className) {
  const auto shownOfClass = [&](HWND window) {
    return IsWindowVisible(window) && lstrcmpiW(testing::ClassName(window).c_str(), className) == 0;
  };
  HWND found = testing::FindWindowWhere(nullptr, shownOfClass);
  // A child window of that class, inside any top-level window.
  if (!found)
    testing::FindWindowWhere(nullptr, [&](HWND top) { return (found = testing::FindWindowWhere(top, shownOfClass)) != nullptr; });
  RECT r;
  if (!found || !GetWindowRect(found, &r)) {
    std::fprintf(stderr, "fader_driver: no shown window of class %ls\n", className);
    return 1;
  }
  std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  return 0;
}

// The shown menus of the fader's thread, the first opened first.
std::vector<HWND> ShownMenus(HWND window) { return testing::ShownMenus(GetWindowThreadProcessId(window, nullptr)); }

void PostKey(HWND target, UINT key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Opens the menu and its submenu unless they are open; false when they
// did not open.
bool OpenPalettes(HWND window) {
  if (ShownMenus(window).size() < 2) {
    HWND swatch = GetDlgItem(window, kIdPic1);
    if (!swatch) return false;
    // As the menu key asks for it: no point, the menu opens under the swatch.
    PostMessageW(swatch, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(swatch), -1);
    if (!testing::WaitUntil([&] { return ShownMenus(window).size() == 1; }, 5000)) return false;
    const HWND menu = ShownMenus(window).front();
    PostKey(menu, VK_DOWN);
    PostKey(menu, VK_RIGHT);
    if (!testing::WaitUntil([&] { return ShownMenus(window).size() == 2; }, 5000)) return false;
  }
  return true;
}

int ShowPalettes(HWND window) {
  if (!OpenPalettes(window)) return 1;
  RECT all{}, one;
  for (HWND menu : ShownMenus(window))
    if (GetWindowRect(menu, &one)) UnionRect(&all, &all, &one);
  std::printf("%ldx%ld+%ld+%ld\n", all.right - all.left, all.bottom - all.top, all.left, all.top);
  return 0;
}

int ChoosePalette(HWND window, int index) {
  const auto palettes = Palettes();
  if (index < 0 || index >= static_cast<int>(palettes.size())) {
    std::fprintf(stderr, "fader_driver: there are palettes 0 to %d\n", static_cast<int>(palettes.size()) - 1);
    return 1;
  }
  if (!OpenPalettes(window)) return 1;
  // The submenu opened with its first palette selected; keys go to the
  // first menu, whose window lasts as long as the menu is open.
  const HWND menu = ShownMenus(window).front();
  for (int i = 0; i < index; ++i) PostKey(menu, VK_DOWN);
  PostKey(menu, VK_RETURN);
  if (!testing::WaitUntil([&] { return ShownMenus(window).empty(); }, 5000)) return 1;
  const std::u16string_view name = palettes[static_cast<std::size_t>(index)].name;
  std::printf("%s\n", std::string(name.begin(), name.end()).c_str());
  return 0;
}

int PreviewGeometry(HWND window) {
  HWND strip = GetDlgItem(window, kIdPre);
  RECT r;
  if (!strip || !GetWindowRect(strip, &r)) {
    std::fprintf(stderr, "fader_driver: the shown window has no preview strip\n");
    return 1;
  }
  std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  return 0;
}

int Send(HWND window, const std::wstring& text) {
  HWND box = TypeInto(window, text);
  if (!box) return 1;
  PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(box, WM_KEYUP, VK_RETURN, 0xC01C0001);
  return testing::WaitUntil([&] { return testing::WindowText(box).empty(); }, 8000) ? 0 : 1;
}

int Click(HWND window, const wchar_t* name) {
  HWND found = testing::FindWindowWhere(window, [&](HWND child) {
    const std::wstring kind = testing::ClassName(child);
    return (lstrcmpiW(kind.c_str(), L"Button") == 0 || lstrcmpiW(kind.c_str(), L"Static") == 0) &&
           IsWindowVisible(child) && lstrcmpiW(testing::WindowText(child).c_str(), name) == 0;
  });
  if (!found) {
    std::fprintf(stderr, "fader_driver: no button or label reads \"%ls\"\n", name);
    return 1;
  }
  if (lstrcmpiW(testing::ClassName(found).c_str(), L"Button") == 0) {
    SendMessageW(found, BM_CLICK, 0, 0);
  } else {
    PostMessageW(found, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    PostMessageW(found, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
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
  if (command == L"type" && argc > 2) return TypeInto(window, argv[2]) ? 0 : 1;
  if (command == L"clear") return Clear(window);
  if (command == L"geometry" && argc > 2) return Geometry(argv[2]);
  if (command == L"click" && argc > 2) return Click(window, argv[2]);
  if (command == L"palettes") return ShowPalettes(window);
  if (command == L"palette" && argc > 2) return ChoosePalette(window, _wtoi(argv[2]));
  if (command == L"preview") return PreviewGeometry(window);
  std::fprintf(stderr,
               "usage: fader_driver send TEXT | type TEXT | clear | geometry CLASS | click NAME | palettes |\n"
               "                    palette N | preview | wait | close\n");
  return 1;
}
