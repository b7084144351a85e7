// Only the window's own controls command it: WM_COMMAND and WM_HSCROLL that
// another program sends, naming the window itself or a window that is not
// one of its children, do nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/common/texts.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using Lines = std::vector<std::u16string>;

TEST_F(MainWindow, CommandsNamingTheWindowItselfOrAForeignWindowDoNothing) {
  Open();
  HWND w = form->hwnd();
  // A control of ours on another window, and the chat client's window.
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 40, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(other);
  Button foreign;
  ASSERT_TRUE(foreign.Create(other, L"x", {0, 0, 50, 20}, kIdCommand5));
  bool foreignClicked = false;
  foreign.onClick = [&] { foreignClicked = true; };
  SendMessageW(w, WM_COMMAND, MAKEWPARAM(kIdCommand5, BN_CLICKED), reinterpret_cast<LPARAM>(foreign.hwnd()));
  HWND client = FindWindowW(L"AOL Frame25", nullptr);
  ASSERT_TRUE(client);
  SendMessageW(w, WM_COMMAND, MAKEWPARAM(kIdCommand1, BN_CLICKED), reinterpret_cast<LPARAM>(client));
  EXPECT_FALSE(foreignClicked);

  // The window itself. The notification code goes in the high word, as a
  // control's command carries it; WM_CLOSE there is how a stray command
  // used to reach the window's own message handling.
  const LPARAM self = reinterpret_cast<LPARAM>(w);
  for (WORD code : {WORD{BN_CLICKED}, WORD{WM_CLOSE}}) {
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(kIdCommand1, code), self);
    SendMessageW(w, WM_COMMAND, MAKEWPARAM(kIdCommand5, code), self);
  }
  SendMessageW(w, WM_HSCROLL, SB_LINELEFT, self);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_EQ(form->sb.Value(), 2);
  // The program still sends; its line is the sentinel: no "unloaded" and
  // no advertisement came before it.
  SendFrom(form->Text1.hwnd(), L"still here");
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() >= 2; }));
  EXPECT_EQ(host.ChatLines(), (Lines{LoadedLine(), ExpectedLine(kFirstRun, u"still here")}));
  DestroyWindow(other);
}

}  // namespace
}  // namespace quillon
