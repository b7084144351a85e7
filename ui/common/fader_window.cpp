#include "ui/common/fader_window.h"

#include <algorithm>

#include "platform/ansi.h"
#include "platform/event_pump.h"
#include "platform/popup_menu.h"
#include "ui/common/accessible_text.h"
#include "ui/common/texts.h"

namespace quillon {
namespace {

FontSpec Spec(const wchar_t* face, double points) {
  FontSpec wanted;
  wanted.face = face;
  wanted.points = points;
  return wanted;
}

bool IsPushButton(HWND window) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (lstrcmpiW(name, L"BUTTON") != 0) return false;
  const auto kind = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

// The colours' context menu: one command per palette, then its own two.
enum ColourMenuCommand : int { kMenuReverse = 1, kMenuReadable, kMenuFirstPalette };

// A palette's picture beside its name in the menu, at 96 DPI.
constexpr int kRampWidth = 48, kRampHeight = 12;

}  // namespace

LayoutFonts::LayoutFonts(int dpi) {
  FontSpec wanted = Spec(L"MS Sans Serif", 8.25);
  plain_ = MakeFont(wanted, dpi);
  wanted.bold = true;
  bold_ = MakeFont(wanted, dpi);
  wanted.bold = false;
  wanted.italic = true;
  italic_ = MakeFont(wanted, dpi);
  wanted.italic = false;
  wanted.underline = true;
  underline_ = MakeFont(wanted, dpi);
  buttons_ = MakeFont(Spec(L"Times New Roman", 8.25), dpi);
  FontSpec webdings = Spec(L"Webdings", 9);
  webdings.charset = SYMBOL_CHARSET;
  symbols_ = MakeFont(webdings, dpi);
}

HFONT LayoutFonts::For(FontRole role) const {
  switch (role) {
    case FontRole::Plain: return plain_.get();
    case FontRole::Bold: return bold_.get();
    case FontRole::Italic: return italic_.get();
    case FontRole::Underline: return underline_.get();
    case FontRole::Buttons: return buttons_.get();
    case FontRole::Symbols: return symbols_.get();
    case FontRole::None: break;
  }
  return nullptr;
}

bool FaderWindow::CreateMainWindow(const WindowDesign& design) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  CreateArgs args;
  args.className = design.className;
  args.caption = L"quillon fader";
  args.exStyle = design.exStyle;
  args.bigIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(design.iconId), IMAGE_ICON,
                                               design.iconSize, design.iconSize,
                                               design.iconSize ? 0 : LR_DEFAULTSIZE | LR_SHARED));
  args.smallIcon = args.bigIcon;
  if (!Create(args)) {
    creationError_ = "the window could not be created (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  design_ = design;
  // Laid out for the monitor the window opens on.
  if (const int dpi = WindowDpi(hwnd()); dpi != dpi_) {
    dpi_ = dpi;
    fonts_ = LayoutFonts(dpi_);
  }
  SetClientSize(hwnd(), TwipsToPixels(design.clientWidth, dpi_), TwipsToPixels(design.clientHeight, dpi_), dpi_);
  return true;
}

void FaderWindow::AddToWindow(Control& control, const ControlPlan& plan, FontRole font, int tabIndex) {
  if (HFONT f = fonts_.For(font)) control.SetFont(f);
  if (tabIndex != kNoTab) tabStops_.emplace_back(tabIndex, control.hwnd());
  placements_.push_back({&control, plan.rect, font});
}

void FaderWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0 || dpi == dpi_) return;
  dpi_ = dpi;
  LayoutFonts fonts(dpi_);
  SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  for (const Placement& placed : placements_) {
    placed.control->Place(ToPixels(placed.rect, dpi_));
    if (HFONT font = fonts.For(placed.font)) placed.control->SetFont(font);
  }
  fonts_ = std::move(fonts);  // the old fonts go once no control uses them
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetClientSize(hwnd(), TwipsToPixels(design_.clientWidth, dpi_), TwipsToPixels(design_.clientHeight, dpi_), dpi_);
  OnDpiApplied();
  SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void FaderWindow::FinishControls() {
  std::stable_sort(tabStops_.begin(), tabStops_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  tabOrder_.clear();
  for (const auto& stop : tabStops_) tabOrder_.push_back(stop.second);
  FillFixedTexts();
  EnableDialogNavigation(hwnd());
  peek_.Attach(hwnd(), Text1.hwnd());
  Text1.SetOnKey([this](UINT key) { return RecallKey(key); });
  // The bar's standard proxy names it after a label, not its window text.
  annotations_.SetName(sb.hwnd(), sb.Text());
  DescribeControls();
}

void FaderWindow::DescribeControls() {
  for (PictureBox* swatch : Swatches())
    annotations_.SetValue(swatch->hwnd(), SwatchValue(swatch->BackColor(), swatch->Enabled()));
  annotations_.SetValue(sb.hwnd(), BarValue(sb.Value()));
}

void FaderWindow::FillFixedTexts() {
  Text2.SetText(kFontTagOpen);
  Text3.SetText(kFontTagClose);
  asc.SetText(LoadedLine());
  asu.SetText(UnloadedLine());
  add1.SetText(AdvertLine1());
  add2.SetText(AdvertLine2());
}

ComposeInputs FaderWindow::Snapshot() const {
  ComposeInputs in;
  in.fontOpen = Text2.Text();
  in.fontName = cmbFonts.Text();
  in.fontClose = Text3.Text();
  in.bold = Check1.Value();
  in.italic = Check2.Value();
  in.underline = Check3.Value();
  in.wavy = Check4.Value();
  in.colourCount = sb.Value();
  for (int i = 0; i < 4; ++i) in.colours[static_cast<std::size_t>(i)] = Colour(i + 1);
  in.text = Text1.Text();
  return in;
}

FaderPeek::Source FaderWindow::PeekSource() {
  return {[this] { return ComposeLine(Snapshot()); }, [this] { return dpi_; },
          [this](const std::function<void()>& work) { return run_.Handle(*this, work); }};
}

bool FaderWindow::EnterMaySend() const {
  // An Enter that queued while this program was blocked on the client
  // carries a time before the send ended: it belongs to the send already made.
  // GetMessageTime gives the low 32 bits of the tick count, GetTickCount64
  // all of them.
  return run_.EnterMaySend(static_cast<std::uint32_t>(GetMessageTime()));
}

void FaderWindow::SetChatText(const std::u16string& text) {
  Text1.SetText(text);
  Text1.PlaceCaretAtEnd();
}

std::u16string FaderWindow::Line(FixedLine which) const {
  switch (which) {
    case FixedLine::Loaded: return asc.Text();
    case FixedLine::Unloaded: return asu.Text();
    case FixedLine::Advert1: return add1.Text();
    case FixedLine::Advert2: return add2.Text();
  }
  return {};
}

void FaderWindow::SetCaption(const std::u16string& caption) {
  SetWindowTextW(hwnd(), reinterpret_cast<const wchar_t*>(caption.c_str()));
}

void Win32EventLoop::Pump() { PumpPendingMessages(); }
std::int64_t Win32EventLoop::Ticks() { return static_cast<std::int64_t>(GetTickCount64()); }
void Win32EventLoop::Quit() { PostQuitMessage(0); }
void Win32EventLoop::ExitNow() { ExitProcess(0); }

int FaderWindow::Check(int box) const {
  const CheckBox* boxes[] = {&Check1, &Check2, &Check3, &Check4};
  return box >= 1 && box <= 4 ? boxes[box - 1]->Value() : 0;
}

void FaderWindow::SetCheck(int box, int value) {
  CheckBox* boxes[] = {&Check1, &Check2, &Check3, &Check4};
  if (box >= 1 && box <= 4) boxes[box - 1]->SetValue(value);
}

std::int32_t FaderWindow::Colour(int swatch) const {
  const PictureBox* swatches[] = {&pic1, &pic2, &pic3, &pic4};
  return swatch >= 1 && swatch <= 4 ? swatches[swatch - 1]->BackColor() : 0;
}

void FaderWindow::SetColour(int swatch, std::int32_t colour) {
  if (swatch >= 1 && swatch <= 4) Swatches()[static_cast<std::size_t>(swatch - 1)]->SetBackColor(colour);
}

bool FaderWindow::LoadFontAndFirstRun() {
  const std::optional<std::u16string> lastFont = run_.FirstRunOrLastFont();
  FillFontList();
  SelectStartFont(cmbFonts, lastFont.value_or(u""));
  return !lastFont;
}

void FaderWindow::LoadFontsOnly() {
  FillFontList();
  SelectStartFont(cmbFonts, u"");
}

void FaderWindow::FillFontList() {
  cmbFonts.Clear();
  for (std::u16string name : ScreenFonts()) {
    // A name the code page cannot spell would be posted, and saved, as
    // another name ("?" for each character it lacks).
    if (!FitsFontTag(name) || !SpellsInAnsi(name)) continue;
    CharLowerBuffW(reinterpret_cast<wchar_t*>(name.data()), static_cast<DWORD>(name.size()));
    cmbFonts.Add(name);
  }
}

void TellNotCreated(HWND owner, const wchar_t* what, const std::string& why) {
  const std::wstring text =
      std::wstring(L"The ") + what + L" could not be created: " + std::wstring(why.begin(), why.end()) + L".";
  MessageBoxW(owner, text.c_str(), L"quillon fader", MB_ICONERROR | MB_OK);
}

void SelectStartFont(ComboBox& fonts, const std::u16string& lastFont) {
  // The last font when it is installed, else "arial", else the first font:
  // some font is always selected, so a send always names one and closing
  // always records one.
  if (fonts.SelectByName(lastFont) || fonts.SelectByName(u"arial")) return;
  fonts.SelectIndex(0);
}

void FaderWindow::CentreOnScreen() {
  RECT outer;
  GetWindowRect(hwnd(), &outer);
  const RECT work = WorkArea(hwnd());
  const double workLeft = PixelsToTwips(work.left, dpi_), workTop = PixelsToTwips(work.top, dpi_);
  const double workWidth = PixelsToTwips(work.right - work.left, dpi_);
  const double workHeight = PixelsToTwips(work.bottom - work.top, dpi_);
  const double width = PixelsToTwips(outer.right - outer.left, dpi_);
  const double height = PixelsToTwips(outer.bottom - outer.top, dpi_);
  const int left = static_cast<int>((workLeft + (workWidth - width) / 2) * dpi_ / 1440.0);
  const int top = static_cast<int>((workTop + (workHeight - height) / 2) * dpi_ / 1440.0);
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool FaderWindow::PickColour(PictureBox& swatch) {
  // A click that reached a swatch under the open dialog does nothing.
  return pickingColour_.Once([&] {
    const bool customChanged = c1.ShowColor(hwnd());
    swatch.SetBackColor(c1.Color());
    if (customChanged) run_.SaveCustomColours(*this, c1.CustomColors());
  });
}

bool FaderWindow::RecallKey(UINT key) {
  if (key != VK_UP && key != VK_DOWN) return false;
  // With a modifier the key is the box's own (Shift+Up selects).
  if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0) return false;
  RunHandler([&] { run_.Recall(*this, key == VK_UP); });
  return true;
}

bool FaderWindow::OffersColourMenu(HWND control) const {
  return control == pic1.hwnd() || control == pic2.hwnd() || control == pic3.hwnd() || control == pic4.hwnd();
}

void FaderWindow::ShowColourMenu(HWND control, LPARAM where) {
  // The menu's own loop may let another request in, which does nothing.
  colourMenuOpen_.Once([&] { ColourMenu(control, where); });
}

void FaderWindow::ColourMenu(HWND control, LPARAM where) {
  POINT at{static_cast<short>(LOWORD(where)), static_cast<short>(HIWORD(where))};
  if (where == -1) {
    RECT r;
    GetWindowRect(control, &r);
    at = {r.left, r.bottom};
  }
  PopupMenu palettes;
  const auto all = Palettes();
  for (std::size_t i = 0; i < all.size(); ++i) {
    const std::wstring name(all[i].name.begin(), all[i].name.end());
    const auto ramp = PaletteRamp(all[i], MulDiv(kRampWidth, dpi_, 96));
    palettes.Add(kMenuFirstPalette + static_cast<int>(i), name.c_str(),
                 MakeStripBitmap(ramp, MulDiv(kRampHeight, dpi_, 96)));
  }
  PopupMenu menu;
  menu.AddSubmenu(L"palettes", std::move(palettes));
  menu.Add(kMenuReverse, L"reverse colours");
  menu.Add(kMenuReadable, L"readable on white");
  const int chosen = menu.ShowAt(hwnd(), at);
  if (run_.CloseBegun()) return;
  const std::array<OleColor, 4> now{Colour(1), Colour(2), Colour(3), Colour(4)};
  const int inUse = ColourCount::FromBar(sb.Value()).Colours();
  if (chosen == kMenuReverse) {
    SetColours(ReversedInUse(now, inUse), sb.Value());
  } else if (chosen == kMenuReadable) {
    SetColours(ReadableInUse(now, inUse), sb.Value());
  } else if (chosen >= kMenuFirstPalette && chosen < kMenuFirstPalette + static_cast<int>(all.size())) {
    const Palette& palette = all[static_cast<std::size_t>(chosen - kMenuFirstPalette)];
    SetColours(WithPalette(now, palette), BarForCount(palette.count));
  } else {
    return;
  }
  peek_.Follow();
}

void FaderWindow::SetColours(const std::array<OleColor, 4>& colours, int bar) {
  for (int i = 0; i < 4; ++i) SetColour(i + 1, colours[static_cast<std::size_t>(i)]);
  if (bar != sb.Value()) SetBar(bar);
  else ColourPicked();
}

HWND FaderWindow::DefaultButtonFor(HWND focus) const {
  // Enter on a command button clicks that button; anywhere else it clicks
  // the hidden send button.
  if (focus && IsChild(hwnd(), focus) && IsPushButton(focus)) return focus;
  return Command1.hwnd();
}

void FaderWindow::MoveFocus(bool backwards) {
  if (tabOrder_.empty()) return;
  const auto count = static_cast<std::ptrdiff_t>(tabOrder_.size());
  auto at = std::find(tabOrder_.begin(), tabOrder_.end(), GetFocus()) - tabOrder_.begin();
  if (at == count) at = backwards ? 0 : count - 1;
  for (std::ptrdiff_t step = 1; step <= count; ++step) {
    const std::ptrdiff_t next = ((at + (backwards ? -step : step)) % count + count) % count;
    HWND candidate = tabOrder_[static_cast<std::size_t>(next)];
    if (IsWindowEnabled(candidate)) {
      SetFocus(candidate);
      if (SendMessageW(candidate, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        SendMessageW(candidate, EM_SETSEL, 0, -1);
      return;
    }
  }
}

LRESULT FaderWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = Respond(message, wParam, lParam);
  // The peek follows what the message changed.
  peek_.Observe(message, wParam, lParam);
  return result;
}

LRESULT FaderWindow::Respond(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      bool routed = false;
      RunHandler([&] { routed = RouteCommand(hwnd(), wParam, lParam); });
      if (routed) return 0;
      break;
    }
    case WM_HSCROLL: {
      bool routed = false;
      RunHandler([&] { routed = RouteScroll(hwnd(), wParam, lParam); });
      if (routed) return 0;
      break;
    }
    case DM_GETDEFID: {
      HWND target = DefaultButtonFor(GetFocus());
      if (target == Command1.hwnd() && !EnterMaySend()) return 0;  // no default: Enter does nothing
      return MAKELRESULT(GetDlgCtrlID(target), DC_HASDEFID);
    }
    case WM_CONTEXTMENU: {
      auto control = reinterpret_cast<HWND>(wParam);
      if (control == hwnd() && lParam != -1) {
        // A right click on a disabled swatch reaches the window itself.
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(hwnd(), &at);
        control = ChildWindowFromPointEx(hwnd(), at, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
      }
      if (!OffersColourMenu(control)) break;
      RunHandler([&] { ShowColourMenu(control, lParam); });
      return 0;
    }
    case kTabKeyMessage:
      MoveFocus(wParam != 0);
      return 1;
    case WM_CLOSE:
      run_.Close(*this);
      return 0;
    case WM_SHOWWINDOW:
      // What the other window came to know meanwhile.
      if (wParam) run_.UpdateCaption(*this);
      break;
    case WM_DPICHANGED: {
      const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
      RunHandler([&] { OnDpiChanged(HIWORD(wParam), suggested); });
      return 0;
    }
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) run_.EndSession(*this);
      return 0;
    case WM_ACTIVATE:
      // Keep the focus where the user left it when the window comes back.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) lastFocus_ = focus;
      } else {
        HWND target = lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : sb.hwnd();
        if (!tabOrder_.empty() && !lastFocus_) target = tabOrder_.front();
        if (!IsWindowEnabled(target)) target = sb.hwnd();  // a swatch disabled meanwhile
        SetFocus(target);
      }
      return 0;
    default:
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}

}  // namespace quillon
