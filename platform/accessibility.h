// What screen readers and other assistive technology learn of our controls
// beyond what Windows' standard accessibility proxies report. A custom
// control's window text is already its name; Windows' direct annotation
// (IAccPropServices) adds a value, and a name where the proxy would look for
// a label instead of the window text (scroll bars).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <utility>

struct IAccPropServices;

namespace quillon {

// The annotations of one window's controls, cleared when this goes. Holds
// COM initialised on the thread for as long as it lives.
class AccessibleAnnotations {
 public:
  AccessibleAnnotations();
  ~AccessibleAnnotations();
  AccessibleAnnotations(const AccessibleAnnotations&) = delete;
  AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

  // Whether Windows offers annotations here. Without them (Wine's oleacc
  // answers every annotation with E_NOTIMPL) assistive technology still has
  // the controls' names from their window texts.
  bool Available() const { return services_ != nullptr; }

  // The name and value assistive technology reads for the control. A value
  // that differs from the last one set is announced as a change of value.
  // False when the annotation could not be made.
  bool SetName(HWND control, const std::u16string& name);
  bool SetValue(HWND control, const std::u16string& value);

 private:
  bool Set(HWND control, int property, const std::u16string& text);

  IAccPropServices* services_ = nullptr;
  bool uninitialise_ = false;
  // What was set, by control and property, to clear it and to skip repeats.
  std::map<std::pair<HWND, int>, std::u16string> set_;
};

}  // namespace quillon
