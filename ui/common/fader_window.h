// What the main window and the compact window have in common: the controls a
// send reads, the fonts the controls use, creation from a control table, the
// tab order, the default button, the messages both handle, and what the run
// (ui/common/run.h) asks of a window.
#pragma once

#include <windows.h>

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "host/host_link.h"
#include "platform/accessibility.h"
#include "platform/colour_dialog.h"
#include "platform/controls.h"
#include "platform/gdi.h"
#include "platform/screen.h"
#include "platform/window.h"
#include "prefs/custom_colours.h"
#include "prefs/prefs.h"
#include "prefs/style_set.h"
#include "ui/common/compose.h"
#include "ui/common/control_ids.h"
#include "ui/common/control_table.h"
#include "ui/common/fader_peek.h"
#include "ui/common/palettes.h"
#include "ui/common/reentry.h"
#include "ui/common/run.h"

namespace quillon {

// The swatches' colours as the windows are designed: black, dark blue,
// middle blue, blue (0x00BBGGRR).
inline constexpr OleColor kDesignColour1 = 0x000000;
inline constexpr OleColor kDesignColour2 = 0x800000;
inline constexpr OleColor kDesignColour3 = 0xC00000;
inline constexpr OleColor kDesignColour4 = 0xFF0000;

// The fonts the layout names, made for the screen's DPI.
class LayoutFonts {
 public:
  explicit LayoutFonts(int dpi);
  // The font of a role; nullptr for FontRole::None.
  HFONT For(FontRole role) const;

 private:
  Font plain_, bold_, italic_, underline_, buttons_, symbols_;
};

// What a window is besides its controls.
struct WindowDesign {
  const wchar_t* className;
  DWORD exStyle;
  int iconId;
  int iconSize;  // 0: the system's size for each use
  int clientWidth, clientHeight;  // twips
};

// Selects lastFont in the list when it is there, else "arial", else the
// first entry.
void SelectStartFont(ComboBox& fonts, const std::u16string& lastFont);

// Tells the user, in a message box over owner (or none), that a window
// could not be made: "The <what> could not be created: <why>."
void TellNotCreated(HWND owner, const wchar_t* what, const std::string& why);

// The event loop of the program's thread.
class Win32EventLoop final : public EventLoop {
 public:
  void Pump() override;
  std::int64_t Ticks() override;
  void Quit() override;
  void ExitNow() override;
};

// A window of the run: its controls, their layout and fonts, focus and
// keyboard, and what the run asks of a window. The run's rules are the
// run's.
class FaderWindow : public Window, public StyleControls, public RunView {
 public:
  explicit FaderWindow(Run& run) : run_(run) {}

  // The style settings as the preferences file reads and writes them.
  std::u16string Font() const override { return cmbFonts.Text(); }
  void SetFont(const std::u16string& name) override { cmbFonts.SelectByName(name); }
  int Check(int box) const override;
  void SetCheck(int box, int value) override;
  std::int32_t Colour(int swatch) const override;
  void SetColour(int swatch, std::int32_t colour) override;
  int Bar() const override { return sb.Value(); }
  void SetBar(int value) override { sb.SetValue(value); }

  // The controls named as the windows name them.
  TextBox Text1, Text2, Text3, asc, asu, add1, add2;
  PictureBox pic1, pic2, pic3, pic4;
  ScrollBar sb;
  CheckBox Check1, Check2, Check3, Check4;
  ComboBox cmbFonts;
  Button Command1;
  ColourDialog c1;

  std::array<PictureBox*, 4> Swatches() { return {&pic1, &pic2, &pic3, &pic4}; }
  int dpi() const { return dpi_; }
  // Why the window could not be created; empty when it was.
  const std::string& CreationError() const { return creationError_; }
  const FaderPeek& peek() const { return peek_; }

 protected:
  // Creates the window, hidden, and its controls from rows: their fonts,
  // handlers and tab order, the fixed texts and keyboard navigation. False,
  // with CreationError() naming what failed, when anything could not be made.
  template <class W>
  bool CreateFromTable(const WindowDesign& design, std::span<const ControlRow<W>> rows);

  // Runs a handler of this window as the run's handlers run (Run::Handle);
  // what the handler changed reaches screen readers after it.
  template <class Handler>
  void RunHandler(Handler&& handler) {
    run_.Handle(*this, handler);
  }

  // The handlers both windows have alike.
  void Command1_Click() { run_.Send(*this); }
  void pic1_Click() { SwatchClick(pic1); }
  void pic2_Click() { SwatchClick(pic2); }
  void pic3_Click() { SwatchClick(pic3); }
  void pic4_Click() { SwatchClick(pic4); }
  // A click on a swatch that takes clicks: the colour dialog sets its
  // colour (a cancel leaves it as it was), then the window follows.
  void SwatchClick(PictureBox& swatch) {
    if (PickColour(swatch)) ColourPicked();
  }
  // What a window does after the user picked a swatch's colour.
  virtual void ColourPicked() {}
  // Whether control offers the colours' context menu: the swatches, in use
  // or not.
  virtual bool OffersColourMenu(HWND control) const;

