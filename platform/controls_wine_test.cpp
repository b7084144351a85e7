// The controls as the windows create them, driven with the messages typing
// and pasting produce.
#include "platform/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/event_pump.h"
#include "tools/testing/test_files.h"

namespace quillon {
namespace {

// U+1F600, one character in two UTF-16 units.
constexpr char16_t kPair[] = u"\U0001F600";

class LimitedTextBox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.hwnd());
    ASSERT_TRUE(box.Create(parent.hwnd(), {0, 0, 380, 24}, 1, 70));
  }

  // Puts text into the box and the caret at index.
  void Start(const std::u16string& text, std::size_t caret) {
    box.SetText(text);
    SendMessageW(box.hwnd(), EM_SETSEL, caret, caret);
  }
  void Select(std::size_t from, std::size_t to) { SendMessageW(box.hwnd(), EM_SETSEL, from, to); }
  void Type(const std::u16string& units) {
    for (char16_t unit : units) PostMessageW(box.hwnd(), WM_CHAR, unit, 1);
    PumpPendingMessages();
  }
  void Paste(const std::u16string& text) {
    ASSERT_TRUE(OpenClipboard(parent.hwnd()));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    ASSERT_TRUE(memory);
    std::char_traits<char16_t>::copy(static_cast<char16_t*>(GlobalLock(memory)), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, memory));
    CloseClipboard();
    SendMessageW(box.hwnd(), WM_PASTE, 0, 0);
  }

  testing::ParentWindow parent{400, 60};
  TextBox box;
};

std::u16string As(std::size_t count) { return std::u16string(count, u'a'); }

TEST_F(LimitedTextBox, APairTypedIntoTheLastPlaceIsRefusedWholeAndASingleUnitStillFits) {
  Start(As(69), 69);
  Type(kPair);
  EXPECT_EQ(box.Text(), As(69));
  Type(u"b");
  EXPECT_EQ(box.Text(), As(69) + u"b");
}

TEST_F(LimitedTextBox, APairTypedIntoTheLastTwoPlacesOrOverASelectionIsKept) {
  Start(As(68), 68);
  Type(kPair);
  EXPECT_EQ(box.Text(), As(68) + kPair);

  // Replacing two selected units leaves room for the pair; one does not.
  Start(As(70), 0);
  Select(1, 2);
  Type(kPair);
  EXPECT_EQ(box.Text(), As(70));
  Select(1, 3);
  Type(kPair);
  EXPECT_EQ(box.Text(), As(1) + kPair + As(67));
}

TEST_F(LimitedTextBox, APasteCutByTheLimitInsideAPairLosesTheWholePair) {
  Paste(As(69) + kPair);
  EXPECT_EQ(box.Text(), As(69));

  // The cut in the middle of the text, where the paste went in.
  Start(u"xy", 1);
  Paste(As(67) + kPair + u"zz");
  EXPECT_EQ(box.Text(), u"x" + As(67) + u"y");
}

TEST_F(LimitedTextBox, APasteThatFitsKeepsItsPairs) {
  Paste(As(66) + kPair + kPair);
  EXPECT_EQ(box.Text(), As(66) + kPair + kPair);
  Start(u"", 0);
  Paste(As(68) + kPair + u"b");
  EXPECT_EQ(box.Text(), As(68) + kPair);
}

// The key hook, in boxes with and without a length limit: a key it takes
// never reaches the box, the others do.
TEST(TextBoxKeyHook, SeesEveryKeyFirstWhetherOrNotTheBoxHasALimit) {
  for (const int limit : {0, 70}) {
    SCOPED_TRACE(limit);
    testing::ParentWindow parent{400, 60};
    TextBox box;
    ASSERT_TRUE(box.Create(parent.hwnd(), {0, 0, 380, 24}, 1, limit));
    std::vector<UINT> seen;
    box.SetOnKey([&](UINT key) {
      seen.push_back(key);
      return key == VK_HOME;
    });
    box.SetText(u"abc");
    SendMessageW(box.hwnd(), EM_SETSEL, 3, 3);
    SendMessageW(box.hwnd(), WM_KEYDOWN, VK_HOME, 0x00470001);  // taken: the caret stays
    DWORD caret = 0;
    SendMessageW(box.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    EXPECT_EQ(caret, 3u);
    SendMessageW(box.hwnd(), WM_KEYDOWN, VK_LEFT, 0x004B0001);  // passed on: the caret moves
    SendMessageW(box.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    EXPECT_EQ(caret, 2u);
    EXPECT_EQ(seen, (std::vector<UINT>{VK_HOME, VK_LEFT}));
  }
}

}  // namespace
}  // namespace quillon
