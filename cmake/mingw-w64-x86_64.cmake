# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64).
# Every program is linked statically, so it needs no DLL beyond the system's;
# the cross-built tests run under Wine through wine-run beside this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The POSIX thread model: GoogleTest needs std::mutex, which the win32 model of
# GCC 12 lacks. Its thread library is linked in statically like the rest.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/cli11 CACHE PATH "CLI11 for the cross build")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The Wine prefix lives in the build folder, so a fresh build gets a fresh one.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${CMAKE_BINARY_DIR}/wine)
