# Cross build for 64-bit Windows with Debian's mingw-w64 (the POSIX thread model, so that the
# standard library's threads and mutexes exist). Programs are linked -static: they then import only
# Windows' own DLLs, and a missing runtime DLL cannot stop them before their first line.
#
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/windows-x86_64.toolchain.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KALVERO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KALVERO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KALVERO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KALVERO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KALVERO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# mingw has no sanitizers.
set(KALVERO_SANITIZE OFF CACHE BOOL "mingw has no sanitizers" FORCE)
