// The colours' context menu of both windows, opened by mouse and keyboard
// and walked by mouse and keyboard: the palettes, reversing the colours in
// use and making them readable on white, checked by what the swatches, the
// bar, the preview and the chat room show.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "ui/common/palettes.h"
#include "ui/testing/menu_driver.h"
#include "ui/testing/window_testing.h"

namespace quillon {
namespace {

enum class Opening { RightClick, ShiftF10, MenuKey };
const char* Name(Opening how) {
  return how == Opening::RightClick ? "right click" : how == Opening::ShiftF10 ? "Shift+F10" : "menu key";
}

using Colours = std::array<OleColor, 4>;
constexpr Colours kDesign{0x000000, 0x800000, 0xC00000, 0xFF0000};

class PaletteMenu : public MainWindow {
 protected:
  FaderWindow& Compact() {
    return form->compact() ? *form->compact() : SwitchToCompact();
  }
  FaderWindow& Window(bool compact) { return compact ? Compact() : *form; }

  // Opens the menu of control as the user would and lets the driver walk it;
  // returns once the driver has seen every stage and the menu has closed.
  void Walk(HWND control, Opening how, std::vector<MenuDriver::Stage> stages) {
    driver.reset();  // its timer goes before the next one is set
    driver = std::make_unique<MenuDriver>(GetAncestor(control, GA_ROOT), std::move(stages));
    switch (how) {
      case Opening::RightClick:
        PostMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
        PostMessageW(control, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
        break;
      case Opening::ShiftF10: {
        SetFocus(control);
        HoldShift(true);
        PostMessageW(control, WM_SYSKEYDOWN, VK_F10, 0x00440001);
        PostMessageW(control, WM_SYSKEYUP, VK_F10, 0xC0440001);
        break;
      }
      case Opening::MenuKey:
        SetFocus(control);
        PostMessageW(control, WM_KEYDOWN, VK_APPS, 0x015D0001);
        PostMessageW(control, WM_KEYUP, VK_APPS, 0xC15D0001);
        break;
    }
    const auto walked = WaitedFor("the menu to be walked", [&] { return driver->finished(); });
    const auto closed = WaitedFor("the menu to close", [] {
      return !FindWindowW(L"#32768", nullptr) || !IsWindowVisible(FindWindowW(L"#32768", nullptr));
    });
    const auto handled = Drained("the menu's choice to be handled");
    HoldShift(false);
    ASSERT_TRUE(walked) << Name(how);
    ASSERT_TRUE(closed) << Name(how);
    ASSERT_TRUE(handled) << Name(how);
  }
  static void HoldShift(bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  }

  static Colours ColoursOf(const FaderWindow& w) { return {w.Colour(1), w.Colour(2), w.Colour(3), w.Colour(4)}; }

  // Sends text from w; what the room received.
  std::u16string Posted(FaderWindow& w, const std::wstring& text) {
    const std::size_t before = host.ChatLines().size();
    SetFocus(w.Text1.hwnd());
    Type(w.Text1.hwnd(), text);
    PressKey(w.Text1.hwnd(), VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return host.ChatLines().size() == before + 1; }));
    const auto lines = host.ChatLines();
    return lines.size() > before ? lines.back() : u"";
  }
  void ExpectSwatchesFollowTheBar(const FaderWindow& w, int bar) {
    EXPECT_EQ(w.pic3.Enabled(), bar >= 1);
    EXPECT_EQ(w.pic4.Enabled(), bar == 2);
  }

