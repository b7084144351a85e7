#include "platform/single_instance.h"

namespace quillon {

SingleInstance::SingleInstance(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {
  // A mutex that cannot be made at all does not stop the program.
  first_ = !(mutex_ && GetLastError() == ERROR_ALREADY_EXISTS);
}

SingleInstance::~SingleInstance() {
  if (mutex_) CloseHandle(mutex_);
}

bool ActivateShownWindow(std::initializer_list<const wchar_t*> classNames) {
  // The first copy may still be starting: its window appears after its
  // load steps.
  for (int attempt = 0; attempt < 50; ++attempt) {
    for (const wchar_t* name : classNames) {
      HWND window = FindWindowW(name, nullptr);
      if (window && IsWindowVisible(window)) {
        SetForegroundWindow(window);
        return true;
      }
    }
    Sleep(100);
  }
  return false;
}

}  // namespace quillon
