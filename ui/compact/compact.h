// The compact window: the main window's functions in less space, with save,
// load, advertise and help in a pop-up menu. No preview.
#pragma once

#include <array>
#include <functional>

#include "ui/common/fader_window.h"

namespace quillon {

class Compact final : public FaderWindow {
 public:
  // showMain brings the main window back when the user chooses "normal";
  // run is the main window's, which closing either window ends.
  Compact(WindowOps& host, ProfileStore& prefs, RunState& run, std::function<void()> showMain)
      : FaderWindow(host, prefs, &run), showMain_(std::move(showMain)) {}
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
  bool Form_Unload() override;

  void Command2_Click();
  void Command3_Click();
  void sav_Click() { SaveStyleSet(kPresetSection); }
  void loa_Click();
  void add_Click() { Advertise(); }
  void hel_Click() { OpenHelp(); }
  void sb_Change() { ApplyBar(); }
  // Enables pic3 and pic4 for the bar's value; nothing else.
  void ApplyBar();

  std::function<void()> showMain_;
  bool menuOpen_ = false;
};

}  // namespace quillon
