// The host link's window operations over user32 and kernel32.
#pragma once

#include <windows.h>

#include "host/host_link.h"

namespace quillon {

class Win32WindowOps : public WindowOps {
 public:
  // How long a message to the client may take before the client counts as
  // not answering; a hung client cannot freeze this program for longer.
  static constexpr UINT kSendTimeoutMs = 2000;

  WindowHandle FindTopLevel(const char* className) override;
  WindowHandle FindChild(WindowHandle parent, const char* className) override;
  WindowHandle FirstSibling(WindowHandle window) override;
  WindowHandle NextSibling(WindowHandle window) override;
  bool SetText(WindowHandle window, const std::u16string& text) override;
  bool SendChar(WindowHandle window, char16_t code) override;
  void ProcessPendingEvents() override;
  double Now() override;
  void WaitForEvents(double seconds) override;
};

}  // namespace quillon
