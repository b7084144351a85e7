# Cross-compiles the Windows program with MinGW-w64 (x86_64, posix threads).
# The top-level list links it statically and runs the tests under Wine, in
# the private prefix of the build tree.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
