// The picture box and the scroll bar as a keyboard user meets them: the
// focus they show, Space on a picture box, the scroll bar's blinking focus
// mark. Real windows, driven with the messages keys produce; what they draw
// is read back from their pixels.
#include "platform/controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/event_pump.h"
#include "tools/testing/test_files.h"

namespace quillon {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);

// What a control draws of itself, pixel by pixel.
class Pixels {
 public:
  explicit Pixels(HWND control) {
    RECT client;
    GetClientRect(control, &client);
    width = client.right;
    height = client.bottom;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* words = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
      colours_.push_back(RGB((words[i] >> 16) & 255, (words[i] >> 8) & 255, words[i] & 255));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  COLORREF At(int x, int y) const { return colours_[static_cast<std::size_t>(y * width + x)]; }
  // How many pixels of the rectangle's outline (left, top, right, bottom
  // inclusive) are not colour.
  int OffOutline(RECT r, COLORREF colour) const {
    int off = 0;
    for (int x = r.left; x <= r.right; ++x) off += (At(x, r.top) != colour) + (At(x, r.bottom) != colour);
    for (int y = r.top + 1; y < r.bottom; ++y) off += (At(r.left, y) != colour) + (At(r.right, y) != colour);
    return off;
  }
  // How many pixels of the filled rectangle are not colour.
  int OffInside(RECT r, COLORREF colour) const {
    int off = 0;
    for (int y = r.top; y <= r.bottom; ++y)
      for (int x = r.left; x <= r.right; ++x) off += At(x, y) != colour;
    return off;
  }
  int width = 0, height = 0;

 private:
  std::vector<COLORREF> colours_;
};

// Answers WM_QUERYUISTATE for one window as Windows does while a window
// hides focus until the keyboard is used. Wine keeps no UI state: it answers
// 0 whatever WM_CHANGEUISTATE asked for.
class HiddenFocus {
 public:
  explicit HiddenFocus(HWND window) : window_(window) {
    previous_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Answer)));
    SetPropW(window, kPrevious, reinterpret_cast<HANDLE>(previous_));
  }
  ~HiddenFocus() {
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
    RemovePropW(window_, kPrevious);
  }

 private:
  static constexpr wchar_t kPrevious[] = L"quillon.test.previous";
  static LRESULT CALLBACK Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYUISTATE) return UISF_HIDEFOCUS;
    return CallWindowProcW(reinterpret_cast<WNDPROC>(GetPropW(window, kPrevious)), window, message, wParam, lParam);
  }
  HWND window_;
  WNDPROC previous_;
};

class Swatch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.hwnd());
    ASSERT_TRUE(swatch.Create(parent.hwnd(), {10, 10, 33, 17}, 21, 0));
    ASSERT_TRUE(other.Create(parent.hwnd(), {60, 10, 33, 17}, 22, 0x00FF00));
    swatch.onClick = [this] { ++clicks; };
    other.onClick = [this] { ++otherClicks; };
    ShowFocus(true);
  }
  void ShowFocus(bool show) {
    SendMessageW(parent.hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(show ? UIS_CLEAR : UIS_SET, UISF_HIDEFOCUS), 0);
  }
  void Key(HWND target, UINT message, UINT key) {
    PostMessageW(target, message, key, message == WM_KEYUP ? 0xC0390001 : 0x00390001);
    PumpPendingMessages();
  }
  // The edge the focus rectangle keeps from the box's border, and the
  // rectangle's outline itself.
  static RECT Ring(const Pixels& p, int inset) { return {inset, inset, p.width - 1 - inset, p.height - 1 - inset}; }

  testing::ParentWindow parent{300, 120, true};
  PictureBox swatch, other;
  int clicks = 0, otherClicks = 0;
};

TEST_F(Swatch, WithTheFocusItShowsAFocusRectangleInsideItsBorderAndLosesItWithTheFocus) {
  SetFocus(other.hwnd());
  const Pixels unfocused(swatch.hwnd());
  EXPECT_EQ(unfocused.OffInside(Ring(unfocused, 0), kBlack), 0);

  SetFocus(swatch.hwnd());
  const Pixels focused(swatch.hwnd());
  // A dotted outline two pixels in from the border; the border itself and
  // the middle keep the colour.
  EXPECT_EQ(focused.OffOutline(Ring(focused, 0), kBlack), 0);
  EXPECT_EQ(focused.OffOutline(Ring(focused, 1), kBlack), 0);
  const int dots = focused.OffOutline(Ring(focused, 2), kBlack);
  const RECT outline = Ring(focused, 2);
  const int length = 2 * (outline.right - outline.left + outline.bottom - outline.top);
  EXPECT_GE(dots, length / 3);
  EXPECT_LE(dots, length * 2 / 3);
  EXPECT_EQ(focused.OffInside(Ring(focused, 3), kBlack), 0);

  SetFocus(other.hwnd());
  const Pixels left(swatch.hwnd());
  EXPECT_EQ(left.OffInside(Ring(left, 0), kBlack), 0);
}

