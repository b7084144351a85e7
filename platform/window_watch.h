// Watching the messages of a window whose procedure is someone else's: a
// subclass in the common controls' chain, which sees each message after the
// window's own procedure has handled it and leaves the chain when the
// window goes.
#pragma once

#include <windows.h>

#include <functional>

namespace quillon {

class MessageWatch {
 public:
  using Observer = std::function<void(UINT message, WPARAM wParam, LPARAM lParam)>;
  MessageWatch() = default;
  MessageWatch(const MessageWatch&) = delete;
  MessageWatch& operator=(const MessageWatch&) = delete;
  ~MessageWatch() { Stop(); }

  // Hands every message of window to observer once the window has handled
  // it. False when the subclass could not be set.
  bool Watch(HWND window, Observer observer);
  void Stop();

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self) noexcept;
  HWND window_ = nullptr;
  Observer observer_;
};

// Reports when the pointer comes to rest over a window, after the system's
// hover time (TrackMouseEvent with HOVER_DEFAULT), and when it leaves it.
class HoverWatch {
 public:
  bool Watch(HWND window, std::function<void()> rests, std::function<void()> leaves);

 private:
  void Observe(HWND window, UINT message);

  MessageWatch messages_;
  std::function<void()> rests_, leaves_;
  bool tracking_ = false;  // a hover is asked for and has not come yet
};

}  // namespace quillon
