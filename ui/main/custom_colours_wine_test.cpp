// The colour dialog's custom colours: one set for both windows, saved in the
// preferences file when the user changes it and loaded at the next start.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

#include "ui/testing/colour_dialog_answers.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using testing::Lines;

using Colours = std::array<COLORREF, 16>;

std::string File() { return testing::ReadPrefsFile(); }

// The lines of the file's section, without its header.
std::vector<std::string> Section(const std::string& name) {
  std::vector<std::string> section;
  bool inside = false;
  for (const std::string& line : Lines(File())) {
    if (!line.empty() && line.front() == '[') {
      inside = line == "[" + name + "]";
      continue;
    }
    if (inside && !line.empty()) section.push_back(line);
  }
  return section;
}

// Every line of the file but the section's.
std::vector<std::string> AllBut(const std::string& text, const std::string& name) {
  std::vector<std::string> rest;
  bool inside = false;
  for (const std::string& line : Lines(text)) {
    if (!line.empty() && line.front() == '[') inside = line == "[" + name + "]";
    if (!inside) rest.push_back(line);
  }
  return rest;
}

// The section "custom" as the colours' file lines.
std::vector<std::string> CustomLines(const Colours& colours) {
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < colours.size(); ++i) {
    std::string line = "C";
    line += std::to_string(i + 1) + "=" + std::to_string(colours[i]);
    lines.push_back(line);
  }
  return lines;
}

class CustomColours : public MainWindow {
 protected:
  // The custom colours the window's next colour dialog opens with; the
  // dialog is cancelled.
  Colours Shown(HWND swatch) {
    DialogAnswers answers({{false, 0}});
    Click(swatch);
    EXPECT_EQ(answers.customShown().size(), 1u);
    return answers.customShown().empty() ? Colours{} : answers.customShown()[0];
  }
  // Adds colour to the custom colours in the next dialog, then confirms or
  // cancels it; the custom colours it left.
  Colours Add(HWND swatch, COLORREF colour, bool confirm) {
    {
      DialogAnswers answers({{confirm, colour, true}});
      Click(swatch);
      EXPECT_EQ(answers.opened(), 1);
    }
    return Shown(swatch);
  }
  void Restart() {
    SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
    form.reset();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    MakeForm();
    ASSERT_TRUE(form->Open());
    ASSERT_TRUE(Drained("the restarted window to settle"));
  }
};

TEST_F(CustomColours, AColourAddedIsSavedInASectionOfItsOwnAndTheOtherSectionsStayAsTheyWere) {
  Open();
  EXPECT_EQ(Shown(form->pic1.hwnd()), Colours{});
  EXPECT_TRUE(Section("custom").empty());
  const std::string before = File();
  const Colours left = Add(form->pic1.hwnd(), RGB(255, 0, 0), true);
  EXPECT_EQ(left[0], RGB(255, 0, 0));
  EXPECT_EQ(form->pic1.BackColor(), 0x0000FF);
  EXPECT_EQ(Section("custom"), CustomLines(left));
  EXPECT_EQ(AllBut(File(), "custom"), Lines(before));
}

TEST_F(CustomColours, BothWindowsShowOneSetWhichACancelledDialogStillChanges) {
  Open();
  const Colours fromMain = Add(form->pic2.hwnd(), RGB(255, 0, 0), true);
  SwitchToCompact();
  ASSERT_TRUE(form->compact());
  Compact& compact = *form->compact();
  EXPECT_EQ(Shown(compact.pic1.hwnd()), fromMain);
  // Added, then cancelled: the custom colours keep it, and so does the file.
  const Colours fromCompact = Add(compact.pic1.hwnd(), RGB(0, 255, 0), false);
  EXPECT_NE(fromCompact, fromMain);
  EXPECT_NE(std::find(fromCompact.begin(), fromCompact.end(), RGB(0, 255, 0)), fromCompact.end());
  EXPECT_EQ(Section("custom"), CustomLines(fromCompact));
  SwitchToMain();
  EXPECT_EQ(Shown(form->pic3.hwnd()), fromCompact);
}

TEST_F(CustomColours, TheNextStartLoadsThem) {
  Open();
  Add(form->pic1.hwnd(), RGB(255, 0, 0), true);
  const Colours saved = Add(form->pic1.hwnd(), RGB(1, 2, 3), false);
  Restart();
  EXPECT_EQ(Shown(form->pic4.hwnd()), saved);
}

TEST_F(CustomColours, ABadValueLeavesItsSlotBlack) {
  ASSERT_TRUE(testing::WritePrefsFile(
                                      "[custom]\r\nC1=abc\r\nC2=255\r\nC3=16777216\r\nC4=-1\r\nC5= 65280 \r\n"
                                      "C6=1x\r\nC16=16777215\r\n"));
  Open(L"", true);
  Colours expected{};
  expected[1] = 255;
  expected[4] = 65280;
  expected[15] = 16777215;
  EXPECT_EQ(Shown(form->pic1.hwnd()), expected);
}

}  // namespace
}  // namespace quillon
