# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64). Programs are
# linked statically, and CTest runs them under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)  # std::mutex needs the posix threads model
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# The Qt kit that tools/windows-kit builds (Qt 6.4.2 for MinGW-w64) is found in the user's cache;
# the host's Qt 6.4.2 tools (moc, rcc, uic) serve the cross build. Without the kit, everything but
# the tray program builds.
if(DEFINED ENV{XDG_CACHE_HOME} AND NOT "$ENV{XDG_CACHE_HOME}" STREQUAL "")
  set(nv_cache_home "$ENV{XDG_CACHE_HOME}")
else()
  set(nv_cache_home "$ENV{HOME}/.cache")
endif()
set(NETVANE_QT_KIT "${nv_cache_home}/netvane/qt6-mingw-6.4.2" CACHE PATH
    "Qt for MinGW-w64, made by tools/windows-kit")
if(EXISTS "${NETVANE_QT_KIT}/.complete")
  list(APPEND CMAKE_FIND_ROOT_PATH "${NETVANE_QT_KIT}")
  set(QT_HOST_PATH /usr CACHE PATH "")
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")
endif()