  std::unique_ptr<MenuDriver> driver;
};

// The first count colours: those a send and the strip use.
std::vector<std::int32_t> InUse(const Colours& colours, int count) {
  return {colours.begin(), colours.begin() + count};
}

// A first run's font and styles with these colours in use.
LineSettings WithColours(std::vector<std::int32_t> colours) {
  LineSettings settings = kFirstRun;
  settings.colours = std::move(colours);
  return settings;
}

const std::vector<std::wstring> kMenuItems{L"palettes", L"reverse colours", L"readable on white"};

std::vector<std::wstring> Captions(const std::vector<MenuDriver::Item>& items) {
  std::vector<std::wstring> captions;
  for (const auto& item : items) captions.push_back(item.caption);
  return captions;
}

TEST_F(PaletteMenu, OpensByRightClickShiftF10AndTheMenuKeyOnEverySwatchAndTheStripOfBothWindows) {
  Open();
  for (bool compact : {false, true}) {
    FaderWindow& w = Window(compact);
    std::vector<HWND> controls{w.pic1.hwnd(), w.pic2.hwnd(), w.pic3.hwnd(), w.pic4.hwnd()};
    if (!compact) controls.push_back(form->pre.hwnd());
    for (HWND control : controls)
      for (Opening how : {Opening::RightClick, Opening::ShiftF10, Opening::MenuKey}) {
        SCOPED_TRACE(std::string(compact ? "compact, " : "main, ") + Name(how) + ", control " +
                     std::to_string(GetDlgCtrlID(control)));
        Walk(control, how, MenuDriver::Dismiss());
        ASSERT_EQ(driver->seen().size(), 1u);
        EXPECT_EQ(Captions(driver->seen()[0]), kMenuItems);
        EXPECT_TRUE(driver->seen()[0][0].submenu);
      }
    // A swatch the bar leaves out still offers the menu to the mouse.
    w.SetBar(0);
    ASSERT_FALSE(w.pic4.Enabled());
    Walk(w.pic4.hwnd(), Opening::RightClick, MenuDriver::Dismiss());
    EXPECT_EQ(Captions(driver->seen()[0]), kMenuItems);
    // Dismissed, the menu changed nothing.
    EXPECT_EQ(ColoursOf(w), kDesign);
    EXPECT_EQ(w.sb.Value(), 0);
  }
}

TEST_F(PaletteMenu, TheSubmenuNamesEachPaletteBesideAGradientMadeForTheDpi) {
  Open();
  Walk(form->pic1.hwnd(), Opening::MenuKey, {{{VK_DOWN, VK_RIGHT}}, {{VK_ESCAPE, VK_ESCAPE}}});
  ASSERT_EQ(driver->seen().size(), 2u);
  const auto& items = driver->seen()[1];
  ASSERT_EQ(items.size(), Palettes().size());
  const int width = MulDiv(48, form->dpi(), 96), height = MulDiv(12, form->dpi(), 96);
  for (std::size_t i = 0; i < items.size(); ++i) {
    const Palette& p = Palettes()[i];
    EXPECT_EQ(items[i].caption, std::wstring(p.name.begin(), p.name.end()));
    // The gradient as the fade grades the palette, inside a one-pixel frame.
    EXPECT_EQ(items[i].picture.cx, width + 2) << i;
    EXPECT_EQ(items[i].picture.cy, height) << i;
    const std::vector<COLORREF> expected = AsPixels(testing::ReferenceColours(InUse(p.colours, p.count), width));
    ASSERT_EQ(items[i].middle.size(), expected.size() + 2) << i;
    EXPECT_EQ(std::vector<COLORREF>(items[i].middle.begin() + 1, items[i].middle.end() - 1), expected) << i;
    EXPECT_EQ(expected.back(), static_cast<COLORREF>(p.colours[static_cast<std::size_t>(p.count - 1)]));
  }
}

TEST_F(PaletteMenu, APaletteSetsTheSwatchesItUsesAndTheBarAndReachesTheRoomByteForByte) {
  Open();
  const auto all = Palettes();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Palette& p = all[i];
    for (bool compact : {false, true}) {
      FaderWindow& w = Window(compact);
      SCOPED_TRACE(std::string(compact ? "compact, palette " : "main, palette ") + std::to_string(i));
      // Unusual colours first, so that each swatch's change shows.
      const Colours before{0x010203, 0x040506, 0x070809, 0x0A0B0C};
      for (int s = 0; s < 4; ++s) w.SetColour(s + 1, before[static_cast<std::size_t>(s)]);
      w.SetBar(i % 2 ? 2 : 0);
      const Opening how = i % 3 == 0 ? Opening::RightClick : i % 3 == 1 ? Opening::ShiftF10 : Opening::MenuKey;
      const HWND control = compact ? w.pic2.hwnd() : i % 2 ? form->pre.hwnd() : w.pic1.hwnd();
      // Chosen with the mouse for every other palette, else with Enter.
      Walk(control, how, i % 2 ? MenuDriver::ClickInSubmenu(static_cast<int>(i))
                               : MenuDriver::ChooseFromSubmenu(static_cast<int>(i)));
      Colours expected = before;
      for (int s = 0; s < p.count; ++s) expected[static_cast<std::size_t>(s)] = p.colours[static_cast<std::size_t>(s)];
      EXPECT_EQ(ColoursOf(w), expected);
      EXPECT_EQ(w.sb.Value(), p.count - 2);
      ExpectSwatchesFollowTheBar(w, p.count - 2);
      if (!compact) {
        EXPECT_EQ(PreviewBars(*form), ExpectedBars(InUse(p.colours, p.count)));
      }
      EXPECT_EQ(Posted(w, L"palette"), ExpectedLine(WithColours(InUse(p.colours, p.count)), u"palette"));
    }
  }
}

TEST_F(PaletteMenu, ReverseAndReadableChangeOnlyTheColoursInUse) {
  Open();
  const OleColor yellow = 0x00FFFF, white = 0xFFFFFF, red = 0x0000FF, green = 0x00FF00;
  // The brightest shades that read on white, worked by hand from the WCAG
  // formula: yellow 9A9A00, white 949494, pure green 00AD00 (174 gives a
  // luminance of 0.3027, 173 one of 0.2989).
  const OleColor darkYellow = 0x009A9A, grey = 0x949494, darkGreen = 0x00AD00;
  for (bool compact : {false, true}) {
    FaderWindow& w = Window(compact);
    SCOPED_TRACE(compact ? "compact" : "main");
    const Colours start{yellow, red, white, green};
    for (int s = 0; s < 4; ++s) w.SetColour(s + 1, start[static_cast<std::size_t>(s)]);
    w.SetBar(1);  // three colours in use
    Walk(w.pic3.hwnd(), Opening::RightClick, MenuDriver::ChooseItem(1));  // reverse colours
    EXPECT_EQ(ColoursOf(w), (Colours{white, red, yellow, green}));
    EXPECT_EQ(w.sb.Value(), 1);
    if (!compact) {
      EXPECT_EQ(PreviewBars(*form), ExpectedBars({white, red, yellow}));
    }
    Walk(w.pic1.hwnd(), Opening::MenuKey, MenuDriver::ChooseItem(2));  // readable on white
    // Red reads already (4.00); green is not in use.
    EXPECT_EQ(ColoursOf(w), (Colours{grey, red, darkYellow, green}));
    EXPECT_EQ(Posted(w, L"readable"), ExpectedLine(WithColours({grey, red, darkYellow}), u"readable"));
    w.SetBar(2);
    Walk(w.pic4.hwnd(), Opening::ShiftF10, MenuDriver::ChooseItem(2));
    EXPECT_EQ(ColoursOf(w), (Colours{grey, red, darkYellow, darkGreen}));
    Walk(w.pic4.hwnd(), Opening::ShiftF10, MenuDriver::ChooseItem(1));
    EXPECT_EQ(ColoursOf(w), (Colours{darkGreen, darkYellow, red, grey}));
    if (!compact) {
      EXPECT_EQ(PreviewBars(*form), ExpectedBars({darkGreen, darkYellow, red, grey}));
    }
    EXPECT_EQ(Posted(w, L"both"), ExpectedLine(WithColours({darkGreen, darkYellow, red, grey}), u"both"));
  }
}

TEST_F(PaletteMenu, ThePeekFollowsAChosenPaletteAndTheHandOverCarriesIt) {
  Open();
  SetFocus(form->Text1.hwnd());
  Type(form->Text1.hwnd(), L"peek");
  ASSERT_TRUE(PumpUntil([&] { return form->peek().Shown(); }));
  RECT before;
  GetWindowRect(form->peek().popup(), &before);
  const Palette& p = Palettes()[4];
  Walk(form->pic1.hwnd(), Opening::RightClick, MenuDriver::ChooseFromSubmenu(4));
  const Colours expected = WithPalette(kDesign, p);
  ASSERT_TRUE(form->peek().Shown());
  EXPECT_EQ(ColoursOf(*form), expected);
  EXPECT_EQ(form->peek().Line(), ExpectedLine(WithColours(InUse(expected, p.count)), u"peek"));
  // The compact window starts with the main window's settings, palette and all.
  FaderWindow& compact = Compact();
  EXPECT_EQ(ColoursOf(compact), expected);
  EXPECT_EQ(compact.sb.Value(), p.count - 2);
}

}  // namespace
}  // namespace quillon
