// Text crossing into the ANSI code page (1252 under the tests' locale): to
// the chat client through the host link, and into the preferences file.
// What the code page lacks arrives as "?", never as a look-alike.
#include "platform/ansi.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>

#include "host/host_link.h"
#include "platform/profile_store.h"
#include "platform/win32_window_ops.h"
#include "tools/testing/standin.h"

namespace quillon {
namespace {

// Infinity, a-macron and Omega, which best fit would send as "8", "a" and
// "O"; e-acute and the euro sign, which code page 1252 holds.
constexpr char16_t kMixed[] = u"x\u221E \u0101 \u03A9 \u00E9\u20AC";
constexpr char kMixedAnsi[] = "x? ? ? \xE9\x80";

class CodePage : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(GetACP(), 1252u); }
};

TEST_F(CodePage, ToAnsiGivesTheDefaultCharacterForWhatTheCodePageLacksAndFromAnsiReadsItBack) {
  EXPECT_EQ(ToAnsi(kMixed), std::optional<std::string>(kMixedAnsi));
  EXPECT_EQ(ToAnsi(u""), std::optional<std::string>(""));
  EXPECT_EQ(FromAnsi(kMixedAnsi), u"x? ? ? \u00E9\u20AC");
  EXPECT_EQ(FromAnsi(""), u"");
}

TEST_F(CodePage, SpellsInAnsiOnlyWhatComesBackAsItWent) {
  const struct {
    std::u16string text;
    bool spelled;
  } cases[] = {
      {u"", true},
      {u"arial", true},
      {u"caf\u00E9 \u20AC", true},
      {u"?", true},
      {u"\u03A9mega", false},
      {u"x\u221E", false},
      {u"\U0001F600", false},
  };
  for (const auto& c : cases) EXPECT_EQ(SpellsInAnsi(c.text), c.spelled) << std::string(c.text.begin(), c.text.end());
}

TEST_F(CodePage, AChatLineAndAKeywordArriveWithQuestionMarksForWhatTheCodePageLacks) {
  testing::StandIn host;
  ASSERT_TRUE(host.Start());
  Win32WindowOps ops;
  ASSERT_TRUE(SendChat(ops, kMixed));
  ASSERT_TRUE(OpenKeyword(ops, kMixed));
  ASSERT_TRUE(testing::WaitUntil([&] { return host.Records().size() >= 2; }, 5000));
  const std::vector<testing::Received> records = host.Records();
  EXPECT_EQ(records[0].kind, "chat");
  EXPECT_EQ(records[0].bytes, kMixedAnsi);
  EXPECT_EQ(records[1].kind, "keyword");
  // The keyword box submits the space typed before the text as well.
  EXPECT_EQ(records[1].bytes, std::string(" ") + kMixedAnsi);
}

class ProfileFile : public CodePage {
 protected:
  void SetUp() override {
    CodePage::SetUp();
    wchar_t folder[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, folder), 0u);
    const std::wstring path = std::wstring(folder) + L"quillon-ansi-" + std::to_wstring(GetCurrentProcessId()) + L".ini";
    file = std::string(path.begin(), path.end());
    DeleteFileA(file.c_str());
    store.emplace(file);
  }
  void TearDown() override { DeleteFileA(file.c_str()); }

  std::string file;
  std::optional<Win32ProfileStore> store;  // of file
};

TEST_F(ProfileFile, AValueIsWrittenWithQuestionMarksForWhatTheCodePageLacksAndReadsBackSo) {
  ASSERT_TRUE(store->Write("s", "k", kMixed));
  EXPECT_EQ(testing::ReadFileBytes(std::wstring(file.begin(), file.end())),
            std::string("[s]\r\nk=") + kMixedAnsi + "\r\n");
  EXPECT_EQ(store->Read("s", "k", 100), u"x? ? ? \u00E9\u20AC");
}

TEST_F(ProfileFile, AValueLongerThanTheLimitIsRefusedAndNothingIsWritten) {
  const std::u16string longest(Win32ProfileStore::kMaxValueLength, u'x');
  ASSERT_TRUE(store->Write("s", "k", u"before"));
  EXPECT_FALSE(store->Write("s", "k", longest + u"x"));
  EXPECT_EQ(store->Read("s", "k", 100), u"before");
  ASSERT_TRUE(store->Write("s", "k", longest));
  EXPECT_TRUE(store->Read("s", "k", longest.size() + 1) == longest);
}

}  // namespace
}  // namespace quillon
