// GetTickCount64 for the program and for the threading runtime that
// libstdc++ links in (its timed waits measure time with it), so that the
// program does not import it: the function is missing from Windows XP's
// kernel32, and one missing import keeps the whole program from loading
// there. Linked as an object, ahead of kernel32's import library, this
// pointer takes the place of the import's. Where Windows has the function it
// is used; on XP the 32-bit tick count is widened by counting its
// wrap-arounds, which holds as long as it is asked at least once every 49.7
// days: the send asks at every send and every Enter.
#include <windows.h>

namespace {

ULONGLONG WINAPI TickCountWidened() {
  // Zero-initialised, so no guard. The program counts on one thread.
  static DWORD last = 0;
  static ULONGLONG wraps = 0;
  const DWORD now = GetTickCount();
  if (now < last) ++wraps;
  last = now;
  return (wraps << 32) | now;
}

using TickCount64Function = ULONGLONG(WINAPI*)();

// Looked up on every call, without a guarded static: the guard itself runs
// on the threading runtime that calls this.
ULONGLONG WINAPI TickCount64() {
  const auto system = reinterpret_cast<TickCount64Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
  return system ? system() : TickCountWidened();
}

}  // namespace

#if defined(_WIN64)
#define QUILLON_IMPORT_NAME "__imp_GetTickCount64"
#else
#define QUILLON_IMPORT_NAME "__imp__GetTickCount64@0"
#endif
extern "C" {
TickCount64Function quillon_tick_count64 __asm__(QUILLON_IMPORT_NAME) = TickCount64;
}
