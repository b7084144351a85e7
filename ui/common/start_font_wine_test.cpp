// The font a window starts with: some font is selected whatever the list
// holds, so that a send names one and closing records one.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

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
  void Fill(std::initializer_list<const char16_t*> names) {
    fonts.Clear();
    for (const char16_t* name : names) fonts.Add(name);
  }
  ComboBox fonts;

 private:
  HWND parent_ = nullptr;
};

TEST_F(StartFont, WithoutArialTheFirstFontIsSelectedAndAnEmptyListSelectsNothing) {
  Fill({u"times new roman", u"courier new", u"webdings"});
  SelectStartFont(fonts, u"");
  EXPECT_EQ(fonts.Text(), u"times new roman");
  Fill({u"times new roman", u"courier new", u"webdings"});
  SelectStartFont(fonts, u"no such font");
  EXPECT_EQ(fonts.Text(), u"times new roman");
  Fill({});
  SelectStartFont(fonts, u"arial");
  EXPECT_EQ(fonts.Text(), u"");
}

TEST_F(StartFont, TheLastFontComesFirstThenArial) {
  Fill({u"times new roman", u"arial", u"courier new"});
  SelectStartFont(fonts, u"Courier New");
  EXPECT_EQ(fonts.Text(), u"courier new");
  Fill({u"times new roman", u"arial", u"courier new"});
  SelectStartFont(fonts, u"no such font");
  EXPECT_EQ(fonts.Text(), u"arial");
  // A last font that only begins like an installed one is not that font.
  Fill({u"times new roman", u"arial", u"courier new"});
  SelectStartFont(fonts, u"courier");
  EXPECT_EQ(fonts.Text(), u"arial");
}

}  // namespace
}  // namespace quillon
