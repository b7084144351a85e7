// The windows driven by the keyboard alone: Space on a swatch, Enter on a
// swatch, and closing with Alt+F4 or the system menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/common/texts.h"
#include "ui/testing/colour_dialog_answers.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

// Key messages as the keyboard sends them, with the Alt bit where Alt is held.
void PostKey(HWND target, UINT message, UINT key, UINT scanCode) {
  LPARAM data = 1 | (static_cast<LPARAM>(scanCode) << 16);
  if (message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) data |= LPARAM{1} << 29;
  if (message == WM_KEYUP || message == WM_SYSKEYUP) data |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
  PostMessageW(target, message, key, data);
}

void PressAltF4(HWND target) {
  PostKey(target, WM_SYSKEYDOWN, VK_MENU, 0x38);
  PostKey(target, WM_SYSKEYDOWN, VK_F4, 0x3E);
  PostKey(target, WM_SYSKEYUP, VK_F4, 0x3E);
  PostKey(target, WM_KEYUP, VK_MENU, 0x38);
}

bool QuitPosted() {
  MSG quit;
  return PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

class Keyboard : public MainWindow {
 protected:
  // Waits for the program to end, lets what the close left queued run, then
  // sends a sentinel line through the same link: the lines that came after
  // "before" are what the close posted, and then the sentinel.
  std::vector<std::u16string> LinesOfTheClose(std::size_t before) {
    EXPECT_TRUE(PumpUntil(QuitPosted));
    PumpPendingMessages();
    EXPECT_TRUE(SendChat(ops, u"sentinel"));
    EXPECT_TRUE(PumpUntil([&] { return host.ChatLines().size() >= before + 1 && host.ChatLines().back() == u"sentinel"; }));
    const auto lines = host.ChatLines();
    return {lines.begin() + static_cast<std::ptrdiff_t>(before), lines.end()};
  }
  static std::string File() { return testing::ReadPrefsFile(); }
};

TEST_F(Keyboard, SpaceOnAFocusedSwatchOpensItsDialogAsAClickDoes) {
  Open();
  DialogAnswers answers({{true, RGB(255, 0, 0)}});
  SetFocus(form->pic2.hwnd());
  PressKey(form->pic2.hwnd(), VK_SPACE);
  ASSERT_TRUE(Drained("the space key and the dialog it opens to be handled"));
  EXPECT_EQ(answers.opened(), 1);
  EXPECT_EQ(form->pic2.BackColor(), 0x0000FF);
  // The focus comes back to the swatch for the next key.
  EXPECT_EQ(GetFocus(), form->pic2.hwnd());
}

TEST_F(Keyboard, SpaceOnADisabledSwatchOpensNothing) {
  Open();
  DialogAnswers answers({});
  SendMessageW(form->hwnd(), WM_HSCROLL, SB_LEFT, reinterpret_cast<LPARAM>(form->sb.hwnd()));
  ASSERT_FALSE(form->pic4.Enabled());
  PressKey(form->pic4.hwnd(), VK_SPACE);
  PressKey(form->pic3.hwnd(), VK_SPACE);
  ASSERT_TRUE(Drained("the space keys to be handled"));
  EXPECT_EQ(answers.opened(), 0);
  // In use again, the same key on the same swatch opens the dialog.
  SendMessageW(form->hwnd(), WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(form->sb.hwnd()));
  ASSERT_TRUE(form->pic4.Enabled());
  PressKey(form->pic4.hwnd(), VK_SPACE);
  EXPECT_TRUE(PumpUntil([&] { return answers.opened() == 1; }));
}

TEST_F(Keyboard, ASwatchDisabledWhileTheWindowWasInactiveDoesNotGetTheFocusBack) {
  Open();
  SetFocus(form->pic4.hwnd());
  HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  ASSERT_TRUE(WaitedFor("the other window to be active", [&] { return GetActiveWindow() == other; }));
  ASSERT_TRUE(Drained("the deactivation to be handled"));
  form->SetBar(1);
  ASSERT_FALSE(form->pic4.Enabled());
  SetActiveWindow(form->hwnd());
  ASSERT_TRUE(WaitedFor("the window to be active again", [&] { return GetActiveWindow() == form->hwnd(); }));
  ASSERT_TRUE(Drained("the activation to be handled"));
  EXPECT_EQ(GetFocus(), form->sb.hwnd());
  DestroyWindow(other);
}

TEST_F(Keyboard, EnterOnAFocusedSwatchSendsTheLine) {
  Open();
  DialogAnswers answers({});
  SendFrom(form->pic1.hwnd(), L"from a swatch");
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 2; }));
  EXPECT_EQ(host.ChatLines()[1], ExpectedLine(kFirstRun, u"from a swatch"));
  EXPECT_EQ(answers.opened(), 0);
}

TEST_F(Keyboard, TheSystemMenusCloseRunsTheShutdownStepsOnce) {
  Open();
  ASSERT_EQ(File().find("[optsl]"), std::string::npos);
  PostMessageW(form->hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(LinesOfTheClose(1), (std::vector<std::u16string>{UnloadedLine(), u"sentinel"}));
  EXPECT_NE(File().find("[optsl]"), std::string::npos);
  EXPECT_NE(File().find("IS=arial"), std::string::npos);
}

TEST_F(Keyboard, AltF4RunsTheShutdownStepsOnce) {
  Open();
  SetFocus(form->Text1.hwnd());
  PressAltF4(form->Text1.hwnd());
  EXPECT_EQ(LinesOfTheClose(1), (std::vector<std::u16string>{UnloadedLine(), u"sentinel"}));
  EXPECT_NE(File().find("[optsl]"), std::string::npos);
  EXPECT_NE(File().find("IS=arial"), std::string::npos);
}

TEST_F(Keyboard, AltF4InTheCompactWindowRunsItsOwnShutdownSteps) {
  Open();
  Compact& compact = SwitchToCompact();
  const std::size_t before = host.ChatLines().size();
  SetFocus(compact.sb.hwnd());
  PressAltF4(compact.sb.hwnd());
  EXPECT_EQ(LinesOfTheClose(before), (std::vector<std::u16string>{UnloadedLine(), u"sentinel"}));
  // The compact window records only the last font, never the main window's
  // last settings.
  EXPECT_EQ(File().find("[optsl]"), std::string::npos);
  EXPECT_NE(File().find("IS=arial"), std::string::npos);
}

}  // namespace
}  // namespace quillon
