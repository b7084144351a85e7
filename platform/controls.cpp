#include "platform/controls.h"

#include <algorithm>
#include <utility>

#include "platform/gdi.h"
#include "platform/screen.h"

namespace quillon {
namespace {

constexpr wchar_t kPictureClass[] = L"QuillonPictureBox";
constexpr wchar_t kFrameClass[] = L"QuillonFrame";

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

bool RegisterOnce(const wchar_t* name, WNDPROC procedure, HCURSOR cursor) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, name, &wc)) return true;
  wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = instance;
  wc.hCursor = cursor;
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

std::u16string WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

// F10 with Shift held, which asks for a context menu.
bool IsShiftF10(WPARAM key) { return key == VK_F10 && GetKeyState(VK_SHIFT) < 0; }

bool IsHighSurrogate(WPARAM unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(WPARAM unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

struct EditState {
  std::u16string text;
  std::size_t selStart = 0, selEnd = 0;  // with nothing selected, both are the caret
  std::size_t limit = 0;
};

EditState ReadEdit(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EditState state;
  state.text = WindowText(edit);
  state.selStart = std::min<std::size_t>(start, state.text.size());
  state.selEnd = std::min<std::size_t>(end, state.text.size());
  state.limit = static_cast<std::size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
  return state;
}

// The edit control counts UTF-16 units against its limit, so at the limit it
// can take the first half of a pair and refuse the second. In front of the
// control's own procedure this keeps whole characters: a typed pair that
// does not fit is refused whole (the second half then finds no first half
// before the caret and is refused too), and when a paste was cut at the
// limit between the halves of a pair, the first half goes as well.
LRESULT CALLBACK WholeCharactersProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  const auto control = reinterpret_cast<WNDPROC>(GetClassLongPtrW(edit, GCLP_WNDPROC));
  if (message == WM_KEYDOWN) {
    // The box's own keys (the recall of sent lines) come first.
    auto* box = static_cast<TextBox*>(Control::FromHandle(edit));
    try {
      if (box && box->HookTakes(static_cast<UINT>(wParam))) return 0;
    } catch (...) {
      return 0;  // a C++ exception must not unwind through Windows' own frames
    }
  }
  if (message == WM_CHAR && (IsHighSurrogate(wParam) || IsLowSurrogate(wParam))) {
    const EditState state = ReadEdit(edit);
    const std::size_t kept = state.text.size() - (state.selEnd - state.selStart);
    if (IsHighSurrogate(wParam) && kept + 2 > state.limit) return 0;
    if (IsLowSurrogate(wParam) &&
        (state.selStart != state.selEnd || state.selEnd == 0 || !IsHighSurrogate(state.text[state.selEnd - 1])))
      return 0;
  }
  const LRESULT result = CallWindowProcW(control, edit, message, wParam, lParam);
  if (message == WM_PASTE) {
    const EditState state = ReadEdit(edit);
    const std::size_t caret = state.selEnd;
    if (state.text.size() >= state.limit && caret > 0 && IsHighSurrogate(state.text[caret - 1]) &&
        !(caret < state.text.size() && IsLowSurrogate(state.text[caret]))) {
      SendMessageW(edit, EM_SETSEL, caret - 1, caret);
      SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
  }
  return result;
}

}  // namespace

Control::~Control() {
  if (hwnd_ && IsWindow(hwnd_) && FromHandle(hwnd_) == this) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

void Control::Place(const PixelRect& r) {
  SetWindowPos(hwnd_, nullptr, r.left, r.top, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::u16string Control::Text() const { return WindowText(hwnd_); }

void Control::SetText(const std::u16string& text) { SetWindowTextW(hwnd_, Wide(text)); }

Control* Control::FromHandle(HWND hwnd) {
  return hwnd ? reinterpret_cast<Control*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)) : nullptr;
}

bool Control::CreateChild(const CreateArgs& args) {
  // Custom classes pick `this` up at WM_NCCREATE; stock controls get it here.
  // Every control leaves out what its siblings above it cover, so that
  // where controls overlap the one above is drawn whatever paints last.
  hwnd_ = CreateWindowExW(args.exStyle, args.className, args.text,
                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | args.style, args.rect.left, args.rect.top,
                          args.rect.width, args.rect.height, args.parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr),
                          this);
  if (!hwnd_) return false;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return true;
}

namespace {

Control* ChildControl(HWND parent, LPARAM lParam) {
  HWND child = reinterpret_cast<HWND>(lParam);
  if (!child || !parent || GetParent(child) != parent) return nullptr;
  return Control::FromHandle(child);
}

}  // namespace

bool RouteCommand(HWND parent, WPARAM wParam, LPARAM lParam) {
  Control* control = ChildControl(parent, lParam);
  if (!control) return false;
  control->OnCommand(HIWORD(wParam));
  return true;
}

bool RouteScroll(HWND parent, WPARAM wParam, LPARAM lParam) {
  Control* control = ChildControl(parent, lParam);
  if (!control) return false;
  control->OnScroll(LOWORD(wParam), HIWORD(wParam));
  return true;
}

bool TextBox::Create(HWND parent, PixelRect rect, int id, int maxLength, bool readOnly) {
  if (!CreateChild({parent, L"EDIT", L"", static_cast<DWORD>(WS_TABSTOP | ES_AUTOHSCROLL | (readOnly ? ES_READONLY : 0)),
                    WS_EX_CLIENTEDGE, rect, id}))
    return false;
  if (maxLength > 0) SendMessageW(hwnd_, EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
  // Every box, so that its key hook works whatever its limit; set before
  // anything else can watch the box's messages, whose watch (a subclass)
  // would otherwise be cut off.
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WholeCharactersProcedure));
  return true;
}

