// Our windows against the window manager: keeping one on top of the others.
#include "platform/window.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

// Whether upper stands above lower among the top-level windows.
bool IsAbove(HWND upper, HWND lower) {
  for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == upper) return true;
  return false;
}

HWND Popup(const wchar_t* text) {
  return CreateWindowW(L"STATIC", text, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
}

void Raise(HWND window) { SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

TEST(KeepOnTop, KeepsAWindowAboveOrdinaryWindowsRaisedAfterIt) {
  HWND ours = Popup(L"ours");
  HWND before = Popup(L"before");
  ASSERT_TRUE(ours && before);
  Raise(before);
  ASSERT_TRUE(IsAbove(before, ours));  // raising alone lifts a window over ours

  KeepOnTop(ours);
  EXPECT_TRUE(IsAbove(ours, before));
  KeepOnTop(ours);
  HWND after = Popup(L"after");
  ASSERT_TRUE(after);
  Raise(after);
  EXPECT_TRUE(IsAbove(after, before));  // the raise took effect below ours
  EXPECT_TRUE(IsAbove(ours, after));
  BringWindowToTop(before);
  EXPECT_TRUE(IsAbove(before, after));
  EXPECT_TRUE(IsAbove(ours, before));
  DestroyWindow(after);
  DestroyWindow(before);
  DestroyWindow(ours);
}

}  // namespace
}  // namespace quillon
