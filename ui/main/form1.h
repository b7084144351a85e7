// The main window: the chat text, the swatches, the colour-count bar, the
// preview strip, the styles and font, and the buttons.
#pragma once

#include <memory>

#include "platform/gdi_surface.h"
#include "ui/common/fader_window.h"
#include "ui/compact/compact.h"

namespace quillon {

class Form1 : public FaderWindow {
 public:
  Form1(WindowOps& host, ProfileStore& prefs) : FaderWindow(host, prefs) {}

  // Creates the window with its design-time values, runs the load steps,
  // centres it and shows it.
  bool Open();

  Frame Frame1, Frame2;
  PictureBox pre;
  Label Label1, Label2;
  Button Command2, Command3, Command4, Command5, Command6;

  // Outer widths of the unfolded and folded window, in pixels.
  int UnfoldedWidth() const { return unfoldedWidth_; }
  int FoldedWidth() const;
  const GdiSurface* preview() const { return preview_.get(); }
  // The compact window, once the user has switched to it.
  Compact* compact() const { return compact_.get(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  bool CreateControls();
  void Form_Load();
  void Form_Initialize();
  void Form_Unload();

  void Command1_Click() { ComposeAndSend(); }
  void pic1_Click() { SwatchClick(pic1); }
  void pic2_Click() { SwatchClick(pic2); }
  void pic3_Click() { SwatchClick(pic3); }
  void pic4_Click() { SwatchClick(pic4); }
  void sb_Change() { ApplyColorCount(); }
  void Command2_Click() { SaveStyleSet(kPresetSection); }
  void Command3_Click();
  void Command4_Click() { OpenHelp(); }
  void Command5_Click() { Advertise(); }
  void Command6_Click();
  void Label1_Click();
  void Label2_Click();

  // The colour dialog sets the swatch (a cancel gives the dialog's unchanged
  // colour), then the preview follows the bar.
  void SwatchClick(PictureBox& swatch);
  // Fades the preview strip over the swatches in use and draws it.
  void RedrawPreview(int colourCount);
  // Enables pic3 and pic4 for the bar's value and redraws the preview.
  void ApplyColorCount();

  int unfoldedWidth_ = 0;
  // What the preview strip shows, kept so that it repaints itself.
  std::unique_ptr<GdiSurface> preview_;
  // Created at the first switch, then hidden and shown for the rest of the run.
  std::unique_ptr<Compact> compact_;
};

}  // namespace quillon