void TextBox::SetOnKey(std::function<bool(UINT key)> hook) { onKey_ = std::move(hook); }

void TextBox::PlaceCaretAtEnd() {
  const LRESULT end = GetWindowTextLengthW(hwnd_);
  SendMessageW(hwnd_, EM_SETSEL, static_cast<WPARAM>(end), end);
}

bool CheckBox::Create(HWND parent, const wchar_t* caption, PixelRect rect, int id) {
  return CreateChild({parent, L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, 0, rect, id});
}

int CheckBox::Value() const { return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; }

void CheckBox::SetValue(int value) {
  SendMessageW(hwnd_, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Button::Create(HWND parent, const wchar_t* caption, PixelRect rect, int id, bool isDefault) {
  return CreateChild(
      {parent, L"BUTTON", caption, static_cast<DWORD>(WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)), 0,
       rect, id});
}

void Button::OnCommand(int notification) {
  if (notification == BN_CLICKED && onClick) onClick();
}

bool Label::Create(HWND parent, const wchar_t* caption, PixelRect rect, int id) {
  return CreateChild({parent, L"STATIC", caption, SS_NOTIFY | SS_LEFT, 0, rect, id});
}

void Label::OnCommand(int notification) {
  if (notification == STN_CLICKED && onClick) onClick();
}

namespace {

// The height given is the closed box's; the list drops below it.
PixelRect WithList(PixelRect closed) {
  closed.height *= 10;
  return closed;
}

}  // namespace

bool ComboBox::Create(HWND parent, PixelRect rect, int id) {
  return CreateChild(
      {parent, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, WithList(rect), id});
}

void ComboBox::Place(const PixelRect& rect) { Control::Place(WithList(rect)); }

void ComboBox::Clear() { SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0); }

void ComboBox::Add(const std::u16string& item) {
  SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
}

int ComboBox::Count() const { return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }

bool ComboBox::SelectByName(const std::u16string& name) {
  if (name.empty()) return false;
  // CB_FINDSTRINGEXACT compares whole entries without regard to case.
  const LRESULT index = SendMessageW(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(Wide(name)));
  if (index == CB_ERR) return false;
  SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return true;
}

bool ComboBox::SelectIndex(int index) {
  return SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != CB_ERR;
}

