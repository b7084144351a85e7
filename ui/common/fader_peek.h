// The peek of a fader window: the popup that shows the line a send would
// post as the chat room will show it, what it watches of the window and of
// its chat text box, and the rules of when it shows (ui/common/peek.h).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/peek_window.h"
#include "platform/window_watch.h"
#include "ui/common/peek.h"

namespace quillon {

class FaderPeek final : private PeekView {
 public:
  // What the peek asks of its window.
  struct Source {
    std::function<std::u16string()> line;  // the very line a send would post now
    std::function<int()> dpi;              // the window's DPI
    // Runs work as one of the window's handlers; false, and nothing run,
    // once the window is closing.
    std::function<bool(const std::function<void()>&)> run;
  };

  // Hides the peek while a line is sent; it stays away after the send
  // until the user acts again.
  class SendHold {
   public:
    explicit SendHold(FaderPeek& peek);
    ~SendHold();
    SendHold(const SendHold&) = delete;
    SendHold& operator=(const SendHold&) = delete;

   private:
    FaderPeek& peek_;
  };

  explicit FaderPeek(Source source);

  // Creates the popup and starts watching the pointer over the window's
  // chat text box. False when that could not be done: the window works on
  // without a peek.
  bool Attach(HWND window, HWND text);
  // The window hands the peek each of its messages once it has handled it.
  void Observe(UINT message, WPARAM wParam, LPARAM lParam);
  // The pointer resting over control shows the peek as well.
  bool WatchHover(HWND control);
  // Something the line depends on changed without a command or a scroll
  // message (a context menu's choice): a peek that shows follows it.
  void Follow();

  HWND popup() const { return popup_.hwnd(); }
  const GdiSurface* surface() const { return popup_.surface(); }
  bool Shown() const { return peek_.Shown(); }
  // The line shown, as composed; empty while hidden.
  const std::u16string& Line() const { return peek_.Line(); }

 private:
  bool Show(const std::u16string& line) override;
  void Hide() override;
  PeekFacts Facts() const;
  // Changes the triggers, then shows or hides the peek, as a handler of the
  // window; hides it once the window is closing.
  void Handle(const std::function<void(PeekTriggers&)>& change);

  Source source_;
  Peek peek_;
  PeekWindow popup_;
  HWND window_ = nullptr, text_ = nullptr;
  std::vector<std::unique_ptr<HoverWatch>> hovers_;
};

}  // namespace quillon
