// Thin wrappers over the controls the windows use. Each control is a child
// window of one of our windows, which owns it: Windows destroys the children
// with their parent. The wrapper keeps `this` in the child's user data so
// that the parent routes WM_COMMAND and WM_HSCROLL to it (RouteCommand,
// RouteScroll).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/twips.h"

namespace quillon {

using OleColor = std::int32_t;

class Control {
 public:
  Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  // Leaves the child window to its parent but stops it reaching this object.
  virtual ~Control();

  HWND hwnd() const { return hwnd_; }
  void SetFont(HFONT font) { SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
  // Moves the control to rect in its parent's client area.
  virtual void Place(const PixelRect& rect);
  void Enable(bool on) { EnableWindow(hwnd_, on); }
  bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
  std::u16string Text() const;
  void SetText(const std::u16string& text);

  virtual void OnCommand(int /*notification*/) {}
  virtual void OnScroll(int /*request*/, int /*position*/) {}

  static Control* FromHandle(HWND hwnd);

 protected:
  struct CreateArgs {
    HWND parent = nullptr;
    const wchar_t* className = nullptr;
    const wchar_t* text = L"";
    DWORD style = 0;
    DWORD exStyle = 0;
    PixelRect rect{};
    int id = 0;
  };
  bool CreateChild(const CreateArgs& args);
  HWND hwnd_ = nullptr;
};

// Hands parent's WM_COMMAND / WM_HSCROLL to the control that sent it. Only
// parent's own child controls are routed to: a message that names any other
// window, sent by another program for instance, is not. True when a control
// of ours took it.
bool RouteCommand(HWND parent, WPARAM wParam, LPARAM lParam);
bool RouteScroll(HWND parent, WPARAM wParam, LPARAM lParam);

// A single-line text box. With a maxLength it takes at most that many
// UTF-16 units by typing or pasting, and only whole characters: a limit
// never leaves the first half of a surrogate pair behind.
class TextBox : public Control {
 public:
  bool Create(HWND parent, PixelRect rect, int id, int maxLength = 0, bool readOnly = false);
  void PlaceCaretAtEnd();
  // hook sees each key that goes down in the box before the box does; true
  // when it took the key, which the box then ignores.
  void SetOnKey(std::function<bool(UINT key)> hook);
  // Whether the hook took the key.
  bool HookTakes(UINT key) const { return onKey_ && onKey_(key); }

 private:
  std::function<bool(UINT key)> onKey_;
};

class CheckBox : public Control {
 public:
  bool Create(HWND parent, const wchar_t* caption, PixelRect rect, int id);
  int Value() const;  // 0 off, 1 on
  void SetValue(int value);
};

class Button : public Control {
 public:
  bool Create(HWND parent, const wchar_t* caption, PixelRect rect, int id, bool isDefault = false);
  std::function<void()> onClick;
  void OnCommand(int notification) override;
};

// A label that reports clicks.
class Label : public Control {
 public:
  bool Create(HWND parent, const wchar_t* caption, PixelRect rect, int id);
  std::function<void()> onClick;
  void OnCommand(int notification) override;
};

// A drop-down list: the user picks an entry and cannot type.
class ComboBox : public Control {
 public:
  bool Create(HWND parent, PixelRect rect, int id);
  void Place(const PixelRect& rect) override;
  void Clear();
  void Add(const std::u16string& item);
  int Count() const;
  // Selects the entry that equals name without regard to case (whole name,
  // not a prefix). False, and the selection unchanged, when there is none.
  bool SelectByName(const std::u16string& name);
  // Selects the entry at index; false when there is none.
  bool SelectIndex(int index);
  std::u16string Text() const;  // the selected entry, or empty
};

// A horizontal scroll bar with a value. Change runs on arrow and trough
// clicks and when the thumb is released, never while it is dragged, and when
// code sets a value that differs from the current one.
class ScrollBar : public Control {
 public:
  bool Create(HWND parent, PixelRect rect, int id, int min, int max, int value, int smallChange,
              int largeChange);
  void Place(const PixelRect& rect) override;
  int Value() const { return value_; }
  void SetValue(int value);
  std::function<void()> onChange;
  void OnScroll(int request, int position) override;

 private:
  // Puts the thumb at the value, and the focus mark with it.
  void MoveThumb();
  // A scroll bar that has the focus blinks its thumb with a caret, which it
  // places only when it gains the focus; after the thumb moved or the bar was
  // laid out again, this puts the mark over the thumb where it now is.
  void PlaceFocusMark();
  int min_ = 0, max_ = 0, value_ = 0, small_ = 1, large_ = 1;
};

// A box filled with its background colour that reports clicks to its parent
// as WM_COMMAND (STN_CLICKED), like a notifying static; optionally something
// else paints over the background (the preview strip). With the focus it
// shows a focus rectangle, unless the window hides focus until the keyboard
// is used, and Space clicks it as the mouse does. A disabled box takes
// neither clicks nor the focus. The menu key and Shift+F10 ask for its
// context menu as the right button does (WM_CONTEXTMENU, which reaches the
// parent unless something answers it).
class PictureBox : public Control {
 public:
  bool Create(HWND parent, PixelRect rect, int id, OleColor backColour);
  OleColor BackColor() const { return back_; }
  void SetBackColor(OleColor colour);
  std::function<void()> onClick;
  void OnCommand(int notification) override;
  std::function<void(HDC, const RECT&)> onPaint;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  // The messages are handled with the hwnd they come with: the box's own
  // handle is not known until its creation returns.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnPaint(HWND hwnd) const;
  LRESULT OnPrintClient(HWND hwnd, HDC dc) const;
  LRESULT OnFocusChanged(HWND hwnd, bool gained);
  LRESULT OnUpdateUiState(HWND hwnd, WPARAM wParam, LPARAM lParam);
  LRESULT OnButtonDown(HWND hwnd);
  LRESULT OnButtonUp(HWND hwnd, LPARAM lParam);
  LRESULT OnCaptureChanged();
  // True when the box took the key; the others get the default handling.
  bool OnKeyDown(HWND hwnd, WPARAM key);
  bool OnKeyUp(WPARAM key);
  bool OnSysKeyDown(HWND hwnd, WPARAM key);
  bool OnSysKeyUp(WPARAM key);
  // Everything the box shows, into any DC: WM_PAINT and WM_PRINTCLIENT.
  void PaintContent(HDC dc, const RECT& client) const;
  static void OpenContextMenuFromKeyboard(HWND hwnd);
  // Tells the parent of a click, as a notifying static does, while enabled.
  void ReportClick() const;
  OleColor back_ = 0;
  bool pressed_ = false;       // the mouse button went down over the box
  bool spacePressed_ = false;  // Space went down while the box had the focus
};

// A frame without caption: an etched border that the window's own controls
// lie over. It never takes the focus or a click. Painted, it fills its area
// except what its siblings above it cover, so it must lie below all the
// controls on it: they are drawn above it, and it never paints over them.
class Frame : public Control {
 public:
  bool Create(HWND parent, PixelRect rect);
  // Puts the frame below all its siblings. A control made later goes below
  // it again.
  void SendToBack();

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
};

}  // namespace quillon
