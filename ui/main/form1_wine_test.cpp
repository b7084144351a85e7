// The main window as a user meets it: real windows, driven with the messages
// that keyboard and mouse produce, posting into the stand-in chat client that
// runs as a process of its own.
#include "ui/main/form1.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/common/texts.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

TEST_F(MainWindow, LaysOutEveryControlAtItsTwipsRectAt96Dpi) {
  Open();
  HWND w = form->hwnd();
  RECT client;
  GetClientRect(w, &client);
  EXPECT_EQ(client.right, 288);
  EXPECT_EQ(client.bottom, 143);
  wchar_t caption[64];
  GetWindowTextW(w, caption, 64);
  EXPECT_STREQ(caption, L"quillon fader");
  const LONG style = GetWindowLongW(w, GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(style & WS_SYSMENU);

  struct Expect { int id; const wchar_t* cls; const wchar_t* text; RECT twips; const wchar_t* face; bool bold, italic, underline; };
  const Expect controls[] = {
      {kIdText1, L"Edit", L"", {240, 240, 2535, 525}, L"MS Sans Serif", false, false, false},
      {kIdPic1, L"QuillonPictureBox", L"colour 1", {240, 600, 735, 855}, nullptr, false, false, false},
      {kIdPic2, L"QuillonPictureBox", L"colour 2", {840, 600, 1335, 855}, nullptr, false, false, false},
      {kIdPic3, L"QuillonPictureBox", L"colour 3", {1440, 600, 1935, 855}, nullptr, false, false, false},
      {kIdPic4, L"QuillonPictureBox", L"colour 4", {2040, 600, 2535, 855}, nullptr, false, false, false},
      {kIdSb, L"ScrollBar", L"colours", {240, 960, 2535, 1215}, nullptr, false, false, false},
      {kIdPre, L"QuillonPictureBox", L"preview", {240, 1320, 2055, 1575}, nullptr, false, false, false},
      {kIdLabel1, L"Static", L"<", {2160, 1320, 2250, 1515}, L"MS Sans Serif", false, false, false},
      {kIdLabel2, L"Static", L">", {2400, 1320, 2490, 1515}, L"MS Sans Serif", false, false, false},
      {kIdCommand4, L"Button", L"help", {240, 1680, 855, 1935}, L"Times New Roman", false, false, false},
      {kIdCommand5, L"Button", L"advertise", {840, 1680, 1695, 1935}, L"Times New Roman", false, false, false},
      {kIdCommand6, L"Button", L"compact", {1680, 1680, 2535, 1935}, L"Times New Roman", false, false, false},
      {kIdCheck1, L"Button", L"bold", {2880, 120, 3975, 375}, L"MS Sans Serif", true, false, false},
      {kIdCheck2, L"Button", L"Italic", {2880, 360, 4095, 615}, L"MS Sans Serif", false, true, false},
      {kIdCheck3, L"Button", L"underline", {2880, 600, 4095, 855}, L"MS Sans Serif", false, false, true},
      {kIdCheck4, L"Button", L"wavy", {2880, 840, 3975, 1095}, L"MS Sans Serif", false, false, false},
      {kIdCommand2, L"Button", L"save", {2880, 1680, 3495, 1935}, L"Times New Roman", false, false, false},
      {kIdCommand3, L"Button", L"load", {3480, 1680, 4095, 1935}, L"Times New Roman", false, false, false},
      {kIdCommand1, L"Button", L"", {120, 2640, 735, 2895}, nullptr, false, false, false},
  };
  for (const Expect& e : controls) {
    SCOPED_TRACE(e.id);
    HWND c = GetDlgItem(w, e.id);
    ASSERT_TRUE(c);
    wchar_t cls[64];
    GetClassNameW(c, cls, 64);
    EXPECT_EQ(lstrcmpiW(cls, e.cls), 0) << cls;
    EXPECT_EQ(testing::WindowText(c), e.text);
    const RECT r = ClientRectOf(c, w);
    EXPECT_EQ(r.left, e.twips.left / 15);
    EXPECT_EQ(r.top, e.twips.top / 15);
    EXPECT_EQ(r.right, e.twips.right / 15);
    EXPECT_EQ(r.bottom, e.twips.bottom / 15);
    if (e.face) {
      LOGFONTW lf{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c, WM_GETFONT, 0, 0)), sizeof lf, &lf);
      EXPECT_STREQ(lf.lfFaceName, e.face);
      EXPECT_EQ(lf.lfHeight, -11);  // 8.25 pt at 96 DPI
      EXPECT_EQ(lf.lfWeight >= FW_BOLD, e.bold);
      EXPECT_EQ(lf.lfItalic != 0, e.italic);
      EXPECT_EQ(lf.lfUnderline != 0, e.underline);
    }
  }
  // The combo's closed box, and the swatch colours and the bar at start.
  const RECT combo = ClientRectOf(form->cmbFonts.hwnd(), w);
  EXPECT_EQ(combo.left, 192);
  EXPECT_EQ(combo.top, 80);
  EXPECT_EQ(form->pic1.BackColor(), 0);
  EXPECT_EQ(form->pic2.BackColor(), 8388608);
  EXPECT_EQ(form->pic3.BackColor(), 12582912);
  EXPECT_EQ(form->pic4.BackColor(), 16711680);
  EXPECT_EQ(form->sb.Value(), 2);
  EXPECT_EQ(form->cmbFonts.Text(), u"arial");
  EXPECT_EQ(form->Text2.Text(), u"<font face=\"");
  EXPECT_EQ(form->Text3.Text(), u"\">");
}

