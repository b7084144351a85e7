// What the main window and the compact window have in common: the controls a
// send reads, the fonts the controls use, the tab order, the default button,
// and the send itself with its guards.
#pragma once

#include <windows.h>

#include <array>
#include <vector>

#include "host/host_link.h"
#include "platform/controls.h"
#include "platform/gdi.h"
#include "platform/system.h"
#include "platform/window.h"
#include "prefs/prefs.h"
#include "prefs/style_set.h"
#include "ui/common/compose.h"
#include "ui/common/control_ids.h"

namespace quillon {

// The fonts the layout names, made for the screen's DPI.
struct LayoutFonts {
  explicit LayoutFonts(int dpi);
  Font plain, bold, italic, underline, buttons, symbols;
};

class FaderWindow : public Window, public StyleControls {
 public:
  FaderWindow(WindowOps& host, ProfileStore& prefs) : host_(host), prefs_(prefs) {}

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

 protected:
  // Composes the line from the controls and posts it. The text box is emptied
  // only when the line reached a chat room, so a line is never lost; a send
  // that starts while another is still running in this window is ignored.
  void ComposeAndSend();

  // Posts one fixed line; false when it reached no chat room.
  bool PostLine(const std::u16string& line) { return SendChat(host_, line); }

  // The two advertisement lines, 0.2 s apart; the windows stay responsive.
  void Advertise();
  // Types the help page's address into the client's keyword box.
  void OpenHelp();
  // Empties the font list and fills it with the screen fonts in lower case.
  void FillFontList();
  // Centres the window on the screen, in twips, fractions kept until the one
  // conversion to pixels.
  void CentreOnScreen();
  // The first-run test and the font list: on a first run the file gains
  // "new" and "lastfont" and the list shows "arial"; later the last font.
  // True on a first run.
  bool LoadFontAndFirstRun();
  // Saves the full style set into section. A save that did not reach the
  // file shows in the caption until a later save succeeds; nothing modal.
  void SaveStyleSet(const char* section);
  // pic3 and pic4 take clicks only while the bar's value uses them; they
  // stay visible with their colours either way.
  void EnableSwatchesFor(int barValue) {
    pic3.Enable(barValue >= 1);
    pic4.Enable(barValue == 2);
  }
  // Lets the user pick the swatch's colour: it takes the dialog's colour,
  // which a cancel leaves as it was.
  void PickColour(PictureBox& swatch);

  // The hidden text boxes with their fixed texts, read-only so that tabbing
  // into them cannot change what the handlers post.
  void FillFixedTexts();

  // Focus moves through these in order with Tab and Shift+Tab; the ones that
  // are disabled are passed over.
  void SetTabOrder(std::vector<HWND> order) { tabOrder_ = std::move(order); }

  // The messages both windows handle the same way; true when handled.
  bool HandleCommon(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  PixelRect Px(TwipsRect r) const { return ToPixels(r, dpi_); }

  WindowOps& host_;
  ProfileStore& prefs_;
  int dpi_ = ScreenDpi();
  LayoutFonts fonts_{dpi_};

 private:
  void MoveFocus(bool backwards);
  HWND DefaultButtonFor(HWND focus) const;

  std::vector<HWND> tabOrder_;
  HWND lastFocus_ = nullptr;
  bool sending_ = false;
};

}  // namespace quillon
