// The peek: a small popup beside a fader window that shows the line a send
// would post, drawn by the markup renderer. What of it is portable: drawing
// the line sized to what the renderer draws, placing the popup outside the
// window, and when it shows.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "preview/forwarding_surface.h"
#include "preview/markup.h"
#include "ui/common/reentry.h"

namespace quillon {

// Pixels; right and bottom are exclusive.
struct PeekRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const PeekRect&) const = default;
};

// A surface in front of another one. Attributes, widths and clearing go to
// the inner surface; each character is drawn there (dx, dy) further, or not
// at all when measuring, and the cell it covers is noted: from its position
// to its width and the cell height in the attributes then in force.
class ExtentSurface : public ForwardingSurface {
 public:
  // textHeight: the cell height of the inner surface's current attributes;
  // asked once after each change of them. Empty: cells of no height.
  ExtentSurface(DrawingSurface& inner, std::function<int()> textHeight, bool draw, int dx = 0, int dy = 0)
      : ForwardingSurface(inner), textHeight_(std::move(textHeight)), draw_(draw), dx_(dx), dy_(dy) {}

  void Clear() override;
  void DrawChar(int x, int y, char16_t c) override;
  int CharWidth(char16_t c) override;

  // The cells of the characters drawn so far, in the renderer's coordinates
  // (before the offset); nullopt while none has been drawn.
  const std::optional<PeekRect>& Drawn() const { return drawn_; }
  // The cell height in the attributes now in force.
  int TextHeight();

 private:
  void FontChanged() override;

  std::function<int()> textHeight_;
  bool draw_;
  int dx_, dy_;
  std::optional<PeekRect> drawn_;
  std::optional<int> height_;
  // The width of the character drawn last, which the renderer asks for next.
  std::optional<std::pair<char16_t, int>> lastWidth_;
};

// Where the peek's picture comes from: its size, padding on every side
// included, and the offset that moves what the renderer draws into it.
struct PeekLayout {
  int width = 0, height = 0;
  int dx = 0, dy = 0;
  bool operator==(const PeekLayout&) const = default;
};

// Lays line out as the renderer draws it on surface, with padding pixels
// around the cells of its characters (the wave's raised and lowered ones
// included). Draws nothing: only measures, in the surface's attributes. A
// line that draws no character gets one empty cell of the height its
// attributes have at the end.
PeekLayout MeasurePeek(DrawingSurface& surface, const std::function<int()>& textHeight, const std::u16string& line,
                       int padding);

// Draws line onto surface as MeasurePeek laid it out: the picture fills the
// surface from (0, 0) to (width, height); the surface is cleared first.
void DrawPeek(DrawingSurface& surface, const std::u16string& line, const PeekLayout& layout);

// The screen rectangle of a peek of width x height beside the window: below
// it, else above it, gap pixels away; its left edge at anchorLeft, moved
// sideways and cut to stay within the work area. nullopt when it fits on
// neither side without covering the window.
std::optional<PeekRect> PlacePeek(const PeekRect& window, int width, int height, const PeekRect& workArea,
                                  int anchorLeft, int gap);

// What the peek's showing depends on in the window, read when needed.
struct PeekFacts {
  bool windowActive = false;  // the window is shown and active
  bool hasText = false;       // the chat text box holds text
};

// When the peek shows. It is asked for when the pointer comes to rest over a
// watched control (the text box, the strip) and when the user types into the
// text box or gives it the focus; it shows while asked for, the window is
// active and the text box holds text. It goes when the pointer leaves while
// the text box has no focus, and on a dismissal (Esc, the window moved,
// folded, hidden or left for another program). A hold (a send) hides it for
// as long as it lasts and dismisses it after.
class PeekTriggers {
 public:
  void PointerRests() { asked_ = true; }
  void PointerLeaves(bool textFocused) {
    if (!textFocused) asked_ = false;
  }
  void UserActs() { asked_ = true; }
  void Dismiss() { asked_ = false; }
  void Hold() { ++holds_; }
  void Release() {
    if (holds_ > 0) --holds_;
    asked_ = false;
  }
  bool Shows(const PeekFacts& facts) const {
    return holds_ == 0 && asked_ && facts.windowActive && facts.hasText;
  }

 private:
  bool asked_ = false;
  int holds_ = 0;
};

// Where the peek shows its line: the popup, or a test's stand-in.
class PeekView {
 public:
  virtual ~PeekView() = default;
  // Draws line and shows it, sized to what is drawn. False when it is not
  // shown (it could not be drawn or placed).
  virtual bool Show(const std::u16string& line) = 0;
  virtual void Hide() = 0;
};

// The peek's behaviour: each event changes the triggers, then Update shows
// the line that compose returns now, or hides the view.
class Peek {
 public:
  // compose: the very line a send would post now. facts: the window's state.
  Peek(PeekView& view, std::function<std::u16string()> compose, std::function<PeekFacts()> facts)
      : view_(view), compose_(std::move(compose)), facts_(std::move(facts)) {}

  PeekTriggers& triggers() { return triggers_; }
  // Shows the current line, or hides the view, as the triggers and facts
  // now say; a line the view shows already is not drawn again. Composing
  // and drawing may let events in: an update asked for meanwhile does not
  // nest but runs once after the running one, with the state then current.
  void Update();
  // Hides the view at once, whatever runs.
  void Hide();

  bool Shown() const { return shown_; }
  // The line the view shows; empty while hidden.
  const std::u16string& Line() const { return line_; }

 private:
  PeekView& view_;
  std::function<std::u16string()> compose_;
  std::function<PeekFacts()> facts_;
  PeekTriggers triggers_;
  bool shown_ = false;
  Reentry updating_;
  std::u16string line_;
};

}  // namespace quillon