TEST_F(Swatch, FocusHiddenUntilTheKeyboardIsUsedShowsNoRectangle) {
  SetFocus(swatch.hwnd());
  {
    const HiddenFocus hidden(swatch.hwnd());
    const Pixels p(swatch.hwnd());
    EXPECT_EQ(p.OffInside(Ring(p, 0), kBlack), 0);
  }
  const Pixels shown(swatch.hwnd());
  EXPECT_GT(shown.OffOutline(Ring(shown, 2), kBlack), 0);
}

TEST_F(Swatch, FocusChangesAndUiStateChangesRepaintTheBox) {
  SetFocus(other.hwnd());
  UpdateWindow(parent.hwnd());
  SetFocus(swatch.hwnd());
  EXPECT_TRUE(GetUpdateRect(swatch.hwnd(), nullptr, FALSE));
  UpdateWindow(swatch.hwnd());
  SetFocus(other.hwnd());
  EXPECT_TRUE(GetUpdateRect(swatch.hwnd(), nullptr, FALSE));
  UpdateWindow(swatch.hwnd());
  SendMessageW(swatch.hwnd(), WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  EXPECT_TRUE(GetUpdateRect(swatch.hwnd(), nullptr, FALSE));
}

TEST_F(Swatch, SpaceClicksTheFocusedBoxOnceWhenItGoesUp) {
  SetFocus(swatch.hwnd());
  Key(swatch.hwnd(), WM_KEYDOWN, VK_SPACE);
  Key(swatch.hwnd(), WM_KEYDOWN, VK_SPACE);  // held: the key repeats
  EXPECT_EQ(clicks, 0);
  Key(swatch.hwnd(), WM_KEYUP, VK_SPACE);
  EXPECT_EQ(clicks, 1);
  // A key-up without its key-down (Space pressed elsewhere) clicks nothing,
  // and neither do other keys.
  Key(swatch.hwnd(), WM_KEYUP, VK_SPACE);
  Key(swatch.hwnd(), WM_KEYDOWN, VK_RETURN);
  Key(swatch.hwnd(), WM_KEYUP, VK_RETURN);
  EXPECT_EQ(clicks, 1);
  // The focus left between down and up: no click.
  Key(swatch.hwnd(), WM_KEYDOWN, VK_SPACE);
  SetFocus(other.hwnd());
  Key(swatch.hwnd(), WM_KEYUP, VK_SPACE);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(otherClicks, 0);
}

TEST_F(Swatch, ADisabledBoxTakesNeitherTheFocusNorClicksNorSpace) {
  SetFocus(other.hwnd());
  swatch.Enable(false);
  PostMessageW(swatch.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(swatch.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  PumpPendingMessages();
  EXPECT_EQ(GetFocus(), other.hwnd());
  Key(swatch.hwnd(), WM_KEYDOWN, VK_SPACE);
  Key(swatch.hwnd(), WM_KEYUP, VK_SPACE);
  EXPECT_EQ(clicks, 0);
  // Enabled again, the same input clicks it.
  swatch.Enable(true);
  PostMessageW(swatch.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(swatch.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  PumpPendingMessages();
  EXPECT_EQ(GetFocus(), swatch.hwnd());
  EXPECT_EQ(clicks, 1);
}

class Bar : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.hwnd());
    ASSERT_TRUE(bar.Create(parent.hwnd(), {10, 40, 153, 17}, 31, 0, 2, 2, 1, 1));
    SetFocus(bar.hwnd());
  }
  // The thumb's left and right edge in the bar's client area.
  std::pair<int, int> Thumb() const {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    GetScrollBarInfo(bar.hwnd(), OBJID_CLIENT, &info);
    POINT origin{info.rcScrollBar.left, info.rcScrollBar.top};
    ScreenToClient(bar.hwnd(), &origin);
    return {origin.x + info.xyThumbTop, origin.x + info.xyThumbBottom};
  }
  // Whether the blinking focus mark lies on the thumb.
  ::testing::AssertionResult MarkOnThumb() const {
    POINT caret{};
    if (!GetCaretPos(&caret)) return ::testing::AssertionFailure() << "no caret";
    const auto [left, right] = Thumb();
    if (caret.x >= left && caret.x < right) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "mark at " << caret.x << ", thumb from " << left << " to " << right;
  }

  testing::ParentWindow parent{300, 120, true};
  ScrollBar bar;
};

TEST_F(Bar, TheFocusMarkFollowsTheThumbWhenCodeMovesIt) {
  ASSERT_TRUE(MarkOnThumb());
  const int atTwo = Thumb().first;
  bar.SetValue(1);
  EXPECT_LT(Thumb().first, atTwo);
  EXPECT_TRUE(MarkOnThumb());
  bar.SetValue(0);
  EXPECT_TRUE(MarkOnThumb());
  EXPECT_EQ(GetFocus(), bar.hwnd());
}

TEST_F(Bar, TheFocusMarkFollowsTheThumbWhenItIsReleasedOrTheBarLaidOutAgain) {
  SendMessageW(parent.hwnd(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 0), reinterpret_cast<LPARAM>(bar.hwnd()));
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_TRUE(MarkOnThumb());
  bar.SetValue(2);
  bar.Place({10, 40, 230, 25});
  EXPECT_TRUE(MarkOnThumb());
}

}  // namespace
}  // namespace quillon
