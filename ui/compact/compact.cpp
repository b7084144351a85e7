#include "ui/compact/compact.h"

#include "app/resources.h"
#include "platform/event_pump.h"

namespace quillon {
namespace {

constexpr int kClientWidth = 3735, kClientHeight = 1050;  // twips

// Controls in the frame are given inside it; the frame starts above the
// client area and ends beyond its right edge.
constexpr int kFrameLeft = 1920, kFrameTop = -120;
constexpr TwipsRect InFrame(int left, int top, int width, int height) {
  return {kFrameLeft + left, kFrameTop + top, width, height};
}

}  // namespace

bool Compact::Create() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  CreateArgs args;
  args.className = kCompactWindowClass;
  args.caption = L"quillon fader";
  args.exStyle = WS_EX_TOOLWINDOW;
  args.smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kCompactIcon), IMAGE_ICON, 16, 16, 0));
  args.bigIcon = args.smallIcon;
  if (!Window::Create(args)) return false;
  SetClientSize(hwnd(), TwipsToPixels(kClientWidth, dpi_), TwipsToPixels(kClientHeight, dpi_));
  if (!CreateControls()) return false;
  EnableDialogNavigation(hwnd());
  Form_Load();
  Form_Initialize();
  return true;
}

bool Compact::CreateControls() {
  HWND w = hwnd();
  // Created from the top of the drawing order down: where controls overlap,
  // the one created first is drawn above. The tab order is kept apart.
  bool ok = Command3.Create(w, L"normal", Px({960, 780, 975, 255}), kIdCommand3) &&
            Command2.Create(w, L"options", Px({0, 780, 975, 255}), kIdCommand2) &&
            Check1.Create(w, L"bold", Px({2040, 0, 735, 255}), kIdCheck1) &&
            Text1.Create(w, Px({0, 0, 1935, 285}), kIdText1, 70) &&
            pic4.Create(w, Px({1440, 240, 495, 255}), kIdPic4, 16711680) &&
            pic3.Create(w, Px({960, 240, 495, 255}), kIdPic3, 12582912) &&
            pic2.Create(w, Px({480, 240, 495, 255}), kIdPic2, 8388608) &&
            pic1.Create(w, Px({0, 240, 495, 255}), kIdPic1, 0) &&
            sb.Create(w, Px({0, 480, 1935, 255}), kIdSb, 0, 2, 2, 1, 1) &&
            Check2.Create(w, L"Italic", Px(InFrame(1080, 120, 855, 255)), kIdCheck2) &&
            Check3.Create(w, L"underline", Px(InFrame(120, 360, 1215, 255)), kIdCheck3) &&
            Check4.Create(w, L"wavy", Px(InFrame(1080, 360, 1095, 255)), kIdCheck4) &&
            cmbFonts.Create(w, Px(InFrame(120, 720, 1695, 315)), kIdFonts) &&
            Command1.Create(w, L"", Px({360, 1560, 615, 255}), kIdCommand1, true) &&
            Text2.Create(w, Px({2520, 1680, 735, 375}), kIdText2, 0, true) &&
            Text3.Create(w, Px({2520, 2010, 735, 285}), kIdText3, 0, true) &&
            asc.Create(w, Px({3360, 1920, 1335, 285}), kIdAsc, 0, true) &&
            asu.Create(w, Px({3360, 1680, 1335, 285}), kIdAsu, 0, true) &&
            add1.Create(w, Px({1560, 1320, 735, 285}), kIdAdd1, 0, true) &&
            add2.Create(w, Px({1560, 1560, 735, 285}), kIdAdd2, 0, true) &&
            Frame2.Create(w, Px({kFrameLeft, kFrameTop, 1935, 1215}));
  if (!ok) return false;

  for (Control* c : std::initializer_list<Control*>{&Text1, &Text2, &Text3, &asc, &asu, &add1, &add2, &Check4,
                                                     &cmbFonts, &Command1, &sb})
    c->SetFont(fonts_.plain.get());
  Check1.SetFont(fonts_.bold.get());
  Check2.SetFont(fonts_.italic.get());
  Check3.SetFont(fonts_.underline.get());
  Command2.SetFont(fonts_.buttons.get());
  Command3.SetFont(fonts_.buttons.get());
  FillFixedTexts();

  SetTabOrder({sb.hwnd(), Command1.hwnd(), pic1.hwnd(), pic2.hwnd(), pic3.hwnd(), pic4.hwnd(), Text1.hwnd(),
               Check1.hwnd(), Check2.hwnd(), Check3.hwnd(), Check4.hwnd(), cmbFonts.hwnd(), Text2.hwnd(),
               Text3.hwnd(), asc.hwnd(), asu.hwnd(), Command2.hwnd(), Command3.hwnd(), add1.hwnd(),
               add2.hwnd()});

  Command1.onClick = [this] { Command1_Click(); };
  Command2.onClick = [this] { Command2_Click(); };
  Command3.onClick = [this] { Command3_Click(); };
  pic1.onClick = [this] { pic1_Click(); };
  pic2.onClick = [this] { pic2_Click(); };
  pic3.onClick = [this] { pic3_Click(); };
  pic4.onClick = [this] { pic4_Click(); };
  sb.onChange = [this] { sb_Change(); };
  return true;
}

void Compact::Form_Load() {
  KeepOnTop(host_, reinterpret_cast<WindowHandle>(hwnd()));
  LoadFontAndFirstRun();
}

void Compact::Form_Initialize() {
  CentreOnScreen();
  // The main window's settings, handed over once, when this window is made.
  ReadStyleSet(prefs_, kHandOverSection, *this, FontKey::Include);
}

void Compact::Form_Unload() {
  WriteIni(prefs_, kLastFontSection, kLastFontKey, cmbFonts.Text());
  PostLine(asu.Text());
  PostQuitMessage(0);
}

void Compact::Command2_Click() {
  PopupMenu menu;
  menu.Add(kSav, L"save");
  menu.Add(kLoa, L"load");
  menu.AddSeparator();
  menu.Add(kAdd, L"advertise");
  menu.Add(kHel, L"help");
  switch (menu.ShowAtPointer(hwnd())) {
    case kSav: sav_Click(); break;
    case kLoa: loa_Click(); break;
    case kAdd: add_Click(); break;
    case kHel: hel_Click(); break;
    default: break;
  }
}

void Compact::Command3_Click() {
  ShowWindow(hwnd(), SW_HIDE);
  if (showMain_) showMain_();
}

void Compact::sav_Click() { SaveStyleSet(kPresetSection); }

void Compact::loa_Click() {
  ReadStyleSet(prefs_, kPresetSection, *this, FontKey::Include);
  ApplyBar();
}

void Compact::ApplyBar() {
  for (int value : {2, 1, 0})
    if (sb.Value() == value) EnableSwatchesFor(value);
}

LRESULT Compact::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
