// The compact window: the switch from and to the main window, its pop-up
// menu, save and load shared with the main window, and closing it.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "ui/common/texts.h"
#include "ui/testing/menu_driver.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

class CompactWindow : public MainWindow {
 protected:
  void Scroll(FaderWindow& window, int request) {
    SendMessageW(window.hwnd(), WM_HSCROLL, request, reinterpret_cast<LPARAM>(window.sb.hwnd()));
  }
  // Clicks the menu button and lets the driver walk the menu it opens; the
  // items the menu showed.
  std::vector<MenuDriver::Item> ChooseFromMenu(Compact& compact, std::vector<MenuDriver::Stage> stages) {
    MenuDriver driver(compact.hwnd(), std::move(stages));
    SendMessageW(compact.Command2.hwnd(), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitedFor("the menu to be walked", [&] { return driver.finished(); }));
    EXPECT_TRUE(Drained("the menu's choice to be handled"));
    return driver.seen().empty() ? std::vector<MenuDriver::Item>{} : driver.seen()[0];
  }
  void ExpectOneVisible(bool mainVisible) {
    EXPECT_EQ(IsWindowVisible(form->hwnd()) != 0, mainVisible);
    if (form->compact()) {
      EXPECT_EQ(IsWindowVisible(form->compact()->hwnd()) != 0, !mainVisible);
    }
  }
};

TEST_F(CompactWindow, OpensWithTheMainWindowsSettingsAndNoPreview) {
  Open();
  SendMessageW(form->Check1.hwnd(), BM_CLICK, 0, 0);
  form->SetColour(1, 255);
  Scroll(*form, SB_LINELEFT);
  Compact& compact = SwitchToCompact();
  ExpectOneVisible(false);
  EXPECT_EQ(compact.Check1.Value(), 1);
  EXPECT_EQ(compact.pic1.BackColor(), 255);
  EXPECT_EQ(compact.sb.Value(), 1);
  EXPECT_FALSE(compact.pic4.Enabled());
  EXPECT_TRUE(compact.pic3.Enabled());
  EXPECT_EQ(compact.cmbFonts.Text(), form->cmbFonts.Text());
  EXPECT_TRUE(GetWindowLongW(compact.hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(GetWindowLongW(compact.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetMenu(compact.hwnd()), nullptr);
  RECT client;
  GetClientRect(compact.hwnd(), &client);
  EXPECT_EQ(client.right, 249);  // 3735 x 1050 twips at 96 DPI
  EXPECT_EQ(client.bottom, 70);
  // Hidden controls lie below the client area.
  for (int id : {kIdCommand1, kIdText2, kIdText3, kIdAsc, kIdAsu, kIdAdd1, kIdAdd2})
    EXPECT_GE(ClientRectOf(GetDlgItem(compact.hwnd(), id), compact.hwnd()).top, client.bottom) << id;
}

TEST_F(CompactWindow, EachWindowKeepsItsOwnSettingsAcrossSwitches) {
  Open();
  Compact& compact = SwitchToCompact();
  SendMessageW(compact.Check2.hwnd(), BM_CLICK, 0, 0);  // a change in the compact window
  SendMessageW(compact.Command3.hwnd(), BM_CLICK, 0, 0);  // "normal"
  ExpectOneVisible(true);
  EXPECT_EQ(form->Check2.Value(), 0);
  SendMessageW(form->Check3.hwnd(), BM_CLICK, 0, 0);  // a change in the main window
  SwitchToCompact();
  ExpectOneVisible(false);
  EXPECT_EQ(compact.Check2.Value(), 1);
  EXPECT_EQ(compact.Check3.Value(), 0);  // the hand-over happens once
}

TEST_F(CompactWindow, TheMenuSavesAPresetTheMainWindowLoads) {
  Open();
  Compact& compact = SwitchToCompact();
  SendMessageW(compact.Check4.hwnd(), BM_CLICK, 0, 0);
  compact.SetColour(2, 0x00FF00);
  Scroll(compact, SB_LEFT);
  EXPECT_TRUE(IsWindowVisible(compact.pic3.hwnd()) && !compact.pic3.Enabled() && !compact.pic4.Enabled());
  std::vector<std::wstring> captions;
  for (const auto& item : ChooseFromMenu(compact, MenuDriver::ChooseItem(0))) captions.push_back(item.caption);  // save
  EXPECT_EQ(captions, (std::vector<std::wstring>{L"save", L"load", L"-", L"advertise", L"help"}));
  SendMessageW(compact.Command3.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form->Command3.hwnd(), BM_CLICK, 0, 0);  // "load" in the main window
  EXPECT_EQ(form->Check4.Value(), 1);
  EXPECT_EQ(form->pic2.BackColor(), 0x00FF00);
  EXPECT_EQ(form->sb.Value(), 0);
}

TEST_F(CompactWindow, SendsLikeTheMainWindow) {
  Open();
  Compact& compact = SwitchToCompact();
  SetFocus(compact.Text1.hwnd());
  Type(compact.Text1.hwnd(), L"from compact");
  PressKey(compact.Text1.hwnd(), VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 2; }));
  EXPECT_EQ(host.ChatLines()[1], ExpectedLine(kFirstRun, u"from compact"));
  EXPECT_TRUE(compact.Text1.Text().empty());
}

TEST_F(CompactWindow, ClosingPostsOneUnloadedLineAndWritesOnlyTheLastFont) {
  Open();
  Compact& compact = SwitchToCompact();
  const std::string before = testing::ReadPrefsFile();
  std::vector<std::u16string> lines = host.ChatLines();
  SendMessageW(compact.hwnd(), WM_CLOSE, 0, 0);
  MSG quit;
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));  // the program ends
  // What the close left queued runs; then a line sent through the same link
  // arrives right after the one line the close posted.
  PumpPendingMessages();
  ASSERT_TRUE(SendChat(ops, u"sentinel"));
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() >= lines.size() + 2; }));
  lines.push_back(UnloadedLine());
  lines.push_back(u"sentinel");
  EXPECT_EQ(host.ChatLines(), lines);
  const std::string after = testing::ReadPrefsFile();
  EXPECT_EQ(after.find("[optsl]"), std::string::npos);
  // Only the last font changed: the combo's entry in place of the first run's.
  std::string expected = before;
  expected.replace(expected.find("IS=Arial"), 8, "IS=arial");
  EXPECT_EQ(after, expected);
}

}  // namespace
}  // namespace quillon
