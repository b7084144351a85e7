#include "ui/compact/compact.h"

#include "platform/popup_menu.h"
#include "ui/common/resource_ids.h"

namespace quillon {
namespace {

constexpr WindowDesign kDesign{kCompactWindowClass, WS_EX_TOOLWINDOW, IDI_COMPACT, 16, 3735, 1050};

// The frame starts above the client area and ends beyond its right edge;
// the controls in it are placed inside.
constexpr TwipsOrigin kFrame2{1920, -120};

}  // namespace

// From the top of the drawing order down: where controls overlap, the one
// created first is drawn above. The tab order is its own column.
constexpr std::array<ControlRow<Compact>, 21> Compact::Layout() {
  return {{
    // member            name        kind                caption       container    twips: left, top, width, height  id           font                initial          tab     handler
    {&Compact::Command3, "Command3", Kind::Button,       L"normal",    kClientArea, {960, 780, 975, 255},    kIdCommand3, FontRole::Buttons,   0,               17,     &Compact::Command3_Click},  // back to the main window ("normal")
    {&Compact::Command2, "Command2", Kind::Button,       L"options",   kClientArea, {0, 780, 975, 255},      kIdCommand2, FontRole::Buttons,   0,               16,     &Compact::Command2_Click},  // the "options" menu
    {&Compact::Check1,   "Check1",   Kind::Check,        L"bold",      kClientArea, {2040, 0, 735, 255},     kIdCheck1,   FontRole::Bold,      0,               7,      nullptr},
    {&Compact::Text1,    "Text1",    Kind::Text,         L"",          kClientArea, {0, 0, 1935, 285},       kIdText1,    FontRole::Plain,     70,              6,      nullptr},  // the chat text
    {&Compact::pic4,     "pic4",     Kind::Picture,      L"colour 4",  kClientArea, {1440, 240, 495, 255},   kIdPic4,     FontRole::None,      kDesignColour4,  5,      &Compact::pic4_Click},
    {&Compact::pic3,     "pic3",     Kind::Picture,      L"colour 3",  kClientArea, {960, 240, 495, 255},    kIdPic3,     FontRole::None,      kDesignColour3,  4,      &Compact::pic3_Click},
    {&Compact::pic2,     "pic2",     Kind::Picture,      L"colour 2",  kClientArea, {480, 240, 495, 255},    kIdPic2,     FontRole::None,      kDesignColour2,  3,      &Compact::pic2_Click},
    {&Compact::pic1,     "pic1",     Kind::Picture,      L"colour 1",  kClientArea, {0, 240, 495, 255},      kIdPic1,     FontRole::None,      kDesignColour1,  2,      &Compact::pic1_Click},  // the swatches
    {&Compact::sb,       "sb",       Kind::Bar,          L"colours",   kClientArea, {0, 480, 1935, 255},     kIdSb,       FontRole::Plain,     kBarMax,         0,      &Compact::sb_Change},  // the colour count: two, three or four
    {&Compact::Check2,   "Check2",   Kind::Check,        L"Italic",    kFrame2,     {1080, 120, 855, 255},   kIdCheck2,   FontRole::Italic,    0,               8,      nullptr},
    {&Compact::Check3,   "Check3",   Kind::Check,        L"underline", kFrame2,     {120, 360, 1215, 255},   kIdCheck3,   FontRole::Underline, 0,               9,      nullptr},
    {&Compact::Check4,   "Check4",   Kind::Check,        L"wavy",      kFrame2,     {1080, 360, 1095, 255},  kIdCheck4,   FontRole::Plain,     0,               10,     nullptr},
    {&Compact::cmbFonts, "cmbFonts", Kind::FontList,     L"",          kFrame2,     {120, 720, 1695, 315},   kIdFonts,    FontRole::Plain,     0,               11,     nullptr},
    {&Compact::Command1, "Command1", Kind::DefaultButton, L"",         kClientArea, {360, 1560, 615, 255},   kIdCommand1, FontRole::Plain,     0,               1,      &Compact::Command1_Click},  // hidden; the default button, which sends
    {&Compact::Text2,    "Text2",    Kind::FixedText,    L"",          kClientArea, {2520, 1680, 735, 375},  kIdText2,    FontRole::Plain,     0,               12,     nullptr},  // hidden: the font tag's opening
    {&Compact::Text3,    "Text3",    Kind::FixedText,    L"",          kClientArea, {2520, 2010, 735, 285},  kIdText3,    FontRole::Plain,     0,               13,     nullptr},  // hidden: the font tag's end
    {&Compact::asc,      "asc",      Kind::FixedText,    L"",          kClientArea, {3360, 1920, 1335, 285}, kIdAsc,      FontRole::Plain,     0,               14,     nullptr},  // hidden: the "loaded" line
    {&Compact::asu,      "asu",      Kind::FixedText,    L"",          kClientArea, {3360, 1680, 1335, 285}, kIdAsu,      FontRole::Plain,     0,               15,     nullptr},  // hidden: the "unloaded" line
    {&Compact::add1,     "add1",     Kind::FixedText,    L"",          kClientArea, {1560, 1320, 735, 285},  kIdAdd1,     FontRole::Plain,     0,               18,     nullptr},  // hidden: the advertisement's lines
    {&Compact::add2,     "add2",     Kind::FixedText,    L"",          kClientArea, {1560, 1560, 735, 285},  kIdAdd2,     FontRole::Plain,     0,               19,     nullptr},
    {&Compact::Frame2,   "Frame2",   Kind::Frame,        L"",          kClientArea, {kFrame2.left, kFrame2.top, 1935, 1215}, 0,          FontRole::None,      0,               kNoTab, nullptr},  // around the styles and the font
  }};
}

bool Compact::Create() {
  static constexpr auto kRows = Layout();
  static_assert(KindsMatchMembers(kRows));
  if (!CreateFromTable<Compact>(kDesign, kRows)) return false;
  RunHandler([this] {
    Form_Load();
    Form_Initialize();
  });
  return true;
}

void Compact::Form_Load() {
  KeepOnTop(hwnd());
  LoadFontAndFirstRun();
}

void Compact::Form_Initialize() {
  CentreOnScreen();
  // The main window's settings, handed over once, when this window is made.
  run_.Load(*this, kHandOverSection);
}

void Compact::Command2_Click() {
  // The menu's own loop may let a second click in, which does nothing.
  menuOpen_.Once([this] { OptionsMenu(); });
}

void Compact::OptionsMenu() {
  PopupMenu menu;
  menu.Add(kMenuSave, L"save");
  menu.Add(kMenuLoad, L"load");
  menu.AddSeparator();
  menu.Add(kMenuAdvertise, L"advertise");
  menu.Add(kMenuHelp, L"help");
  switch (menu.ShowAtPointer(hwnd())) {
    case kMenuSave: sav_Click(); break;
    case kMenuLoad: loa_Click(); break;
    case kMenuAdvertise: add_Click(); break;
    case kMenuHelp: hel_Click(); break;
    default: break;
  }
}

void Compact::Command3_Click() {
  run_.SwitchToMain(*this, main_);
}

void Compact::loa_Click() {
  run_.Load(*this, kPresetSection);
  ApplyBar();
}

void Compact::ApplyBar() {
  for (int value : {2, 1, 0})
    if (sb.Value() == value) EnableSwatchesFor(value);
}

}  // namespace quillon
