// The font a window starts with: some font is selected whatever the list
// holds, so that a send names one and closing records one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/common/fader_window.h"

namespace quillon {
namespace {

class StartFont : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent_);
    ASSERT_TRUE(fonts.Create(parent_, {0, 0, 150, 21}, 1));
  }
  void TearDown() override { DestroyWindow(parent_); }
  void Fill(const std::vector<std::u16string>& names) {
    fonts.Clear();
    for (const std::u16string& name : names) fonts.Add(name);
  }
  ComboBox fonts;

 private:
  HWND parent_ = nullptr;
};

TEST_F(StartFont, TheLastFontThenArialThenTheFirstFontIsSelected) {
  struct Case {
    std::vector<std::u16string> list;
    std::u16string lastFont, selected;
  };
  const std::vector<std::u16string> withArial = {u"times new roman", u"arial", u"courier new"};
  const std::vector<std::u16string> withoutArial = {u"times new roman", u"courier new", u"webdings"};
  const Case cases[] = {
      {withArial, u"Courier New", u"courier new"},
      {withArial, u"no such font", u"arial"},
      {withArial, u"courier", u"arial"},  // only begins like an installed font
      {withoutArial, u"", u"times new roman"},
      {withoutArial, u"no such font", u"times new roman"},
      {{}, u"arial", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.lastFont.begin(), c.lastFont.end()));
    Fill(c.list);
    SelectStartFont(fonts, c.lastFont);
    EXPECT_EQ(fonts.Text(), c.selected);
  }
}

}  // namespace
}  // namespace quillon
