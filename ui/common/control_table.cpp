#include "ui/common/control_table.h"

namespace quillon {
namespace {

PixelRect Px(const ControlSpec& spec, int dpi) { return ToPixels(spec.rect, dpi); }

}  // namespace

bool CreateControl(TextBox& control, HWND parent, const ControlSpec& spec, int dpi) {
  const bool fixed = spec.kind == Kind::FixedText;
  if (!control.Create(parent, Px(spec, dpi), spec.id, fixed ? 0 : spec.initial, fixed)) return false;
  if (spec.caption && *spec.caption) SetWindowTextW(control.hwnd(), spec.caption);
  return true;
}

bool CreateControl(CheckBox& control, HWND parent, const ControlSpec& spec, int dpi) {
  if (!control.Create(parent, spec.caption, Px(spec, dpi), spec.id)) return false;
  control.SetValue(spec.initial);
  return true;
}

bool CreateControl(Button& control, HWND parent, const ControlSpec& spec, int dpi) {
  return control.Create(parent, spec.caption, Px(spec, dpi), spec.id, spec.kind == Kind::DefaultButton);
}

bool CreateControl(Label& control, HWND parent, const ControlSpec& spec, int dpi) {
  return control.Create(parent, spec.caption, Px(spec, dpi), spec.id);
}

bool CreateControl(ComboBox& control, HWND parent, const ControlSpec& spec, int dpi) {
  return control.Create(parent, Px(spec, dpi), spec.id);
}

bool CreateControl(ScrollBar& control, HWND parent, const ControlSpec& spec, int dpi) {
  if (!control.Create(parent, Px(spec, dpi), spec.id, kBarMin, kBarMax, spec.initial, 1, 1)) return false;
  SetWindowTextW(control.hwnd(), spec.caption);
  return true;
}

bool CreateControl(PictureBox& control, HWND parent, const ControlSpec& spec, int dpi) {
  OleColor back = spec.initial;
  // A system colour is named by its index with the top bit set.
  if (static_cast<std::uint32_t>(back) & 0x80000000u)
    back = static_cast<OleColor>(GetSysColor(static_cast<int>(back & 0xFF)));
  if (!control.Create(parent, Px(spec, dpi), spec.id, back)) return false;
  SetWindowTextW(control.hwnd(), spec.caption);
  return true;
}

bool CreateControl(Frame& control, HWND parent, const ControlSpec& spec, int dpi) {
  return control.Create(parent, Px(spec, dpi));
}

void AttachHandler(Button& control, std::function<void()> handler) { control.onClick = std::move(handler); }
void AttachHandler(Label& control, std::function<void()> handler) { control.onClick = std::move(handler); }
void AttachHandler(PictureBox& control, std::function<void()> handler) { control.onClick = std::move(handler); }
void AttachHandler(ScrollBar& control, std::function<void()> handler) { control.onChange = std::move(handler); }

}  // namespace quillon
