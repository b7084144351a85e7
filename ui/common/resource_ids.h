// Resource ids of the program's icons, shared by the resource script and the
// windows: plain defines, which the resource compiler reads too.
#pragma once

#define IDI_MAIN 1
#define IDI_COMPACT 2
