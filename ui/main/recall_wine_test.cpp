// Up and Down in the chat text box of both windows bring back the lines sent
// in the run, as a chat input's history does, and a recalled line is edited
// and posted like a typed one: checked by what the stand-in room receives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using Lines = std::vector<std::u16string>;

class Recall : public MainWindow {
 protected:
  // Sends what w's box holds after typing text; waits for the room to have
  // one line more.
  void Send(FaderWindow& w, const std::wstring& text) {
    const std::size_t before = host.ChatLines().size();
    SetFocus(w.Text1.hwnd());
    Type(w.Text1.hwnd(), text);
    PressKey(w.Text1.hwnd(), VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == before + 1; }));
    PumpPendingMessages();
  }
  // Presses each key in w's box ('^' Up, 'v' Down); the box after each.
  Lines Keys(FaderWindow& w, const std::string& keys) {
    SetFocus(w.Text1.hwnd());
    Lines shown;
    for (char key : keys) {
      PressKey(w.Text1.hwnd(), key == '^' ? VK_UP : VK_DOWN);
      EXPECT_TRUE(Drained("the arrow key to be handled"));
      shown.push_back(w.Text1.Text());
    }
    return shown;
  }
  std::wstring Caption() const { return testing::WindowText(form->hwnd()); }
};

TEST_F(Recall, UpAndDownStepThroughTheSentLinesNewestFirstAndBackToTheTyping) {
  Open();
  for (const wchar_t* line : {L"first", L"second", L"third"}) Send(*form, line);
  Type(form->Text1.hwnd(), L"draft");
  EXPECT_EQ(Keys(*form, "^^^^vvvv"),
            (Lines{u"third", u"second", u"first", u"first", u"second", u"third", u"draft", u"draft"}));
  // A recalled line is edited where the caret stands, at its end, and sent
  // like a typed one.
  EXPECT_EQ(Keys(*form, "^^"), (Lines{u"third", u"second"}));
  Send(*form, L" again");
  EXPECT_EQ(host.ChatLines().back(), ExpectedLine(kFirstRun, u"second again"));
  EXPECT_TRUE(form->Text1.Text().empty());
  EXPECT_EQ(Keys(*form, "^^v"), (Lines{u"second again", u"third", u"second again"}));
}

TEST_F(Recall, OneHistoryServesBothWindows) {
  Open();
  Send(*form, L"from main");
  Compact& compact = SwitchToCompact();
  EXPECT_EQ(Keys(compact, "^"), Lines{u"from main"});
  Send(compact, L"!");
  EXPECT_EQ(host.ChatLines().back(), ExpectedLine(kFirstRun, u"from main!"));
  SwitchToMain();
  EXPECT_EQ(Keys(*form, "^^^"), (Lines{u"from main!", u"from main", u"from main"}));
}

TEST_F(Recall, ALineInDoubtIsRecalledAndRecallingKeepsTheCaptionsNoteAndThePeeksPlace) {
  // The client takes the text at once but answers the carriage return only
  // after 2.5 s, beyond the program's 2 s wait.
  OpenBeforeTheClient(L"--stall-return 2500");
  HWND box = form->Text1.hwnd();
  Type(box, L"maybe");
  PressKey(box, VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return Caption() == L"quillon fader - line may have been sent"; }));
  ASSERT_TRUE(PumpUntil([&] { return host.ChatLines().size() == 1; }, 8000));
  form->Text1.SetText(u"");
  Type(box, L"next");
  ASSERT_TRUE(PumpUntil([&] { return form->peek().Shown(); }));
  RECT before;
  GetWindowRect(form->peek().popup(), &before);
  EXPECT_EQ(Keys(*form, "^"), Lines{u"maybe"});
  EXPECT_EQ(Caption(), L"quillon fader - line may have been sent");
  ASSERT_TRUE(form->peek().Shown());
  EXPECT_EQ(form->peek().Line(), ExpectedLine(kFirstRun, u"maybe"));
  RECT after;
  GetWindowRect(form->peek().popup(), &after);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(Keys(*form, "v"), Lines{u"next"});
}

TEST_F(Recall, ALineThatReachedNoRoomIsNotRecalled) {
  Open(L"--windows plain");
  SetFocus(form->Text1.hwnd());
  Type(form->Text1.hwnd(), L"kept in the box");
  PressKey(form->Text1.hwnd(), VK_RETURN);
  ASSERT_TRUE(Drained("the Enter to be handled"));
  ASSERT_EQ(form->Text1.Text(), u"kept in the box");
  form->Text1.SetText(u"");
  EXPECT_EQ(Keys(*form, "^v"), (Lines{u"", u""}));
  // With a chat room open the same line goes out, and then it is recalled.
  host.Stop();
  ASSERT_TRUE(host.Start());
  Send(*form, L"kept in the box");
  EXPECT_EQ(host.ChatLines(), Lines{ExpectedLine(kFirstRun, u"kept in the box")});
  EXPECT_EQ(Keys(*form, "^"), Lines{u"kept in the box"});
}

}  // namespace
}  // namespace quillon