std::u16string ComboBox::Text() const {
  const LRESULT index = SendMessageW(hwnd_, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

bool ScrollBar::Create(HWND parent, PixelRect rect, int id, int min, int max, int value, int smallChange,
                       int largeChange) {
  if (!CreateChild({parent, L"SCROLLBAR", L"", WS_TABSTOP | SBS_HORZ, 0, rect, id})) return false;
  min_ = min;
  max_ = max;
  value_ = value;
  small_ = smallChange;
  large_ = largeChange;
  SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, min_, max_, 0, value_, 0};
  SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
  return true;
}

void ScrollBar::Place(const PixelRect& rect) {
  Control::Place(rect);
  PlaceFocusMark();
}

void ScrollBar::SetValue(int value) {
  value = std::clamp(value, min_, max_);
  if (value == value_) return;
  value_ = value;
  MoveThumb();
  if (onChange) onChange();
}

void ScrollBar::MoveThumb() {
  // The mark is taken away before the thumb moves: redrawn over a mark that
  // is blinked on, the bar would leave the mark's removal to invert what is
  // now plain bar, and a stale mark would stay behind.
  const bool focused = GetFocus() == hwnd_;
  if (focused) SendMessageW(hwnd_, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd_), 0);
  SetScrollPos(hwnd_, SB_CTL, value_, TRUE);
  if (focused) SendMessageW(hwnd_, WM_SETFOCUS, reinterpret_cast<WPARAM>(hwnd_), 0);
}

void ScrollBar::PlaceFocusMark() {
  // The bar makes its mark anew when it gains the focus; telling it that it
  // lost and gained it again moves the mark without moving the focus.
  if (GetFocus() != hwnd_) return;
  SendMessageW(hwnd_, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd_), 0);
  SendMessageW(hwnd_, WM_SETFOCUS, reinterpret_cast<WPARAM>(hwnd_), 0);
}

void ScrollBar::OnScroll(int request, int position) {
  switch (request) {
    case SB_LINELEFT: SetValue(value_ - small_); break;
    case SB_LINERIGHT: SetValue(value_ + small_); break;
    case SB_PAGELEFT: SetValue(value_ - large_); break;
    case SB_PAGERIGHT: SetValue(value_ + large_); break;
    case SB_LEFT: SetValue(min_); break;
    case SB_RIGHT: SetValue(max_); break;
    case SB_THUMBPOSITION:
      // The thumb was released where it stands. While it is dragged
      // (SB_THUMBTRACK) nothing changes.
      SetValue(position);
      MoveThumb();
      break;
    default: break;
  }
}

bool PictureBox::Create(HWND parent, PixelRect rect, int id, OleColor backColour) {
  back_ = backColour;
  if (!RegisterOnce(kPictureClass, Procedure, LoadCursorW(nullptr, IDC_ARROW))) return false;
  return CreateChild({parent, kPictureClass, L"", WS_TABSTOP, 0, rect, id});
}

void PictureBox::OnCommand(int notification) {
  if (notification == STN_CLICKED && Enabled() && onClick) onClick();
}

void PictureBox::SetBackColor(OleColor colour) {
  back_ = colour;
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void PictureBox::PaintContent(HDC dc, const RECT& client) const {
  // Only the low three bytes are a colour; a top byte is kept in the value
  // but not painted.
  const Brush brush(CreateSolidBrush(static_cast<COLORREF>(back_) & 0xFFFFFF));
  FillRect(dc, &client, brush.get());
  if (onPaint) onPaint(dc, client);
  const bool focusShown = !(SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
  if (GetFocus() == hwnd_ && focusShown) {
    RECT inside = client;
    const int edge = MulDiv(2, WindowDpi(hwnd_), 96);
    InflateRect(&inside, -edge, -edge);
    DrawFocusRect(dc, &inside);
  }
}

void PictureBox::OpenContextMenuFromKeyboard(HWND hwnd) {
  // As Windows reports a context menu asked for by the keyboard: no point.
  SendMessageW(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), static_cast<LPARAM>(-1));
}

void PictureBox::ReportClick() const {
  // A disabled box takes no clicks, not even ones posted to it.
  if (!IsWindowEnabled(hwnd_)) return;
  SendMessageW(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), STN_CLICKED),
               reinterpret_cast<LPARAM>(hwnd_));
}

