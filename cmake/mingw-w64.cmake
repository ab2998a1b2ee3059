# Cross build for 32-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-i686-win32): the programs
# the adapter's owners run, from Windows XP on (the 9x family's roads are taken at run time).
# The win32 thread model: the posix one links winpthreads, whose imports need Vista. Programs are
# linked statically, and CTest runs them under 32-bit Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 5.1)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Windows XP is the floor: its headers' view of the API, and the PE header's OS and subsystem
# versions (5.01), which the linker otherwise sets to 6.0 and XP's loader refuses.
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0501 -DWINVER=0x0501")
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0501 -DWINVER=0x0501")
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--major-os-version,5,--minor-os-version,1 -Wl,--major-subsystem-version,5,--minor-subsystem-version,1")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")  # shipped programs carry no symbols
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
