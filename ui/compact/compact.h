// The compact window: the main window's functions in less space, with save,
// load, advertise and help in a pop-up menu. No preview.
#pragma once

#include <array>

#include "ui/common/fader_window.h"

namespace quillon {

class Compact final : public FaderWindow {
 public:
  // main is shown again when the user chooses "normal".
  Compact(Run& run, RunView& main) : FaderWindow(run), main_(main) {}
  ~Compact() override { Destroy(); }

  // Creates the window: the load steps, the centring, the hand-over of the
  // main window's settings. It is shown by the caller.
  bool Create();

  Frame Frame2;
  Button Command2, Command3;

  // The commands of the "options" pop-up menu, in the order it lists them.
  enum MenuCommand : int { kMenuSave = 1, kMenuLoad, kMenuAdvertise, kMenuHelp };

 private:
  // The controls, one row each.
  static constexpr std::array<ControlRow<Compact>, 21> Layout();

  void Form_Load();
  void Form_Initialize();
  Role WindowRole() const override { return Role::Compact; }

  void Command2_Click();
  // The "options" pop-up menu and the command chosen in it.
  void OptionsMenu();
  void Command3_Click();
  void sav_Click() { run_.Save(*this, kPresetSection); }
  void loa_Click();
  void add_Click() { run_.Advertise(*this); }
  void hel_Click() { run_.OpenHelp(); }
  void sb_Change() { ApplyBar(); }
  // Enables pic3 and pic4 for the bar's value; nothing else.
  void ApplyBar();

  RunView& main_;
  Reentry menuOpen_;
};

}  // namespace quillon
