// A top-level window of ours: owns its HWND, keeps `this` in the window's
// user data, and hands every message to HandleMessage.
#pragma once

#include <windows.h>

namespace quillon {

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }

 protected:
  struct CreateArgs {
    const wchar_t* className = nullptr;
    const wchar_t* caption = L"";
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    DWORD exStyle = 0;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
  };
  // Registers the class (once per process) and creates the window, hidden.
  bool Create(const CreateArgs& args);
  // Destroys the window and its children, without calling back into this
  // object. A derived window calls it from its destructor, so that the
  // window is gone before the members its handlers and children use.
  void Destroy();

  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  HWND hwnd_ = nullptr;
};

// The outer size of a window whose client area is width x height pixels,
// for the window's own styles and its frame at dpi.
SIZE OuterSizeFor(HWND window, int width, int height, int dpi);

// Sets the outer size of a window so that its client area is width x height
// pixels at dpi.
void SetClientSize(HWND window, int width, int height, int dpi);

// Puts the window in the topmost group, above every window outside it, and
// activates it. No window (nullptr): nothing happens.
void KeepOnTop(HWND window);

}  // namespace quillon
