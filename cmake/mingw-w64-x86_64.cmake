# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64-win32),
# in the compiler's default thread model: the programs start no threads. Naming the variant
# keeps the build the same whichever one the machine's alternatives point at.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(T2C_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_CXX_COMPILER ${T2C_MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER ${T2C_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${T2C_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A bare Windows has none of the compiler's runtime DLLs: link them all in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The released program carries no symbols; the tests run that very file.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
