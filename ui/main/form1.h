// The main window: the chat text, the swatches, the colour-count bar, the
// preview strip, the styles and font, and the buttons.
#pragma once

#include <array>
#include <memory>
#include <utility>

#include "platform/gdi_surface.h"
#include "ui/common/fader_window.h"
#include "ui/compact/compact.h"

namespace quillon {

class Form1 final : public FaderWindow {
 public:
  explicit Form1(Run& run) : FaderWindow(run) { c1.ShareCustomColours(customColours_); }
  ~Form1() override { Destroy(); }

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

 private:
  // The controls, one row each.
  static constexpr std::array<ControlRow<Form1>, 28> Layout();

  void Form_Load();
  void Form_Initialize();
  Role WindowRole() const override { return Role::Main; }

  void sb_Change() { ApplyColorCount(); }
  void Command2_Click() { run_.Save(*this, kPresetSection); }
  void Command3_Click();
  void Command4_Click() { run_.OpenHelp(); }
  void Command5_Click() { run_.Advertise(*this); }
  void Command6_Click();
  void Label1_Click();
  void Label2_Click();

  // After a colour was picked the preview follows the bar.
  void ColourPicked() override;
  // The swatches and the preview strip.
  bool OffersColourMenu(HWND control) const override;
  // Fades the preview strip over the swatches in use and draws it.
  void RedrawPreview(ColourCount count);
  // Enables pic3 and pic4 for the bar's value and redraws the preview.
  void ApplyColorCount();
  // Folds or unfolds the window to an outer width in pixels, in place.
  void SetOuterWidth(int width);
  // The outer width of the window as laid out, unfolded.
  void NoteUnfoldedWidth();
  // A drawing surface for the strip at its size and the window's DPI.
  bool MakePreviewSurface();
  void OnDpiApplied() override;

  int unfoldedWidth_ = 0;
  bool folded_ = false;
  // The colour count the strip is to show; a redraw asked for while one
  // runs follows it, once.
  ColourCount previewCount_ = ColourCount::Of(4);
  Reentry redrawingPreview_;
  // What the preview strip shows, kept so that it repaints itself.
  std::unique_ptr<GdiSurface> preview_;
  // The colour dialogs' custom colours, one set for both windows.
  CustomColours customColours_{};
  // Created at the first switch, then hidden and shown for the rest of the run.
  std::unique_ptr<Compact> compact_;
};

// Opens the main window, or tells the user why it could not be made; then
// nothing was posted or written to the preferences file, and the program
// ends.
bool OpenOrTell(Form1& main);

}  // namespace quillon
