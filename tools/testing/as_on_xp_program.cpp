// Linked into quillon_as_on_xp.exe, the program's copy that the tests' runs
// as on Windows XP start: the newer functions are taken away before the
// program's first line runs. The program itself reads nothing to decide it.
#include "platform/newer_windows.h"

namespace {

[[maybe_unused]] const bool forgotten = (quillon::ForgetNewerWindows(), true);

}  // namespace
