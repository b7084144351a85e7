#include "ui/main/form1.h"

#include "platform/event_pump.h"
#include "ui/common/resource_ids.h"

namespace quillon {
namespace {

constexpr int kUnfoldedTwips = 4410, kFoldedTwips = 2820;

constexpr WindowDesign kDesign{kMainWindowClass, 0, IDI_MAIN, 0, 4320, 2145};

// The two frames' client areas; the controls in them are placed inside.
constexpr TwipsOrigin kFrame1{120, 0}, kFrame2{2760, 0};

}  // namespace

// In the order of creation; where controls overlap, the one created first is
// drawn above, and the frames lie below them all.
constexpr std::array<ControlRow<Form1>, 28> Form1::Layout() {
  return {{
    // member          name        kind              caption       container    twips: left, top, width, height  id           font                initial           tab     handler
    {&Form1::sb,       "sb",       Kind::Bar,        L"colours",   kClientArea, {240, 960, 2295, 255},   kIdSb,       FontRole::Plain,     kBarMax,          0,      &Form1::sb_Change},  // the colour count: two, three or four
    {&Form1::Command1, "Command1", Kind::DefaultButton, L"",       kClientArea, {120, 2640, 615, 255},   kIdCommand1, FontRole::Plain,     0,                1,      &Form1::Command1_Click},  // hidden; the default button, which sends
    {&Form1::pic1,     "pic1",     Kind::Picture,    L"colour 1",  kClientArea, {240, 600, 495, 255},    kIdPic1,     FontRole::None,      kDesignColour1,   2,      &Form1::pic1_Click},  // the swatches
    {&Form1::pic2,     "pic2",     Kind::Picture,    L"colour 2",  kClientArea, {840, 600, 495, 255},    kIdPic2,     FontRole::None,      kDesignColour2,   3,      &Form1::pic2_Click},
    {&Form1::pic3,     "pic3",     Kind::Picture,    L"colour 3",  kClientArea, {1440, 600, 495, 255},   kIdPic3,     FontRole::None,      kDesignColour3,   4,      &Form1::pic3_Click},
    {&Form1::pic4,     "pic4",     Kind::Picture,    L"colour 4",  kClientArea, {2040, 600, 495, 255},   kIdPic4,     FontRole::None,      kDesignColour4,   5,      &Form1::pic4_Click},
    {&Form1::Text1,    "Text1",    Kind::Text,       L"",          kClientArea, {240, 240, 2295, 285},   kIdText1,    FontRole::Plain,     70,               6,      nullptr},  // the chat text
    {&Form1::Check1,   "Check1",   Kind::Check,      L"bold",      kClientArea, {2880, 120, 1095, 255},  kIdCheck1,   FontRole::Bold,      0,                7,      nullptr},
    {&Form1::Frame1,   "Frame1",   Kind::Frame,      L"",          kClientArea, {kFrame1.left, kFrame1.top, 2535, 2055}, 0,           FontRole::None,      0,                kNoTab, nullptr},  // around the strip and its buttons
    {&Form1::Label1,   "Label1",   Kind::Label,      L"<",         kFrame1,     {2040, 1320, 90, 195},   kIdLabel1,   FontRole::Plain,     0,                kNoTab, &Form1::Label1_Click},  // folds the window
    {&Form1::Label2,   "Label2",   Kind::Label,      L">",         kFrame1,     {2280, 1320, 90, 195},   kIdLabel2,   FontRole::Plain,     0,                kNoTab, &Form1::Label2_Click},  // unfolds it
    {&Form1::Frame2,   "Frame2",   Kind::Frame,      L"",          kClientArea, {kFrame2.left, kFrame2.top, 1455, 2055}, 0,           FontRole::None,      0,                kNoTab, nullptr},  // around the styles and the font
    {&Form1::Check2,   "Check2",   Kind::Check,      L"Italic",    kFrame2,     {120, 360, 1215, 255},   kIdCheck2,   FontRole::Italic,    0,                8,      nullptr},
    {&Form1::Check3,   "Check3",   Kind::Check,      L"underline", kFrame2,     {120, 600, 1215, 255},   kIdCheck3,   FontRole::Underline, 0,                9,      nullptr},
    {&Form1::Check4,   "Check4",   Kind::Check,      L"wavy",      kFrame2,     {120, 840, 1095, 255},   kIdCheck4,   FontRole::Plain,     0,                10,     nullptr},
    {&Form1::cmbFonts, "cmbFonts", Kind::FontList,   L"",          kFrame2,     {120, 1200, 1215, 315},  kIdFonts,    FontRole::Plain,     0,                11,     nullptr},
    {&Form1::pre,      "pre",      Kind::Picture,    L"preview",   kFrame1,     {120, 1320, 1815, 255},  kIdPre,      FontRole::Symbols,   kButtonFace,      12,     nullptr},  // the preview strip
    {&Form1::Text2,    "Text2",    Kind::FixedText,  L"",          kClientArea, {1440, 2520, 975, 375},  kIdText2,    FontRole::Plain,     0,                13,     nullptr},  // hidden: the font tag's opening
    {&Form1::Text3,    "Text3",    Kind::FixedText,  L"",          kClientArea, {2400, 2520, 735, 375},  kIdText3,    FontRole::Plain,     0,                14,     nullptr},  // hidden: the font tag's end
    {&Form1::asc,      "asc",      Kind::FixedText,  L"",          kClientArea, {3480, 2520, 1335, 285}, kIdAsc,      FontRole::Plain,     0,                15,     nullptr},  // hidden: the "loaded" line
    {&Form1::asu,      "asu",      Kind::FixedText,  L"",          kClientArea, {3480, 2280, 1335, 285}, kIdAsu,      FontRole::Plain,     0,                16,     nullptr},  // hidden: the "unloaded" line
    {&Form1::Command2, "Command2", Kind::Button,     L"save",      kFrame2,     {120, 1680, 615, 255},   kIdCommand2, FontRole::Buttons,   0,                17,     &Form1::Command2_Click},
    {&Form1::Command3, "Command3", Kind::Button,     L"load",      kFrame2,     {720, 1680, 615, 255},   kIdCommand3, FontRole::Buttons,   0,                18,     &Form1::Command3_Click},
    {&Form1::Command4, "Command4", Kind::Button,     L"help",      kFrame1,     {120, 1680, 615, 255},   kIdCommand4, FontRole::Buttons,   0,                19,     &Form1::Command4_Click},
    {&Form1::Command5, "Command5", Kind::Button,     L"advertise", kFrame1,     {720, 1680, 855, 255},   kIdCommand5, FontRole::Buttons,   0,                20,     &Form1::Command5_Click},
    {&Form1::Command6, "Command6", Kind::Button,     L"compact",   kFrame1,     {1560, 1680, 855, 255},  kIdCommand6, FontRole::Buttons,   0,                21,     &Form1::Command6_Click},  // switches to the compact window
    {&Form1::add1,     "add1",     Kind::FixedText,  L"",          kClientArea, {3480, 2760, 1335, 285}, kIdAdd1,     FontRole::Plain,     0,                22,     nullptr},  // hidden: the advertisement's lines
    {&Form1::add2,     "add2",     Kind::FixedText,  L"",          kClientArea, {3480, 3000, 1335, 285}, kIdAdd2,     FontRole::Plain,     0,                23,     nullptr},
  }};
}

bool Form1::Open() {
  static constexpr auto kRows = Layout();
  static_assert(KindsMatchMembers(kRows));
  if (!CreateFromTable<Form1>(kDesign, kRows)) return false;
  NoteUnfoldedWidth();
  if (!MakePreviewSurface()) return false;
  pre.onPaint = [this](HDC dc, const RECT& area) { preview_->Paint(dc, area); };
  peek_.WatchHover(pre.hwnd());
  RunHandler([this] {
    Form_Load();
    Form_Initialize();
  });
  ShowWindow(hwnd(), SW_SHOW);
  return true;
}

bool OpenOrTell(Form1& main) {
  if (main.Open()) return true;
  TellNotCreated(nullptr, L"main window", main.CreationError());
  return false;
}

void Form1::Form_Load() {
  KeepOnTop(hwnd());
  RedrawPreview(ColourCount::Of(4));
  if (run_.SettingsFileHeld(*this)) {
    LoadFontsOnly();
  } else if (!LoadFontAndFirstRun()) {
    run_.Load(*this, kLastSettingsSection, FontKey::Skip);
    ApplyColorCount();
  }
  customColours_ = run_.ReadCustomColours();
  run_.Announce(*this, FixedLine::Loaded);
}

void Form1::Form_Initialize() { CentreOnScreen(); }

void Form1::Command3_Click() {
  run_.Load(*this, kPresetSection);
  ApplyColorCount();
}

bool Form1::OffersColourMenu(HWND control) const {
  return control == pre.hwnd() || FaderWindow::OffersColourMenu(control);
}

void Form1::ColourPicked() {
  // The bar is read anew before each test: should it move while a redraw
  // lets events in, the redraw for its new value follows and stays visible.
  for (int value : {2, 1, 0})
    if (sb.Value() == value) RedrawPreview(ColourCount::FromBar(value));
}

void Form1::ApplyColorCount() {
  // The value is read anew before each test, as in ColourPicked.
  for (int value : {2, 1, 0}) {
    if (sb.Value() == value) {
      EnableSwatchesFor(value);
      RedrawPreview(ColourCount::FromBar(value));
    }
  }
}

void Form1::RedrawPreview(ColourCount count) {
  // The fade and the renderer let events in, and one of them may ask for
  // another redraw: that one is noted and drawn after this one, once, with
  // the colours and count then current, instead of nesting.
  previewCount_ = count;
  const bool drawn = redrawingPreview_.Coalesced([&] {
    // The strip alone, without the font-tag opening in front of it, so that
    // the first bar takes the fade's first colour.
    const std::u16string strip(39, u'|');
    const std::array<OleColor, 4> colours{pic1.BackColor(), pic2.BackColor(), pic3.BackColor(), pic4.BackColor()};
    RenderMarkup(*preview_, Fade(colours, previewCount_, strip, 0, PumpPendingMessages), PumpPendingMessages);
  });
  if (drawn) InvalidateRect(pre.hwnd(), nullptr, FALSE);
}

void Form1::Command6_Click() {
  std::string why;
  const bool switched = run_.SwitchToCompact(*this, [&]() -> RunView* {
    if (compact_) return compact_.get();
    compact_ = std::make_unique<Compact>(run_, *this);
    compact_->c1.ShareCustomColours(customColours_);
    if (compact_->Create()) return compact_.get();
    why = compact_->CreationError();
    compact_.reset();
    return nullptr;
  });
  // Without a compact window the main one stays in use, and says why.
  if (!switched) TellNotCreated(hwnd(), L"compact window", why);
}

int Form1::FoldedWidth() const {
  // The same frame around a narrower client area as the design width has.
  return unfoldedWidth_ - (TwipsToPixels(kUnfoldedTwips, dpi_) - TwipsToPixels(kFoldedTwips, dpi_));
}

void Form1::NoteUnfoldedWidth() {
  RECT outer;
  GetWindowRect(hwnd(), &outer);
  unfoldedWidth_ = outer.right - outer.left;
}

bool Form1::MakePreviewSurface() {
  RECT strip;
  GetClientRect(pre.hwnd(), &strip);
  auto surface = GdiSurface::Create(strip.right, strip.bottom, static_cast<COLORREF>(pre.BackColor()), dpi_);
  if (!surface) {
    creationError_ = "the preview strip's drawing surface could not be made";
    return false;
  }
  preview_ = std::move(surface);
  return true;
}

void Form1::OnDpiApplied() {
  NoteUnfoldedWidth();
  if (folded_) SetOuterWidth(FoldedWidth());
  // The strip's drawing is made again at its new size; the old one stays
  // should the system not give a new one.
  if (MakePreviewSurface()) RedrawPreview(ColourCount::FromBar(sb.Value()));
}

void Form1::Label1_Click() {
  folded_ = true;
  SetOuterWidth(FoldedWidth());
}

void Form1::Label2_Click() {
  folded_ = false;
  SetOuterWidth(unfoldedWidth_);
}

void Form1::SetOuterWidth(int width) {
  RECT outer;
  GetWindowRect(hwnd(), &outer);
  SetWindowPos(hwnd(), nullptr, 0, 0, width, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillon
