// GetTickCount64 for the program and for the threading runtime that
// libstdc++ links in (its timed waits measure time with it), so that the
// program does not import it: the function is missing from Windows XP's
// kernel32, and one missing import keeps the whole program from loading
// there. Linked as an object, ahead of kernel32's import library, this
// pointer takes the place of the import's. Where Windows has the function it
// is used; on XP the 32-bit tick count is widened by counting its
// wrap-arounds, which holds as long as it is asked at least once every 49.7
// days: the send asks at every send and every Enter.
#include "platform/tick_count64.h"

#include <windows.h>

#include "platform/newer_windows.h"

namespace {

// The widening's state lives as long as the run, not in a window: the
// runtime reads the tick count before the first window and after the last.
// Constant-initialised, so without a guard, whose code would call the
// stand-in in turn. The program reads the count on one thread.
quillon::TickWidener& Widening() {
  static constinit quillon::TickWidener widening;
  return widening;
}

ULONGLONG WINAPI TickCount64() {
  if (const auto system = quillon::NewerWindowsFunctions().getTickCount64) return system();
  return Widening().Widen(GetTickCount());
}

using TickCount64Function = ULONGLONG(WINAPI*)();

}  // namespace

namespace quillon {

TickWidener TickCountWidening() { return Widening(); }

}  // namespace quillon

#if defined(_WIN64)
#define QUILLON_IMPORT_NAME "__imp_GetTickCount64"
#else
#define QUILLON_IMPORT_NAME "__imp__GetTickCount64@0"
#endif
extern "C" {
TickCount64Function quillon_tick_count64 __asm__(QUILLON_IMPORT_NAME) = TickCount64;
}
