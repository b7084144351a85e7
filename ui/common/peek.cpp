#include "ui/common/peek.h"

#include <algorithm>
#include <utility>

namespace quillon {

void ExtentSurface::FontChanged() {
  height_.reset();
  lastWidth_.reset();
}

void ExtentSurface::Clear() {
  if (draw_) inner().Clear();
}

int ExtentSurface::TextHeight() {
  if (!height_) height_ = textHeight_ ? textHeight_() : 0;
  return *height_;
}

void ExtentSurface::DrawChar(int x, int y, char16_t c) {
  if (draw_) inner().DrawChar(x + dx_, y + dy_, c);
  const int width = inner().CharWidth(c);
  lastWidth_.emplace(c, width);
  const PeekRect cell{x, y, x + width, y + TextHeight()};
  if (!drawn_) {
    drawn_ = cell;
    return;
  }
  drawn_->left = std::min(drawn_->left, cell.left);
  drawn_->top = std::min(drawn_->top, cell.top);
  drawn_->right = std::max(drawn_->right, cell.right);
  drawn_->bottom = std::max(drawn_->bottom, cell.bottom);
}

int ExtentSurface::CharWidth(char16_t c) {
  // The renderer measures each character right after drawing it; the width
  // found for its cell serves, once.
  if (lastWidth_ && lastWidth_->first == c) return std::exchange(lastWidth_, std::nullopt)->second;
  return inner().CharWidth(c);
}

PeekLayout MeasurePeek(DrawingSurface& surface, const std::function<int()>& textHeight, const std::u16string& line,
                       int padding) {
  ExtentSurface measuring(surface, textHeight, false);
  RenderMarkup(measuring, line);
  const PeekRect cells = measuring.Drawn().value_or(PeekRect{0, 0, 0, measuring.TextHeight()});
  return {cells.Width() + 2 * padding, cells.Height() + 2 * padding, padding - cells.left, padding - cells.top};
}

void DrawPeek(DrawingSurface& surface, const std::u16string& line, const PeekLayout& layout) {
  ExtentSurface drawing(surface, nullptr, true, layout.dx, layout.dy);
  RenderMarkup(drawing, line);
}

std::optional<PeekRect> PlacePeek(const PeekRect& window, int width, int height, const PeekRect& workArea,
                                  int anchorLeft, int gap) {
  width = std::min(width, workArea.Width());
  const int left = std::max(workArea.left, std::min(anchorLeft, workArea.right - width));
  const int below = window.bottom + gap;
  if (below >= workArea.top && below + height <= workArea.bottom) return PeekRect{left, below, left + width, below + height};
  const int above = window.top - gap - height;
  if (above >= workArea.top && window.top - gap <= workArea.bottom)
    return PeekRect{left, above, left + width, above + height};
  return std::nullopt;
}

void Peek::Update() {
  updating_.Coalesced([this] {
    if (!triggers_.Shows(facts_())) return Hide();
    std::u16string line = compose_();
    // Composing may have let a dismissal in.
    if (!triggers_.Shows(facts_())) return Hide();
    if (shown_ && line == line_) return;
    shown_ = view_.Show(line);
    line_ = shown_ ? std::move(line) : std::u16string();
  });
}

void Peek::Hide() {
  if (shown_) view_.Hide();
  shown_ = false;
  line_.clear();
}

}  // namespace quillon