TEST_F(MainWindow, HiddenControlsStayBelowTheClientAreaFoldedOrNot) {
  Open();
  HWND w = form->hwnd();
  const int hidden[] = {kIdCommand1, kIdText2, kIdText3, kIdAsc, kIdAsu, kIdAdd1, kIdAdd2};
  for (int step = 0; step < 3; ++step) {
    RECT client;
    GetClientRect(w, &client);
    for (int id : hidden) EXPECT_GE(ClientRectOf(GetDlgItem(w, id), w).top, client.bottom) << id;
    SendMessageW(form->Label1.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageW(form->Label1.hwnd(), WM_LBUTTONUP, 0, 0);
  }
}

TEST_F(MainWindow, FoldsAndUnfoldsToTheTwoWidths) {
  Open();
  auto width = [&] {
    RECT r;
    GetWindowRect(form->hwnd(), &r);
    return r.right - r.left;
  };
  const int unfolded = width();
  auto click = [&](Label& label) {
    // A label reports a click when the mouse button goes up over it.
    PostMessageW(label.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    PostMessageW(label.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    EXPECT_TRUE(Drained("the click on the label to be handled"));
  };
  click(form->Label1);
  EXPECT_EQ(width(), unfolded - (294 - 188));
  click(form->Label2);
  EXPECT_EQ(width(), unfolded);
  RECT client;
  GetClientRect(form->hwnd(), &client);
  EXPECT_EQ(client.right, 288);
}

TEST_F(MainWindow, TabWalksTheControlsInTheirOrderSkippingDisabledOnes) {
  Open();
  Form1& f = *form;
  const std::vector<HWND> order = {f.sb.hwnd(), f.Command1.hwnd(), f.pic1.hwnd(), f.pic2.hwnd(), f.pic3.hwnd(),
                                   f.pic4.hwnd(), f.Text1.hwnd(), f.Check1.hwnd(), f.Check2.hwnd(),
                                   f.Check3.hwnd(), f.Check4.hwnd(), f.cmbFonts.hwnd(), f.pre.hwnd(),
                                   f.Text2.hwnd(), f.Text3.hwnd(), f.asc.hwnd(), f.asu.hwnd(),
                                   f.Command2.hwnd(), f.Command3.hwnd(), f.Command4.hwnd(), f.Command5.hwnd(),
                                   f.Command6.hwnd(), f.add1.hwnd(), f.add2.hwnd()};
  SetFocus(f.sb.hwnd());
  for (std::size_t i = 1; i <= order.size(); ++i) {
    PressKey(GetFocus(), VK_TAB);
    ASSERT_TRUE(Drained("Tab to be handled")) << "tab " << i;
    EXPECT_EQ(GetFocus(), order[i % order.size()]) << "tab " << i;
  }
  f.pic4.Enable(false);
  SetFocus(f.pic3.hwnd());
  PressKey(GetFocus(), VK_TAB);
  ASSERT_TRUE(Drained("Tab to be handled"));
  EXPECT_EQ(GetFocus(), f.Text1.hwnd());
}

TEST_F(MainWindow, ChatTextTakesSeventyCharacters) {
  Open();
  HWND box = form->Text1.hwnd();
  Type(box, std::wstring(71, L'x'));
  EXPECT_EQ(form->Text1.Text().size(), 70u);
  SetWindowTextW(box, L"");
  const std::wstring pasted(100, L'p');
  ASSERT_TRUE(OpenClipboard(form->hwnd()));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(memory), pasted.c_str(), (pasted.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  SendMessageW(box, WM_PASTE, 0, 0);
  EXPECT_EQ(form->Text1.Text(), std::u16string(70, u'p'));
}

TEST_F(MainWindow, EnterPostsTheComposedLineOnceForEveryColourCountAndWave) {
  Open();
  std::vector<std::u16string> expected = {LoadedLine()};
  for (int wave = 0; wave < 2; ++wave) {
    for (int count = 2; count >= 0; --count) {
      while (form->sb.Value() > count) {
        SendMessageW(form->hwnd(), WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(form->sb.hwnd()));
      }
      const std::wstring text = L"fade <&> \"" + std::to_wstring(count) + L"\"";
      LineSettings settings = WithColourCount(kFirstRun, static_cast<std::size_t>(count) + 2);
      settings.wavy = wave == 1;
      expected.push_back(ExpectedLine(settings, std::u16string(text.begin(), text.end())));
      SendFrom(form->Text1.hwnd(), text);
      ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == expected.size(); }));
      EXPECT_TRUE(form->Text1.Text().empty());
    }
    SendMessageW(form->hwnd(), WM_HSCROLL, SB_RIGHT, reinterpret_cast<LPARAM>(form->sb.hwnd()));
    SendMessageW(form->Check4.hwnd(), BM_CLICK, 0, 0);
  }
  // A line sent last arrives next: no line came twice.
  expected.push_back(ExpectedLine(kFirstRun, u"sentinel"));
  SendFrom(form->Text1.hwnd(), L"sentinel");
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() >= expected.size(); }));
  EXPECT_EQ(host.ChatLines(), expected);
}

