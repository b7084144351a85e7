#include "platform/newer_windows.h"

#include <atomic>

namespace quillon {
namespace {

template <typename Function>
Function Find(const wchar_t* module, const char* name) {
  HMODULE loaded = GetModuleHandleW(module);
  return loaded ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(loaded, name))) : nullptr;
}

NewerWindows LookUp() {
  NewerWindows found;
  found.getTickCount64 = Find<decltype(found.getTickCount64)>(L"kernel32.dll", "GetTickCount64");
  found.getDpiForWindow = Find<decltype(found.getDpiForWindow)>(L"user32.dll", "GetDpiForWindow");
  found.adjustWindowRectExForDpi =
      Find<decltype(found.adjustWindowRectExForDpi)>(L"user32.dll", "AdjustWindowRectExForDpi");
  return found;
}

// What the system has, kept for the run. The first caller writes what it
// looked up and then marks it written; a caller that comes in between uses
// what it looked up itself. Constant-initialised: nothing runs before the
// first call.
enum : int { kNotLookedUp, kWriting, kWritten };
constinit NewerWindows lookedUp{};
constinit std::atomic<int> lookUpState{kNotLookedUp};
constinit std::atomic<bool> forgotten{false};

}  // namespace

NewerWindows NewerWindowsFunctions() {
  if (forgotten.load(std::memory_order_acquire)) return {};
  if (lookUpState.load(std::memory_order_acquire) == kWritten) return lookedUp;
  const NewerWindows found = LookUp();
  int expected = kNotLookedUp;
  if (lookUpState.compare_exchange_strong(expected, kWriting, std::memory_order_acq_rel)) {
    lookedUp = found;
    lookUpState.store(kWritten, std::memory_order_release);
  }
  return found;
}

void ForgetNewerWindows() { forgotten.store(true, std::memory_order_release); }

}  // namespace quillon
