// The swatches, the colour dialog, the colour-count bar and the preview strip
// of the main window, driven as a user drives them.
#include <gtest/gtest.h>

#include <vector>

#include "ui/testing/colour_dialog_answers.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

class Swatches : public MainWindow {
 protected:
  void Scroll(int request, int position = 0) {
    SendMessageW(form->hwnd(), WM_HSCROLL, MAKEWPARAM(request, position),
                 reinterpret_cast<LPARAM>(form->sb.hwnd()));
    ASSERT_TRUE(Drained("the bar's change to be handled"));
  }
  std::vector<COLORREF> Bars() { return PreviewBars(*form); }
};

// The design colours in use with the bar at 2, 1 and 0.
const std::vector<std::int32_t> kFour = kFirstRun.colours;
const std::vector<std::int32_t> kThree(kFour.begin(), kFour.begin() + 3), kTwo(kFour.begin(), kFour.begin() + 2);

TEST_F(Swatches, ThePreviewShowsTheFourColourFadeAtStart) {
  Open();
  const auto bars = Bars();
  ASSERT_EQ(bars.size(), 39u);
  EXPECT_EQ(bars, ExpectedBars(kFour));
  EXPECT_EQ(bars.back(), RGB(0, 0, 255));
}

TEST_F(Swatches, TheDialogSetsTheSwatchAndACancelKeepsTheDialogsColour) {
  Open();
  DialogAnswers answers({{false, 0}, {true, RGB(255, 0, 0)}, {false, 0}});
  Click(form->pic2.hwnd());  // the first use, cancelled: the dialog's black
  EXPECT_EQ(answers.opened(), 1);
  EXPECT_EQ(form->pic2.BackColor(), 0);
  Click(form->pic1.hwnd());
  EXPECT_EQ(form->pic1.BackColor(), 0x0000FF);
  EXPECT_EQ(Bars(), ExpectedBars({0x0000FF, 0, 0xC00000, 0xFF0000}));
  Click(form->pic4.hwnd());  // cancelled: the colour last chosen
  EXPECT_EQ(form->pic4.BackColor(), 0x0000FF);
  const std::vector<COLORREF> expected = ExpectedBars({0x0000FF, 0, 0xC00000, 0x0000FF});
  EXPECT_EQ(Bars(), expected);
  EXPECT_EQ(Bars().front(), expected.front());
  EXPECT_EQ(answers.opened(), 3);
}

TEST_F(Swatches, TheBarMovesByArrowsTroughAndThumbAndDisablesUnusedSwatches) {
  Open();
  Scroll(SB_LINELEFT);
  EXPECT_EQ(form->sb.Value(), 1);
  EXPECT_TRUE(form->pic3.Enabled());
  EXPECT_FALSE(form->pic4.Enabled());
  EXPECT_EQ(Bars(), ExpectedBars(kThree));
  Scroll(SB_PAGELEFT);
  EXPECT_EQ(form->sb.Value(), 0);
  EXPECT_FALSE(form->pic3.Enabled());
  EXPECT_EQ(Bars(), ExpectedBars(kTwo));
  // Dragging the thumb changes nothing until it is let go.
  Scroll(SB_THUMBTRACK, 2);
  EXPECT_EQ(form->sb.Value(), 0);
  EXPECT_FALSE(form->pic3.Enabled());
  EXPECT_EQ(Bars(), ExpectedBars(kTwo));
  Scroll(SB_THUMBPOSITION, 2);
  Scroll(SB_ENDSCROLL);
  EXPECT_EQ(form->sb.Value(), 2);
  EXPECT_TRUE(form->pic3.Enabled() && form->pic4.Enabled());
  EXPECT_EQ(Bars(), ExpectedBars(kFour));
}

TEST_F(Swatches, DisabledSwatchesTakeNoClicksAndKeepTheirColours) {
  Open();
  DialogAnswers answers({});
  Scroll(SB_LEFT);
  Click(form->pic3.hwnd());
  Click(form->pic4.hwnd());
  EXPECT_EQ(answers.opened(), 0);
  EXPECT_TRUE(IsWindowVisible(form->pic3.hwnd()) && IsWindowVisible(form->pic4.hwnd()));
  Scroll(SB_RIGHT);
  EXPECT_EQ(form->pic3.BackColor(), 12582912);
  EXPECT_EQ(form->pic4.BackColor(), 16711680);
  EXPECT_EQ(Bars(), ExpectedBars(kFour));
  // In use again, the same click opens the dialog.
  Click(form->pic4.hwnd());
  EXPECT_TRUE(PumpUntil([&] { return answers.opened() == 1; }));
}

TEST_F(Swatches, TheKeyboardMovesTheBarToo) {
  Open();
  SetFocus(form->sb.hwnd());
  PressKey(form->sb.hwnd(), VK_LEFT);
  ASSERT_TRUE(Drained("the arrow key to be handled"));
  EXPECT_EQ(form->sb.Value(), 1);
  EXPECT_FALSE(form->pic4.Enabled());
}

}  // namespace
}  // namespace quillon
