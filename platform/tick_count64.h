// The stand-in for GetTickCount64 that tick_count64.cpp links into the
// program in place of kernel32's import.
#pragma once

#include "platform/tick_widener.h"

namespace quillon {

// The stand-in's widening of the 32-bit tick count as its last call left
// it: where Windows has no GetTickCount64, every call reads the count
// through it; elsewhere it reads nothing.
TickWidener TickCountWidening();

}  // namespace quillon
