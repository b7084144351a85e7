// A borderless popup in the manner of a tooltip that shows a retained
// picture: it never takes the focus or activation, stays above other
// windows, and paints itself from its surface inside a one-pixel frame.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/gdi_surface.h"
#include "platform/window.h"

namespace quillon {

class PeekWindow final : public Window {
 public:
  // The picture's background: the chat room's white.
  static constexpr COLORREF kBackground = RGB(255, 255, 255);

  ~PeekWindow() override { Destroy(); }

  // Creates the popup, hidden. False when it could not be made.
  bool Create();
  // A surface with fonts made for dpi to measure a picture on: the one it
  // has, or a small one; nullptr when a new one could not be made.
  GdiSurface* MeasuringSurface(int dpi);
  // The surface to draw a picture of width x height pixels on, fonts made
  // for dpi: the one it has when it is that large and at most twice as wide
  // and as high, so that a shorter line lets go of what a longer one took;
  // else a new one of that size. nullptr when a new one could not be made.
  GdiSurface* SurfaceFor(int width, int height, int dpi);
  const GdiSurface* surface() const { return surface_.get(); }
  // Shows the picture's top-left part at rect (screen pixels) in front,
  // without activating anything, and paints it. False when it could not be
  // shown there.
  bool ShowAt(const RECT& rect);
  void Hide();

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc, const RECT& client) const;

  std::unique_ptr<GdiSurface> surface_;
};

}  // namespace quillon
