#include "platform/clock.h"

#include <windows.h>

namespace quillon {

double MonotonicSeconds() {
  // The frequency is fixed at boot; asking for it costs next to nothing.
  LARGE_INTEGER frequency, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace quillon
