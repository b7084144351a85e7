#include "ui/common/peek.h"

#include <gtest/gtest.h>

#include "preview/testing/recording_surface.h"
#include "ui/testing/expected_line.h"

namespace quillon {
namespace {

using testing::ExpectedLine;
using testing::LineSettings;

constexpr int kPadding = 3;

// Cells 13 pixels high, 15 in bold, on the recording surface (6 pixels
// wide, 8 in bold).
std::function<int()> HeightOf(const RecordingSurface& surface) {
  return [&surface] { return surface.bold ? 15 : 13; };
}

// A view that draws what it is shown onto a recording surface.
class RecordingView : public PeekView {
 public:
  bool Show(const std::u16string& line) override {
    layout = MeasurePeek(surface, HeightOf(surface), line, kPadding);
    DrawPeek(surface, line, layout);
    ++shows;
    visible = true;
    return true;
  }
  void Hide() override { visible = false; }

  RecordingSurface surface;
  PeekLayout layout;
  int shows = 0;
  bool visible = false;
};

// Two colours from black to red 200 over four characters: the fade steps
// 50 a character and ends on the last colour, so the reds are 50 to 200.
LineSettings Settings() { return {u"comic sans ms", false, false, false, false, {0x000000, 0x0000C8}}; }
const std::u16string kText = u"abcd";

TEST(PeekDrawing, DrawsTheComposedLinesCharactersColoursStylesAndShifts) {
  LineSettings settings = Settings();
  settings.bold = settings.italic = settings.underline = settings.wavy = true;
  RecordingView view;
  view.Show(ExpectedLine(settings, kText));

  const RecordingSurface& s = view.surface;
  ASSERT_EQ(s.Text(), u"abcd");
  EXPECT_EQ(s.clears, 1);
  const std::int32_t reds[] = {50, 100, 150, 200};
  // The wave: raised, level, lowered, level.
  const int shifts[] = {-1, 0, 1, 0};
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const auto& d = s.drawn[static_cast<std::size_t>(i)];
    EXPECT_EQ(d.colour, reds[i]);
    EXPECT_EQ(d.face, u"comic sans ms");
    EXPECT_TRUE(d.bold && d.italic && d.underline);
    EXPECT_FALSE(d.strike);
    EXPECT_EQ(d.x, kPadding + 8 * i);
    // The raised first character's cell starts at the padding.
    EXPECT_EQ(d.y, kPadding + 1 + shifts[i]);
  }
  // Four bold cells 8 wide; 15 high, from one pixel up to one pixel down.
  EXPECT_EQ(view.layout, (PeekLayout{32 + 2 * kPadding, 17 + 2 * kPadding, kPadding - 2, kPadding + 1}));
}

TEST(PeekDrawing, ALevelLineIsOneCellHighAndMeasuringDrawsNothing) {
  RecordingSurface surface;
  const std::u16string line = ExpectedLine(Settings(), kText);
  const PeekLayout layout = MeasurePeek(surface, HeightOf(surface), line, kPadding);
  EXPECT_TRUE(surface.drawn.empty());
  EXPECT_EQ(surface.clears, 0);
  EXPECT_EQ(layout, (PeekLayout{24 + 2 * kPadding, 13 + 2 * kPadding, kPadding - 2, kPadding}));
  DrawPeek(surface, line, layout);
  ASSERT_EQ(surface.drawn.size(), 4u);
  EXPECT_EQ(surface.drawn[0].x, kPadding);
  EXPECT_EQ(surface.drawn[3].x + 6 + kPadding, layout.width);
}

TEST(PeekDrawing, ACellIsAsHighAsTheFaceAndItalicInForceWhereItIsDrawn) {
  // Cells 13 pixels high, 21 in the face "tall", 4 more in italic.
  RecordingSurface surface;
  const auto height = [&surface] { return (surface.face == u"tall" ? 21 : 13) + (surface.italic ? 4 : 0); };
  EXPECT_EQ(MeasurePeek(surface, height, u"a<font face=\"tall\">b", kPadding).height, 21 + 2 * kPadding);
  EXPECT_EQ(MeasurePeek(surface, height, u"a<i>b", kPadding).height, 17 + 2 * kPadding);
  EXPECT_EQ(MeasurePeek(surface, height, u"a<font face=\"tall\">b<i>c", kPadding).height, 25 + 2 * kPadding);
}

TEST(PeekDrawing, ALineThatDrawsNothingIsOneEmptyCell) {
  RecordingSurface surface;
  LineSettings settings = Settings();
  settings.bold = true;
  EXPECT_EQ(MeasurePeek(surface, HeightOf(surface), ExpectedLine(settings, u""), kPadding),
            (PeekLayout{2 * kPadding, 15 + 2 * kPadding, kPadding, kPadding}));
}

TEST(PeekPlacement, BelowTheWindowElseAboveAlignedAndKeptOnTheWorkArea) {
  const PeekRect work{0, 0, 1000, 700};
  // Below, gap 2, at the anchor.
  EXPECT_EQ(PlacePeek({100, 100, 400, 300}, 200, 30, work, 120, 2), (PeekRect{120, 302, 320, 332}));
  // No room below: above.
  EXPECT_EQ(PlacePeek({100, 650, 400, 690}, 200, 30, work, 120, 2), (PeekRect{120, 618, 320, 648}));
  // Moved left to end at the work area's right edge, or right to its left.
  EXPECT_EQ(PlacePeek({900, 100, 1100, 300}, 200, 30, work, 910, 2), (PeekRect{800, 302, 1000, 332}));
  EXPECT_EQ(PlacePeek({-50, 100, 100, 300}, 200, 30, work, -40, 2), (PeekRect{0, 302, 200, 332}));
  // Wider than the work area: cut to it.
  EXPECT_EQ(PlacePeek({100, 100, 400, 300}, 1500, 30, work, 120, 2), (PeekRect{0, 302, 1000, 332}));
  // Room on neither side.
  EXPECT_EQ(PlacePeek({100, 20, 400, 680}, 200, 30, work, 120, 2), std::nullopt);
}

TEST(PeekPlacement, NeverCoversTheWindowAndNeverLeavesTheWorkArea) {
  const PeekRect work{0, 40, 640, 480};
  for (int top = -100; top <= 520; top += 7) {
    for (int left = -200; left <= 700; left += 50) {
      const PeekRect window{left, top, left + 290, top + 170};
      const auto placed = PlacePeek(window, 400, 26, work, left + 16, 2);
      if (!placed) continue;
      SCOPED_TRACE(::testing::Message() << "window at " << left << ", " << top);
      const bool overlaps = placed->left < window.right && window.left < placed->right &&
                            placed->top < window.bottom && window.top < placed->bottom;
      EXPECT_FALSE(overlaps);
      EXPECT_TRUE(placed->left >= work.left && placed->right <= work.right && placed->top >= work.top &&
                  placed->bottom <= work.bottom);
      EXPECT_EQ(placed->Height(), 26);
    }
  }
  // A window in the middle always has room for it.
  EXPECT_TRUE(PlacePeek({100, 200, 390, 370}, 400, 26, work, 116, 2));
}

TEST(PeekTriggers, ShowsOnceAskedForWhileTheWindowIsActiveAndTheTextBoxHoldsText) {
  const PeekFacts facts{true, true};
  PeekTriggers t;
  EXPECT_FALSE(t.Shows(facts));  // nothing asked for it yet
  t.PointerRests();
  EXPECT_TRUE(t.Shows(facts));
  EXPECT_FALSE(t.Shows({true, false}));  // an empty text box
  EXPECT_FALSE(t.Shows({false, true}));  // the window inactive
  EXPECT_TRUE(t.Shows(facts));                  // and back
  t.PointerLeaves(true);  // the text box keeps it after the pointer left
  EXPECT_TRUE(t.Shows(facts));
  t.PointerLeaves(false);
  EXPECT_FALSE(t.Shows(facts));
  t.UserActs();  // typing, or the focus to the text box
  EXPECT_TRUE(t.Shows(facts));
}

TEST(PeekTriggers, ADismissalLastsUntilTheUserActsAndAHoldUntilItEnds) {
  const PeekFacts facts{true, true};
  PeekTriggers t;
  t.UserActs();
  t.Dismiss();  // Esc
  EXPECT_FALSE(t.Shows(facts));
  t.UserActs();
  EXPECT_TRUE(t.Shows(facts));
  t.Dismiss();
  t.PointerRests();
  EXPECT_TRUE(t.Shows(facts));

  t.Hold();  // a send
  t.UserActs();  // typing during the send
  EXPECT_FALSE(t.Shows(facts));
  t.Release();
  EXPECT_FALSE(t.Shows(facts));  // sent: dismissed
  t.UserActs();
  EXPECT_TRUE(t.Shows(facts));
}

class PeekUpdates : public ::testing::Test {
 protected:
  RecordingView view;
  LineSettings settings = Settings();
  std::u16string text = kText;
  PeekFacts facts{true, true};
  Peek peek{view, [this] { return ExpectedLine(settings, text); }, [this] { return facts; }};

