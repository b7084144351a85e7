#include "ui/common/fader_peek.h"

#include <algorithm>
#include <optional>

#include "platform/ansi.h"

namespace quillon {
namespace {

// At 96 DPI: the space between the frame and the characters, frame
// included, and between the peek and the window.
constexpr int kPadding = 4, kGap = 2;

PeekRect ToPeekRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// The line as the chat room receives it: in the ANSI code page, where
// characters it lacks arrive as "?".
std::u16string AsReceived(const std::u16string& line) {
  const std::optional<std::string> ansi = ToAnsi(line);
  return ansi ? FromAnsi(*ansi) : line;
}

}  // namespace

FaderPeek::FaderPeek(Source source)
    : source_(std::move(source)), peek_(*this, source_.line, [this] { return Facts(); }) {}

bool FaderPeek::Attach(HWND window, HWND text) {
  if (!popup_.Create()) return false;
  window_ = window;
  text_ = text;
  return WatchHover(text);
}

bool FaderPeek::WatchHover(HWND control) {
  auto hover = std::make_unique<HoverWatch>();
  const bool watched =
      hover->Watch(control, [this] { Handle([](PeekTriggers& t) { t.PointerRests(); }); },
                   [this] { Handle([this](PeekTriggers& t) { t.PointerLeaves(GetFocus() == text_); }); });
  if (watched) hovers_.push_back(std::move(hover));
  return watched;
}

FaderPeek::SendHold::SendHold(FaderPeek& peek) : peek_(peek) {
  peek_.Handle([](PeekTriggers& t) { t.Hold(); });
}

FaderPeek::SendHold::~SendHold() {
  peek_.Handle([](PeekTriggers& t) { t.Release(); });
}

void FaderPeek::Handle(const std::function<void(PeekTriggers&)>& change) {
  if (!window_) return;
  const bool ran = source_.run([&] {
    change(peek_.triggers());
    peek_.Update();
  });
  if (!ran) peek_.Hide();
}

PeekFacts FaderPeek::Facts() const {
  PeekFacts facts;
  facts.windowActive = IsWindowVisible(window_) && GetActiveWindow() == window_;
  facts.hasText = GetWindowTextLengthW(text_) > 0;
  return facts;
}

void FaderPeek::Follow() {
  Handle([](PeekTriggers&) {});
}

void FaderPeek::Observe(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto dismiss = [](PeekTriggers& t) { t.Dismiss(); };
  switch (message) {
    case WM_COMMAND: {
      const auto from = reinterpret_cast<HWND>(lParam);
      const int code = HIWORD(wParam);
      if (LOWORD(wParam) == IDCANCEL && !from) {
        Handle(dismiss);  // Esc, which dialog navigation turns into IDCANCEL
      } else if (from == text_ && (code == EN_SETFOCUS || (code == EN_CHANGE && GetFocus() == text_))) {
        Handle([](PeekTriggers& t) { t.UserActs(); });
      } else {
        // Anything a command changed: the text, a style, a colour, the
        // font, the focus.
        Handle([](PeekTriggers&) {});
      }
      break;
    }
    case WM_HSCROLL:
      Handle([](PeekTriggers&) {});  // the colour count
      break;
    case WM_ACTIVATE: {
      // A dialog or menu of this program (the colour dialog) hides the peek
      // only while it is open; another program's window dismisses it.
      const auto other = reinterpret_cast<HWND>(lParam);
      const bool ours = other && GetWindowThreadProcessId(other, nullptr) == GetCurrentThreadId();
      if (LOWORD(wParam) == WA_INACTIVE && !ours) Handle(dismiss);
      else Handle([](PeekTriggers&) {});
      break;
    }
    case WM_WINDOWPOSCHANGED: {
      const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
      const bool movedOrSized = (pos.flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE);
      if (movedOrSized || (pos.flags & SWP_HIDEWINDOW)) Handle(dismiss);
      break;
    }
    case WM_CLOSE:
      Handle(dismiss);  // once closing has begun, this only hides it
      break;
    case WM_DESTROY:
      peek_.Hide();
      window_ = nullptr;
      break;
    default:
      break;
  }
}

bool FaderPeek::Show(const std::u16string& line) {
  RECT window, text;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetWindowRect(window_, &window) || !GetWindowRect(text_, &text) ||
      !GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor))
    return false;
  const PeekRect work = ToPeekRect(monitor.rcWork);

  const int dpi = source_.dpi();
  const std::u16string received = AsReceived(line);
  GdiSurface* surface = popup_.MeasuringSurface(dpi);
  if (!surface) return false;
  const PeekLayout layout =
      MeasurePeek(*surface, [surface] { return surface->TextHeight(); }, received, MulDiv(kPadding, dpi, 96));
  // The popup never leaves the work area, so the picture holds no more of
  // the line than the work area shows: a line set far beyond the box's
  // limit costs no more memory than the screen.
  surface = popup_.SurfaceFor(std::min(layout.width, work.Width()), std::min(layout.height, work.Height()), dpi);
  if (!surface) return false;
  DrawPeek(*surface, received, layout);

  const auto placed =
      PlacePeek(ToPeekRect(window), layout.width, layout.height, work, text.left, MulDiv(kGap, dpi, 96));
  return placed && popup_.ShowAt(RECT{placed->left, placed->top, placed->right, placed->bottom});
}

void FaderPeek::Hide() { popup_.Hide(); }

}  // namespace quillon