  // What the run asks of a window.
  ComposeInputs Snapshot() const override;
  StyleControls& Styles() override { return *this; }
  std::u16string ChatText() const override { return Text1.Text(); }
  void SetChatText(const std::u16string& text) override;
  std::u16string Line(FixedLine which) const override;
  void SetCaption(const std::u16string& caption) override;
  bool Shown() const override { return IsWindowVisible(hwnd()) != FALSE; }
  void Show(bool shown) override { ShowWindow(hwnd(), shown ? SW_SHOW : SW_HIDE); }
  void SendBegins() override { sendHold_.emplace(peek_); }
  void SendEnds() override { sendHold_.reset(); }
  void HandlerDone() override { DescribeControls(); }
  void Warn() override { MessageBeep(MB_ICONWARNING); }
  // Empties the font list and fills it with the screen fonts in lower case,
  // but those whose names would break the font tag or that the ANSI code
  // page cannot spell.
  void FillFontList();
  // Centres the window on its monitor's work area, in twips, fractions kept
  // until the one conversion to pixels.
  void CentreOnScreen();

  // Runs after the window was laid out again for a new DPI: what a window
  // keeps in pixels besides its controls follows here.
  virtual void OnDpiApplied() {}
  // The first-run test and the font list: on a first run the file gains
  // "new" and "lastfont" and the list shows "arial"; later the last font.
  // True on a first run.
  bool LoadFontAndFirstRun();
  // The font list and its start font, for a run that cannot read the file.
  void LoadFontsOnly();
  // pic3 and pic4 take clicks only while the bar's value uses them; they
  // stay visible with their colours either way.
  void EnableSwatchesFor(int barValue) {
    pic3.Enable(barValue >= 1);
    pic4.Enable(barValue == 2);
  }
  // Lets the user pick the swatch's colour: it takes the dialog's colour,
  // which a cancel leaves as it was. Custom colours the user changed are
  // saved at once. False, and nothing done, while the dialog is already open.
  bool PickColour(PictureBox& swatch);

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // What the window itself does with a message.
  LRESULT Respond(UINT message, WPARAM wParam, LPARAM lParam);

  Run& run_;
  std::string creationError_;
  int dpi_ = ScreenDpi();
  LayoutFonts fonts_{dpi_};
  // The popup that shows the line a send would post.
  FaderPeek peek_{PeekSource()};

 private:
  bool CreateMainWindow(const WindowDesign& design);
  // Sets the control's font and notes its place in the tab order and in the
  // layout.
  void AddToWindow(Control& control, const ControlPlan& plan, FontRole font, int tabIndex);
  // Lays the window out again at dpi: the controls from the table, their
  // fonts, the client area at its size in twips, the window at the
  // position Windows suggests.
  void OnDpiChanged(int dpi, const RECT& suggested);
  // The tab order from the rows' tab indices, the fixed texts, navigation.
  void FinishControls();
  // The hidden text boxes with their fixed texts, read-only so that tabbing
  // into them cannot change what the handlers post.
  void FillFixedTexts();
  void MoveFocus(bool backwards);
  // The colours' context menu for control: at a point of the screen, or,
  // asked for by the keyboard (where is -1), under the control. Its palettes
  // and commands set the colours in use.
  void ShowColourMenu(HWND control, LPARAM where);
  void ColourMenu(HWND control, LPARAM where);
  // Sets the four swatches, then the bar, as the user setting them one at a
  // time would: a change of the bar runs its handler, and without one the
  // window follows the picked colours.
  void SetColours(const std::array<OleColor, 4>& colours, int bar);
  // Up and Down in Text1 step through the lines sent in this run; true when
  // the key was one of them.
  bool RecallKey(UINT key);
  HWND DefaultButtonFor(HWND focus) const;
  // What the peek composes with and runs in: this window's own send line
  // and handlers.
  FaderPeek::Source PeekSource();
  // Whether the Enter being handled may start a send.
  bool EnterMaySend() const;
  // Tells screen readers the swatches' colours and use and the bar's number
  // of colours, where they changed.
  void DescribeControls();

  // Each control as the table places it, for a new DPI.
  struct Placement {
    Control* control;
    TwipsRect rect;  // in the client area
    FontRole font;
  };
  std::vector<Placement> placements_;
  WindowDesign design_{};
  std::vector<std::pair<int, HWND>> tabStops_;  // tab index, control
  std::vector<HWND> tabOrder_;
  HWND lastFocus_ = nullptr;
  // Operations that let events in and must not nest.
  Reentry pickingColour_, colourMenuOpen_;
  // The peek stays away while a send of this window runs.
  std::optional<FaderPeek::SendHold> sendHold_;
  AccessibleAnnotations annotations_;
};

template <class W>
bool FaderWindow::CreateFromTable(const WindowDesign& design, std::span<const ControlRow<W>> rows) {
  if (!CreateMainWindow(design)) return false;
  W& self = static_cast<W&>(*this);
  for (const ControlRow<W>& row : rows) {
    const ControlPlan plan{row.name,
                           row.kind,
                           row.caption,
                           {row.container.left + row.rect.left, row.container.top + row.rect.top, row.rect.width,
                            row.rect.height},
                           row.id,
                           row.initial};
    const bool made = std::visit(
        [&](auto member) {
          auto& control = self.*member;
          if (!CreateControl(control, hwnd(), plan, dpi_)) return false;
          if (row.handler) AttachHandler(control, [&self, handler = row.handler] { (self.*handler)(); });
          AddToWindow(control, plan, row.font, row.tabIndex);
          return true;
        },
        row.member);
    if (!made) {
      creationError_ = std::string("the control ") + row.name + " could not be created (error " +
                       std::to_string(GetLastError()) + ")";
      return false;
    }
  }
  // Each control was made below those before it; the frames go below them
  // all, so that whatever lies on a frame is drawn above it.
  for (const ControlRow<W>& row : rows)
    if (const auto frame = std::get_if<Frame W::*>(&row.member)) (self.**frame).SendToBack();
  FinishControls();
  return true;
}

}  // namespace quillon
