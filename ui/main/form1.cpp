#include "ui/main/form1.h"

#include "platform/event_pump.h"
#include "app/resources.h"

namespace quillon {
namespace {

constexpr const wchar_t* kClassName = kMainWindowClass;
constexpr int kClientWidth = 4320, kClientHeight = 2145;  // twips
constexpr int kUnfoldedTwips = 4410, kFoldedTwips = 2820;

// Positions of controls that lie in a frame are given inside the frame and
// placed relative to the client area, since every control is a child of the
// window itself.
constexpr int kFrame1Left = 120, kFrame2Left = 2760;
constexpr TwipsRect InFrame1(int left, int top, int width, int height) {
  return {kFrame1Left + left, top, width, height};
}
constexpr TwipsRect InFrame2(int left, int top, int width, int height) {
  return {kFrame2Left + left, top, width, height};
}

}  // namespace

bool Form1::Open() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  CreateArgs args;
  args.className = kClassName;
  args.caption = L"quillon fader";
  args.bigIcon = LoadIconW(instance, MAKEINTRESOURCEW(kMainIcon));
  args.smallIcon = args.bigIcon;
  if (!Create(args)) return false;
  SetClientSize(hwnd(), TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_));
  RECT outer;
  GetWindowRect(hwnd(), &outer);
  unfoldedWidth_ = outer.right - outer.left;
  if (!CreateControls()) return false;
  EnableDialogNavigation(hwnd());
  Form_Load();
  Form_Initialize();
  ShowWindow(hwnd(), SW_SHOW);
  return true;
}

bool Form1::CreateControls() {
  HWND w = hwnd();
  // Created in tab order; the frames then go to the bottom of the z-order.
  bool ok = sb.Create(w, Px({240, 960, 2295, 255}), kIdSb, 0, 2, 2, 1, 1) &&
            Command1.Create(w, L"", Px({120, 2640, 615, 255}), kIdCommand1, true) &&
            pic1.Create(w, Px({240, 600, 495, 255}), kIdPic1, 0) &&
            pic2.Create(w, Px({840, 600, 495, 255}), kIdPic2, 8388608) &&
            pic3.Create(w, Px({1440, 600, 495, 255}), kIdPic3, 12582912) &&
            pic4.Create(w, Px({2040, 600, 495, 255}), kIdPic4, 16711680) &&
            Text1.Create(w, Px({240, 240, 2295, 285}), kIdText1, 70) &&
            Check1.Create(w, L"bold", Px({2880, 120, 1095, 255}), kIdCheck1) &&
            Frame1.Create(w, Px({kFrame1Left, 0, 2535, 2055})) &&
            Label1.Create(w, L"<", Px(InFrame1(2040, 1320, 90, 195)), kIdLabel1) &&
            Label2.Create(w, L">", Px(InFrame1(2280, 1320, 90, 195)), kIdLabel2) &&
            Frame2.Create(w, Px({kFrame2Left, 0, 1455, 2055})) &&
            Check2.Create(w, L"Italic", Px(InFrame2(120, 360, 1215, 255)), kIdCheck2) &&
            Check3.Create(w, L"underline", Px(InFrame2(120, 600, 1215, 255)), kIdCheck3) &&
            Check4.Create(w, L"wavy", Px(InFrame2(120, 840, 1095, 255)), kIdCheck4) &&
            cmbFonts.Create(w, Px(InFrame2(120, 1200, 1215, 315)), kIdFonts) &&
            pre.Create(w, Px(InFrame1(120, 1320, 1815, 255)), kIdPre,
                       static_cast<OleColor>(GetSysColor(COLOR_BTNFACE))) &&
            Text2.Create(w, Px({1440, 2520, 975, 375}), kIdText2, 0, true) &&
            Text3.Create(w, Px({2400, 2520, 735, 375}), kIdText3, 0, true) &&
            asc.Create(w, Px({3480, 2520, 1335, 285}), kIdAsc, 0, true) &&
            asu.Create(w, Px({3480, 2280, 1335, 285}), kIdAsu, 0, true) &&
            Command2.Create(w, L"save", Px(InFrame2(120, 1680, 615, 255)), kIdCommand2) &&
            Command3.Create(w, L"load", Px(InFrame2(720, 1680, 615, 255)), kIdCommand3) &&
            Command4.Create(w, L"help", Px(InFrame1(120, 1680, 615, 255)), kIdCommand4) &&
            Command5.Create(w, L"advertise", Px(InFrame1(720, 1680, 855, 255)), kIdCommand5) &&
            Command6.Create(w, L"compact", Px(InFrame1(1560, 1680, 855, 255)), kIdCommand6) &&
            add1.Create(w, Px({3480, 2760, 1335, 285}), kIdAdd1, 0, true) &&
            add2.Create(w, Px({3480, 3000, 1335, 285}), kIdAdd2, 0, true);
  if (!ok) return false;

  for (Control* c : std::initializer_list<Control*>{&Text1, &Text2, &Text3, &asc, &asu, &add1, &add2, &Check4,
                                                     &cmbFonts, &Label1, &Label2, &Command1, &sb})
    c->SetFont(fonts_.plain.get());
  Check1.SetFont(fonts_.bold.get());
  Check2.SetFont(fonts_.italic.get());
  Check3.SetFont(fonts_.underline.get());
  for (Button* b : {&Command2, &Command3, &Command4, &Command5, &Command6}) b->SetFont(fonts_.buttons.get());
  pre.SetFont(fonts_.symbols.get());
  RECT strip;
  GetClientRect(pre.hwnd(), &strip);
  preview_ = std::make_unique<GdiSurface>(strip.right, strip.bottom, static_cast<COLORREF>(pre.BackColor()));
  pre.onPaint = [this](HDC dc, const RECT& area) { preview_->Paint(dc, area); };
  FillFixedTexts();

  SetTabOrder({sb.hwnd(), Command1.hwnd(), pic1.hwnd(), pic2.hwnd(), pic3.hwnd(), pic4.hwnd(), Text1.hwnd(),
               Check1.hwnd(), Check2.hwnd(), Check3.hwnd(), Check4.hwnd(), cmbFonts.hwnd(), pre.hwnd(),
               Text2.hwnd(), Text3.hwnd(), asc.hwnd(), asu.hwnd(), Command2.hwnd(), Command3.hwnd(),
               Command4.hwnd(), Command5.hwnd(), Command6.hwnd(), add1.hwnd(), add2.hwnd()});

  Command1.onClick = [this] { Command1_Click(); };
  pic1.onClick = [this] { pic1_Click(); };
  pic2.onClick = [this] { pic2_Click(); };
  pic3.onClick = [this] { pic3_Click(); };
  pic4.onClick = [this] { pic4_Click(); };
  sb.onChange = [this] { sb_Change(); };
  Command2.onClick = [this] { Command2_Click(); };
  Command3.onClick = [this] { Command3_Click(); };
  Command4.onClick = [this] { Command4_Click(); };
  Command5.onClick = [this] { Command5_Click(); };
  Command6.onClick = [this] { Command6_Click(); };
  Label1.onClick = [this] { Label1_Click(); };
  Label2.onClick = [this] { Label2_Click(); };
  return true;
}

