# Cross-compiling Tavlin for 64-bit Windows with MinGW-w64 (POSIX threads),
# statically linked so that the programs need no DLL of the toolchain.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVLIN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVLIN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVLIN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVLIN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVLIN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# GCC cannot keep the Windows stack aligned for 32-byte AVX values, so a
# spilled one must not be moved with an instruction that needs alignment.
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine; the build tree wraps it with its own prefix.
find_program(TAVLIN_WINE wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVLIN_WINE})
