// The font a window starts with: some font is selected whatever the list
// holds, so that a send names one and closing records one.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "tools/testing/fader_process.h"
#include "tools/testing/standin.h"
#include "tools/testing/test_files.h"
#include "ui/common/fader_window.h"

namespace quillon {
namespace {

class StartFont : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent_.hwnd());
    ASSERT_TRUE(fonts.Create(parent_.hwnd(), {0, 0, 150, 21}, 1));
  }
  void Fill(const std::vector<std::u16string>& names) {
    fonts.Clear();
    for (const std::u16string& name : names) fonts.Add(name);
  }
  ComboBox fonts;

 private:
  testing::ParentWindow parent_{200, 200};
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

// A font listed under a name code page 1252 cannot spell, for the programs
// started while this lives: Wine lists a font replacement of the user's
// under its own name.
class ReplacedFont {
 public:
  explicit ReplacedFont(std::wstring name) : name_(std::move(name)) {
    const wchar_t face[] = L"DejaVu Sans";
    made_ = RegSetKeyValueW(HKEY_CURRENT_USER, kKey, name_.c_str(), REG_SZ, face, sizeof face) == ERROR_SUCCESS;
  }
  ~ReplacedFont() { RegDeleteKeyValueW(HKEY_CURRENT_USER, kKey, name_.c_str()); }
  ReplacedFont(const ReplacedFont&) = delete;
  ReplacedFont& operator=(const ReplacedFont&) = delete;
  bool made() const { return made_; }

 private:
  static constexpr wchar_t kKey[] = L"Software\\Wine\\Fonts\\Replacements";
  std::wstring name_;
  bool made_ = false;
};

// The entries of another process's font list.
std::vector<std::wstring> ListEntries(HWND list) {
  std::vector<std::wstring> entries;
  const auto count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length < 0) continue;
    std::wstring entry(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(length));
    entries.push_back(entry);
  }
  return entries;
}

TEST(FontNames, AFontTheCodePageCannotSpellIsNotOfferedAndItsNameAsSavedStartsArial) {
  const std::wstring omega = L"\u03a9mega quillon";
  const ReplacedFont font(omega);
  ASSERT_TRUE(font.made());
  // Its name as a save wrote it through code page 1252.
  ASSERT_TRUE(testing::WritePrefsFile("[new]\r\nISHE?=no\r\n[lastfont]\r\nIS=?mega quillon\r\n"
                                     "[opts]\r\nFONT=?mega quillon\r\n"));
  testing::StandIn host;
  ASSERT_TRUE(host.Start());
  testing::Fader fader;
  ASSERT_TRUE(fader.Start());
  HWND list = fader.Control(kIdFonts);

  const std::vector<std::wstring> entries = ListEntries(list);
  EXPECT_NE(std::find(entries.begin(), entries.end(), L"dejavu sans"), entries.end());
  for (const std::wstring& entry : entries) EXPECT_NE(lstrcmpiW(entry.c_str(), omega.c_str()), 0);
  EXPECT_EQ(testing::WindowText(list), L"arial");

  // Loading the preset keeps a font the list has; a line names it.
  SendMessageW(fader.Control(kIdCommand3), BM_CLICK, 0, 0);
  EXPECT_EQ(testing::WindowText(list), L"arial");
  SendMessageW(fader.Control(kIdText1), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"hi"));
  PostMessageW(fader.Control(kIdCommand1), BM_CLICK, 0, 0);
  ASSERT_TRUE(testing::WaitUntil([&] { return host.ChatLines().size() == 2; }, 8000));
  EXPECT_EQ(host.ChatLines()[1].rfind(u"<font face=\"arial\">", 0), 0u);
  PostMessageW(fader.main(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(fader.process().WaitForExit(10000));
}

}  // namespace
}  // namespace quillon
