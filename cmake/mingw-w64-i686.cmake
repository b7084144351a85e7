# Cross-compiles the Windows program with MinGW-w64 for 32-bit x86 (posix
# threads): the build that runs on every Windows from XP SP3 on, 32-bit and
# 64-bit alike. The top-level list links it statically and runs the tests
# under 32-bit Wine, in the private prefix of the build tree.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