void Form1::Form_Load() {
  KeepOnTop(host_, reinterpret_cast<WindowHandle>(hwnd()));
  RedrawPreview(4);
  if (!LoadFontAndFirstRun()) {
    ReadStyleSet(prefs_, kLastSettingsSection, *this, FontKey::Skip);
    ApplyColorCount();
  }
  PostLine(asc.Text());
}

void Form1::Form_Initialize() { CentreOnScreen(); }

void Form1::Form_Unload() {
  WriteIni(prefs_, kLastFontSection, kLastFontKey, cmbFonts.Text());
  WriteStyleSet(prefs_, kLastSettingsSection, *this, FontKey::Skip);
  PostLine(asu.Text());
  PostQuitMessage(0);
}

void Form1::Command3_Click() {
  ReadStyleSet(prefs_, kPresetSection, *this, FontKey::Include);
  ApplyColorCount();
}

void Form1::SwatchClick(PictureBox& swatch) {
  PickColour(swatch);
  // The bar is read anew before each test: should it move while a redraw
  // lets events in, the redraw for its new value follows and stays visible.
  if (sb.Value() == 2) RedrawPreview(4);
  if (sb.Value() == 1) RedrawPreview(3);
  if (sb.Value() == 0) RedrawPreview(2);
}

void Form1::ApplyColorCount() {
  // The value is read anew before each test, as in SwatchClick.
  if (sb.Value() == 2) {
    EnableSwatchesFor(2);
    RedrawPreview(4);
  }
  if (sb.Value() == 1) {
    EnableSwatchesFor(1);
    RedrawPreview(3);
  }
  if (sb.Value() == 0) {
    EnableSwatchesFor(0);
    RedrawPreview(2);
  }
}

void Form1::RedrawPreview(int colourCount) {
  // The strip alone, without the font-tag opening in front of it, so that
  // the first bar takes the fade's first colour.
  const std::u16string strip(39, u'|');
  const OleColor c1 = pic1.BackColor(), c2 = pic2.BackColor(), c3 = pic3.BackColor(), c4 = pic4.BackColor();
  std::u16string faded;
  if (colourCount == 4) faded = FadeFourColors(c1, c2, c3, c4, strip, 0);
  else if (colourCount == 3) faded = FadeThreeColors(c1, c2, c3, strip, 0);
  else faded = FadeTwoColors(c1, c2, strip, 0);
  RenderMarkup(*preview_, faded);
  InvalidateRect(pre.hwnd(), nullptr, FALSE);
}

void Form1::Command6_Click() {
  WriteStyleSet(prefs_, kHandOverSection, *this, FontKey::Include);
  ShowWindow(hwnd(), SW_HIDE);
  if (!compact_) {
    compact_ = std::make_unique<Compact>(host_, prefs_, [this] { ShowWindow(hwnd(), SW_SHOW); });
    if (!compact_->Create()) {
      // Without a compact window the main one stays in use.
      compact_.reset();
      ShowWindow(hwnd(), SW_SHOW);
      return;
    }
  }
  ShowWindow(compact_->hwnd(), SW_SHOW);
}

int Form1::FoldedWidth() const {
  // The same frame around a narrower client area as the design width has.
  return unfoldedWidth_ - (TwipsToPixels(kUnfoldedTwips, dpi_) - TwipsToPixels(kFoldedTwips, dpi_));
}

void Form1::Label1_Click() {
  RECT outer;
  GetWindowRect(hwnd(), &outer);
  SetWindowPos(hwnd(), nullptr, 0, 0, FoldedWidth(), outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::Label2_Click() {
  RECT outer;
  GetWindowRect(hwnd(), &outer);
  SetWindowPos(hwnd(), nullptr, 0, 0, unfoldedWidth_, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleCommon(message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CLOSE:
      Form_Unload();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace quillon
