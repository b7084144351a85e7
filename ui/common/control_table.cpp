#include "ui/common/control_table.h"

namespace quillon {
namespace {

PixelRect Px(const ControlPlan& plan, int dpi) { return ToPixels(plan.rect, dpi); }

}  // namespace

bool CreateControl(TextBox& control, HWND parent, const ControlPlan& plan, int dpi) {
  const bool fixed = plan.kind == Kind::FixedText;
  if (!control.Create(parent, Px(plan, dpi), plan.id, fixed ? 0 : plan.initial, fixed)) return false;
  if (plan.caption && *plan.caption) SetWindowTextW(control.hwnd(), plan.caption);
  return true;
}

bool CreateControl(CheckBox& control, HWND parent, const ControlPlan& plan, int dpi) {
  if (!control.Create(parent, plan.caption, Px(plan, dpi), plan.id)) return false;
  control.SetValue(plan.initial);
  return true;
}

bool CreateControl(Button& control, HWND parent, const ControlPlan& plan, int dpi) {
  return control.Create(parent, plan.caption, Px(plan, dpi), plan.id, plan.kind == Kind::DefaultButton);
}

bool CreateControl(Label& control, HWND parent, const ControlPlan& plan, int dpi) {
  return control.Create(parent, plan.caption, Px(plan, dpi), plan.id);
}

bool CreateControl(ComboBox& control, HWND parent, const ControlPlan& plan, int dpi) {
  return control.Create(parent, Px(plan, dpi), plan.id);
}

bool CreateControl(ScrollBar& control, HWND parent, const ControlPlan& plan, int dpi) {
  if (!control.Create(parent, Px(plan, dpi), plan.id, kBarMin, kBarMax, plan.initial, 1, 1)) return false;
  SetWindowTextW(control.hwnd(), plan.caption);
  return true;
}

bool CreateControl(PictureBox& control, HWND parent, const ControlPlan& plan, int dpi) {
  OleColor back = plan.initial;
  // A system colour is named by its index with the top bit set.
  if (static_cast<std::uint32_t>(back) & 0x80000000u)
    back = static_cast<OleColor>(GetSysColor(static_cast<int>(back & 0xFF)));
  if (!control.Create(parent, Px(plan, dpi), plan.id, back)) return false;
  SetWindowTextW(control.hwnd(), plan.caption);
  return true;
}

bool CreateControl(Frame& control, HWND parent, const ControlPlan& plan, int dpi) {
  return control.Create(parent, Px(plan, dpi));
}

void AttachHandler(Button& control, std::function<void()> handler) { control.onClick = std::move(handler); }
void AttachHandler(Label& control, std::function<void()> handler) { control.onClick = std::move(handler); }
void AttachHandler(PictureBox& control, std::function<void()> handler) { control.onClick = std::move(handler); }
void AttachHandler(ScrollBar& control, std::function<void()> handler) { control.onChange = std::move(handler); }

}  // namespace quillon
