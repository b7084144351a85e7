# The portable core as 32-bit Linux code with x87 arithmetic, as the 32-bit
# Windows program computes. Built with the host's multilib compiler; where
# the kernel runs no 32-bit program, QUILLON_X86_32_EMULATOR (qemu-i386)
# runs the tests, GoogleTest's discovery included.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32 -mfpmath=387")
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(QUILLON_X86_32_EMULATOR "" CACHE FILEPATH "Runs 32-bit programs where the kernel does not")
if(QUILLON_X86_32_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLON_X86_32_EMULATOR})
endif()
