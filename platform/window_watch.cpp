#include "platform/window_watch.h"

#include <commctrl.h>

#include <utility>

namespace quillon {

bool MessageWatch::Watch(HWND window, Observer observer) {
  Stop();
  observer_ = std::move(observer);
  if (!SetWindowSubclass(window, Procedure, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this)))
    return false;
  window_ = window;
  return true;
}

void MessageWatch::Stop() {
  if (window_) RemoveWindowSubclass(std::exchange(window_, nullptr), Procedure, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK MessageWatch::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) noexcept {
  auto& watch = *reinterpret_cast<MessageWatch*>(self);
  if (message == WM_NCDESTROY) {
    watch.Stop();
    return DefSubclassProc(window, message, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  try {
    if (watch.observer_) watch.observer_(message, wParam, lParam);
  } catch (...) {
    // A C++ exception must not unwind through Windows' own frames.
  }
  return result;
}

bool HoverWatch::Watch(HWND window, std::function<void()> rests, std::function<void()> leaves) {
  rests_ = std::move(rests);
  leaves_ = std::move(leaves);
  return messages_.Watch(window, [this, window](UINT message, WPARAM, LPARAM) { Observe(window, message); });
}

void HoverWatch::Observe(HWND window, UINT message) {
  switch (message) {
    case WM_MOUSEMOVE:
      // Asked again after each hover, so that the pointer resting anew after
      // a move reports again.
      if (!tracking_) {
        TRACKMOUSEEVENT track{sizeof track, TME_HOVER | TME_LEAVE, window, HOVER_DEFAULT};
        tracking_ = TrackMouseEvent(&track) != FALSE;
      }
      break;
    case WM_MOUSEHOVER:
      tracking_ = false;
      if (rests_) rests_();
      break;
    case WM_MOUSELEAVE:
      tracking_ = false;
      if (leaves_) leaves_();
      break;
    default:
      break;
  }
}

}  // namespace quillon
