// A window's controls as data: one row a control, in the order the controls
// are created and in the units of the design (twips, relative to the
// container). Creation, fonts, tab order and handlers all read the same rows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <variant>

#include "platform/controls.h"
#include "platform/twips.h"

namespace quillon {

// What a row makes, and how its initial value is read.
enum class Kind {
  Text,           // editable text box; initial: the longest text (0: no limit)
  FixedText,      // read-only text box that holds one of the fixed texts
  Check,          // check box
  Button,         // push button
  DefaultButton,  // the push button Enter clicks
  Label,          // static text that reports clicks
  FontList,       // drop-down list of fonts
  Bar,            // colour-count scroll bar; initial: its value
  Picture,        // picture box; initial: its background colour
  Frame,          // etched frame, below everything, never focused
};

// Which of the window's fonts a control uses.
enum class FontRole { None, Plain, Bold, Italic, Underline, Buttons, Symbols };

// Where a container's client area starts, in the window's client area.
struct TwipsOrigin { int left, top; };
inline constexpr TwipsOrigin kClientArea{0, 0};

// A row's tab index when the control never takes the focus from Tab.
inline constexpr int kNoTab = -1;

// The range of the colour-count bar: 0 two colours, 1 three, 2 four.
inline constexpr int kBarMin = 0, kBarMax = 2;

// The background colour a picture box takes from the system: the button face.
inline constexpr OleColor kButtonFace = static_cast<OleColor>(0x8000000F);

// A pointer to the control member of window W that a row creates.
template <class W>
using ControlMember = std::variant<TextBox W::*, CheckBox W::*, Button W::*, Label W::*, ComboBox W::*,
                                   ScrollBar W::*, PictureBox W::*, Frame W::*>;

template <class W>
struct ControlRow {
  ControlMember<W> member;
  const char* name;        // what a failure to create it says
  Kind kind;
  // The caption, or the text it starts with. A picture box or bar draws no
  // text: for them it is only the name screen readers announce.
  const wchar_t* caption;
  TwipsOrigin container;   // the container the rectangle is relative to
  TwipsRect rect;
  int id;
  FontRole font;
  int initial;
  int tabIndex;            // position in the tab order, or kNoTab
  void (W::*handler)();    // clicks, or the bar's change; nullptr for none
};

// The row's values without the window's members.
struct ControlPlan {
  const char* name;
  Kind kind;
  const wchar_t* caption;
  TwipsRect rect;  // in the window's client area
  int id;
  int initial;
};

// The variant alternative each kind names, so that a table can be checked
// when it is compiled.
constexpr std::size_t MemberIndexFor(Kind kind) {
  switch (kind) {
    case Kind::Text: case Kind::FixedText: return 0;
    case Kind::Check: return 1;
    case Kind::Button: case Kind::DefaultButton: return 2;
    case Kind::Label: return 3;
    case Kind::FontList: return 4;
    case Kind::Bar: return 5;
    case Kind::Picture: return 6;
    case Kind::Frame: return 7;
  }
  return 8;
}

template <class Rows>
constexpr bool KindsMatchMembers(const Rows& rows) {
  for (const auto& row : rows)
    if (row.member.index() != MemberIndexFor(row.kind)) return false;
  return true;
}

// Creates the child control of parent that plan describes, at dpi. The
// overload is chosen by the member's type; plan.kind picks among its styles.
bool CreateControl(TextBox& control, HWND parent, const ControlPlan& plan, int dpi);
bool CreateControl(CheckBox& control, HWND parent, const ControlPlan& plan, int dpi);
bool CreateControl(Button& control, HWND parent, const ControlPlan& plan, int dpi);
bool CreateControl(Label& control, HWND parent, const ControlPlan& plan, int dpi);
bool CreateControl(ComboBox& control, HWND parent, const ControlPlan& plan, int dpi);
bool CreateControl(ScrollBar& control, HWND parent, const ControlPlan& plan, int dpi);
bool CreateControl(PictureBox& control, HWND parent, const ControlPlan& plan, int dpi);
bool CreateControl(Frame& control, HWND parent, const ControlPlan& plan, int dpi);

// Gives the control the handler of its one event; controls without events
// ignore it.
void AttachHandler(Button& control, std::function<void()> handler);
void AttachHandler(Label& control, std::function<void()> handler);
void AttachHandler(PictureBox& control, std::function<void()> handler);
void AttachHandler(ScrollBar& control, std::function<void()> handler);
inline void AttachHandler(Control&, std::function<void()>) {}

}  // namespace quillon