  const RecordingSurface::Drawn& Last() const { return view.surface.drawn.back(); }
};

TEST_F(PeekUpdates, RedrawsAfterEachKindOfChangeAndOnlyThen) {
  peek.triggers().UserActs();
  peek.Update();
  ASSERT_TRUE(view.visible);
  EXPECT_EQ(view.surface.Text(), u"abcd");
  peek.Update();
  EXPECT_EQ(view.shows, 1);  // nothing changed, nothing drawn

  text = u"abcde";
  peek.Update();
  EXPECT_EQ(view.surface.Text(), u"abcde");
  settings.bold = true;
  peek.Update();
  EXPECT_TRUE(Last().bold);
  settings.colours[1] = 0x00FF00;
  peek.Update();
  EXPECT_EQ(Last().colour, 0x00FF00);  // the fade ends on the last colour
  settings.colours.push_back(0x00C800);
  peek.Update();
  EXPECT_EQ(Last().colour, 0x00C800);  // three colours: it ends on the third
  settings.font = u"tahoma";
  peek.Update();
  EXPECT_EQ(Last().face, u"tahoma");
  settings.wavy = true;
  peek.Update();
  EXPECT_NE(view.surface.drawn[0].y, view.surface.drawn[1].y);
  EXPECT_EQ(view.shows, 7);
  EXPECT_EQ(peek.Line(), ExpectedLine(settings, text));
}

TEST_F(PeekUpdates, HidesWhenTheTextEmptiesOrTheWindowGoesInactive) {
  peek.triggers().UserActs();
  peek.Update();
  ASSERT_TRUE(view.visible);
  text.clear();
  facts.hasText = false;
  peek.Update();
  EXPECT_FALSE(view.visible);
  EXPECT_TRUE(peek.Line().empty());
  text = u"again";
  facts.hasText = true;
  peek.Update();
  EXPECT_TRUE(view.visible);
  facts.windowActive = false;
  peek.Update();
  EXPECT_FALSE(view.visible);
}

TEST(PeekNesting, AnUpdateAskedForWhileOneRunsRunsOnceAfterItNotInsideIt) {
  RecordingView view;
  std::u16string text = u"first";
  int depth = 0, deepest = 0, composed = 0;
  bool dismissInside = false;
  Peek* self = nullptr;
  Peek peek(
      view,
      [&] {
        ++composed;
        deepest = std::max(deepest, ++depth);
        if (composed == 1) {
          // Events let in while composing: a key typed, asking for another update.
          text = u"second";
          self->Update();
        }
        if (dismissInside) {
          dismissInside = false;
          self->triggers().Dismiss();
          self->Update();
        }
        --depth;
        return ExpectedLine(Settings(), text);
      },
      [] { return PeekFacts{true, true}; });
  self = &peek;
  peek.triggers().UserActs();
  peek.Update();
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(composed, 2);
  EXPECT_EQ(view.surface.Text(), u"second");

  // A dismissal let in while composing is not overridden by the line composed.
  text = u"third";
  dismissInside = true;
  peek.Update();
  EXPECT_FALSE(view.visible);
  EXPECT_FALSE(peek.Shown());
}

}  // namespace
}  // namespace quillon
