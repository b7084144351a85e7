// A window that cannot be made (the system out of window handles or
// memory): the user is told why in a message box; for the main window
// nothing is posted or written and the program ends, for the compact one
// the main window stays in use.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/testing/refused_windows.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

using Lines = std::vector<std::u16string>;

const std::wstring kFile = testing::PrefsFile();
const std::string kLaterRun = "[new]\r\nISHE?=no\r\n[lastfont]\r\nIS=arial\r\n[other]\r\nkeep=me\r\n";

bool StartsWith(const std::wstring& text, const std::wstring& start) { return text.compare(0, start.size(), start) == 0; }

class NotCreated : public MainWindow {
 protected:
  // What the chat room received before a line of the test's own.
  Lines LinesBeforeSentinel() {
    SendChat(ops, u"sentinel");
    EXPECT_TRUE(PumpUntil([&] { return !host.ChatLines().empty() && host.ChatLines().back() == u"sentinel"; }, 8000));
    Lines lines = host.ChatLines();
    if (!lines.empty()) lines.pop_back();
    return lines;
  }
};

TEST_F(NotCreated, AMainWindowThatCannotBeMadeSaysSoAndPostsAndWritesNothing) {
  // The window itself, and controls of kinds it makes early and late.
  for (const std::wstring& refusedClass : {std::wstring(kMainWindowClass), std::wstring(L"ScrollBar"),
                                          std::wstring(L"ComboBox")}) {
    SCOPED_TRACE(std::string(refusedClass.begin(), refusedClass.end()));
    ASSERT_TRUE(testing::WriteFileBytes(kFile, kLaterRun));
    ASSERT_TRUE(host.Start());
    {
      Win32EventLoop loop;
      quillon::Run run(ops, prefs, loop);
      Form1 main(run);
      const RefusedWindows refused(refusedClass);
      ASSERT_TRUE(refused.installed());
      EXPECT_FALSE(OpenOrTell(main));
      EXPECT_GE(refused.refused(), 1);
      ASSERT_EQ(refused.messages().size(), 1u);
      EXPECT_TRUE(StartsWith(refused.messages()[0], L"The main window could not be created: ")) << refused.messages()[0];
      EXPECT_FALSE(main.hwnd() && IsWindowVisible(main.hwnd()));
    }
    EXPECT_EQ(FindWindowW(kMainWindowClass, nullptr), nullptr);
    EXPECT_EQ(LinesBeforeSentinel(), Lines{});
    EXPECT_EQ(testing::ReadFileBytes(kFile), kLaterRun);
    host.Stop();
  }
}

TEST_F(NotCreated, ACompactWindowThatCannotBeMadeSaysSoAndTheMainWindowStaysInUse) {
  Open();
  {
    const RefusedWindows refused(kCompactWindowClass);
    ASSERT_TRUE(refused.installed());
    SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(refused.refused(), 1);
    ASSERT_EQ(refused.messages().size(), 1u);
    EXPECT_TRUE(StartsWith(refused.messages()[0], L"The compact window could not be created: "))
        << refused.messages()[0];
  }
  EXPECT_EQ(form->compact(), nullptr);
  EXPECT_TRUE(IsWindowVisible(form->hwnd()));
  // A later switch makes the compact window after all.
  SendMessageW(form->Command6.hwnd(), BM_CLICK, 0, 0);
  ASSERT_NE(form->compact(), nullptr);
  EXPECT_TRUE(IsWindowVisible(form->compact()->hwnd()));
}

}  // namespace
}  // namespace quillon
