// The run of a test program "as on Windows XP": every function of a newer
// Windows that the program looks up is taken away before the first test,
// and the tick count is widened from the 32-bit one by the program's
// stand-in. The test's second CTest entry (quillon_test_as_on_xp) asks for
// it with QUILLON_AS_ON_XP=1 in the environment.
#pragma once

#include <windows.h>

namespace quillon::testing {

inline bool AsOnXpRequested() {
  wchar_t value[2] = {};
  return GetEnvironmentVariableW(L"QUILLON_AS_ON_XP", value, 2) == 1 && value[0] == L'1';
}

}  // namespace quillon::testing
