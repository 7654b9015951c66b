# Cross-build for 64-bit Windows with Debian's MinGW-w64 (posix thread variant:
# the win32 variant has no std::mutex). Linked -static, so the programs need no
# runtime DLLs beside them; the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(Z9_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${Z9_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${Z9_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${Z9_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${Z9_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest starts every test program through Wine, by way of scripts/wine-test,
# which tells a run Wine spoilt from a test that failed.
find_program(Z9_WINE NAMES wine REQUIRED)
get_filename_component(Z9_WINE_TEST "${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-test" ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${Z9_WINE_TEST})

# Debian packages no Qt for MinGW: only what needs no Qt is built.
set(Z9_WITH_QT OFF CACHE BOOL "" FORCE)