LRESULT CALLBACK PictureBox::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = static_cast<PictureBox*>(Control::FromHandle(hwnd));
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return self->HandleMessage(hwnd, message, wParam, lParam);
  } catch (...) {
    // A C++ exception must not unwind through Windows' own frames.
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

LRESULT PictureBox::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  bool taken = false;
  switch (message) {
    case WM_ERASEBKGND: return 1;  // painted whole in WM_PAINT, without flicker
    case WM_PAINT: return OnPaint(hwnd);
    case WM_PRINTCLIENT: return OnPrintClient(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SETFOCUS: return OnFocusChanged(hwnd, true);
    case WM_KILLFOCUS: return OnFocusChanged(hwnd, false);
    case WM_UPDATEUISTATE: return OnUpdateUiState(hwnd, wParam, lParam);
    case WM_LBUTTONDOWN: return OnButtonDown(hwnd);
    case WM_LBUTTONUP: return OnButtonUp(hwnd, lParam);
    case WM_CAPTURECHANGED: return OnCaptureChanged();
    case WM_KEYDOWN: taken = OnKeyDown(hwnd, wParam); break;
    case WM_KEYUP: taken = OnKeyUp(wParam); break;
    case WM_SYSKEYDOWN: taken = OnSysKeyDown(hwnd, wParam); break;
    case WM_SYSKEYUP: taken = OnSysKeyUp(wParam); break;
    default: break;
  }
  return taken ? 0 : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT PictureBox::OnPaint(HWND hwnd) const {
  PaintWindow(hwnd, [this](HDC dc, const RECT& client) { PaintContent(dc, client); });
  return 0;
}

LRESULT PictureBox::OnPrintClient(HWND hwnd, HDC dc) const {
  RECT client;
  GetClientRect(hwnd, &client);
  PaintContent(dc, client);
  return 0;
}

LRESULT PictureBox::OnFocusChanged(HWND hwnd, bool gained) {
  if (!gained) spacePressed_ = false;
  InvalidateRect(hwnd, nullptr, FALSE);
  return 0;
}

LRESULT PictureBox::OnUpdateUiState(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  // Whether focus shows may have changed.
  const LRESULT result = DefWindowProcW(hwnd, WM_UPDATEUISTATE, wParam, lParam);
  InvalidateRect(hwnd, nullptr, FALSE);
  return result;
}

LRESULT PictureBox::OnButtonDown(HWND hwnd) {
  if (!IsWindowEnabled(hwnd)) return 0;
  SetFocus(hwnd);
  SetCapture(hwnd);
  pressed_ = true;
  return 0;
}

LRESULT PictureBox::OnButtonUp(HWND hwnd, LPARAM lParam) {
  if (!pressed_) return 0;
  pressed_ = false;
  ReleaseCapture();
  RECT client;
  GetClientRect(hwnd, &client);
  const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
  if (PtInRect(&client, at)) ReportClick();
  return 0;
}

LRESULT PictureBox::OnCaptureChanged() {
  pressed_ = false;
  return 0;
}

bool PictureBox::OnKeyDown(HWND hwnd, WPARAM key) {
  if (key == VK_APPS) {
    OpenContextMenuFromKeyboard(hwnd);
    return true;
  }
  // As a push button: the click comes when Space goes up, once however
  // long the key is held.
  if (key != VK_SPACE) return false;
  if (IsWindowEnabled(hwnd)) spacePressed_ = true;
  return true;
}

bool PictureBox::OnKeyUp(WPARAM key) {
  if (key == VK_APPS) return true;  // opened as the key went down
  if (key != VK_SPACE) return false;
  if (std::exchange(spacePressed_, false)) ReportClick();
  return true;
}

bool PictureBox::OnSysKeyDown(HWND hwnd, WPARAM key) {
  if (!IsShiftF10(key)) return false;
  OpenContextMenuFromKeyboard(hwnd);
  return true;
}

bool PictureBox::OnSysKeyUp(WPARAM key) {
  // The menu opened as the key went down: the default handling of its
  // release would open it again, or enter the menu bar.
  return IsShiftF10(key);
}

bool Frame::Create(HWND parent, PixelRect rect) {
  if (!RegisterOnce(kFrameClass, Procedure, LoadCursorW(nullptr, IDC_ARROW))) return false;
  return CreateChild({parent, kFrameClass, L"", 0, 0, rect, 0});
}

void Frame::SendToBack() {
  SetWindowPos(hwnd_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

LRESULT CALLBACK Frame::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
      return 1;
    }
    case WM_PAINT:
      PaintWindow(hwnd, [](HDC dc, RECT client) { DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT); });
      return 0;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks go to what lies under or over it
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace quillon