TEST_F(MainWindow, EnterInACheckBoxSendsAndAnEmptyTextPostsThePrefixAlone) {
  Open();
  SendMessageW(form->Check1.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form->Check3.hwnd(), BM_CLICK, 0, 0);
  SendFrom(form->Check2.hwnd(), L"");
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 2; }));
  EXPECT_EQ(host.ChatLines()[1], u"<font face=\"arial\"><b><u>");
}

TEST_F(MainWindow, EnterPostsTheLinesWorkedOutByHand) {
  Open();
  // The design colours, blue 128, 192 and 255 on the three characters.
  SendFrom(form->Text1.hwnd(), L"abc");
  ASSERT_TRUE(LinesReach(2));
  EXPECT_EQ(host.ChatLines()[1],
            u"<font face=\"arial\"><Font Color=#000080>a<Font Color=#0000C0>b<Font Color=#0000FF>c");
  // Red 1 to red 4 over two characters: the middle, 2.5, goes to the even 2;
  // italic ticked before bold still comes after it.
  form->SetColour(1, 1);
  form->SetColour(2, 4);
  form->SetBar(0);
  SendMessageW(form->Check2.hwnd(), BM_CLICK, 0, 0);
  SendMessageW(form->Check1.hwnd(), BM_CLICK, 0, 0);
  const std::u16string byHand = u"<font face=\"arial\"><b><i><Font Color=#020000>a<Font Color=#040000>b";
  LineSettings settings{u"arial", true, true, false, false, {1, 4}};
  EXPECT_EQ(ExpectedLine(settings, u"ab"), byHand);
  SendFrom(form->Text1.hwnd(), L"ab");
  ASSERT_TRUE(LinesReach(3));
  EXPECT_EQ(host.ChatLines()[2], byHand);
}

TEST_F(MainWindow, ALineThatReachesNoChatRoomStaysInTheTextBox) {
  Open(L"--windows plain,partial");
  SendFrom(form->Text1.hwnd(), L"keep me");
  PumpPendingMessages();  // the Enter, and the send it starts, run to their end
  EXPECT_EQ(form->Text1.Text(), u"keep me");
  // Room 2, the one without its image, takes a line typed into it now.
  ASSERT_TRUE(host.TypeLine(2, "sentinel"));
  ASSERT_TRUE(PumpUntil([&] { return !host.ChatLines().empty(); }));
  EXPECT_EQ(host.ChatLines(), std::vector<std::u16string>{u"sentinel"});
  // With a chat room open the same Enter posts the line and empties the box.
  host.Stop();
  ASSERT_TRUE(host.Start());
  SetFocus(form->Text1.hwnd());
  PressKey(form->Text1.hwnd(), VK_RETURN);
  ASSERT_TRUE(LinesReach(1));
  EXPECT_EQ(host.ChatLines(), std::vector<std::u16string>{ExpectedLine(kFirstRun, u"keep me")});
  EXPECT_TRUE(form->Text1.Text().empty());
}

TEST_F(MainWindow, ASecondEnterDuringASendIsIgnored) {
  Open();
  SetFocus(form->Text1.hwnd());
  Type(form->Text1.hwnd(), L"once");
  // Both presses are queued before the first is handled; the second comes in
  // while the first send searches the client's windows.
  PressKey(form->Text1.hwnd(), VK_RETURN);
  PressKey(form->Text1.hwnd(), VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() >= 2; }));
  // A line sent after both presses are handled arrives next.
  SendFrom(form->Text1.hwnd(), L"sentinel");
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() >= 3; }));
  EXPECT_EQ(host.ChatLines(), (std::vector<std::u16string>{LoadedLine(), ExpectedLine(kFirstRun, u"once"),
                                                           ExpectedLine(kFirstRun, u"sentinel")}));
}

}  // namespace
}  // namespace quillon
