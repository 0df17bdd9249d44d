# Cross-builds for 64-bit Windows with Debian's mingw-w64. The -posix compilers are the ones
# whose libstdc++ has std::thread, std::mutex and std::condition_variable.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triple}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triple})

# Qt for Windows, when scripts/build-qt-mingw.sh has built or unpacked it (or WIREVANE_QT_MINGW_DIR
# names another tree): its CMake packages are found under it, its host tools (moc, rcc, uic) are
# Debian's of the same version.
if(DEFINED ENV{WIREVANE_QT_MINGW_DIR})
  set(wirevane_qt_mingw $ENV{WIREVANE_QT_MINGW_DIR})
elseif(DEFINED ENV{XDG_CACHE_HOME})
  set(wirevane_qt_mingw $ENV{XDG_CACHE_HOME}/wirevane/qt-6.4.2-mingw)
else()
  set(wirevane_qt_mingw $ENV{HOME}/.cache/wirevane/qt-6.4.2-mingw)
endif()
if(EXISTS ${wirevane_qt_mingw}/lib/cmake/Qt6/Qt6Config.cmake)
  list(APPEND CMAKE_FIND_ROOT_PATH ${wirevane_qt_mingw})
  set(QT_HOST_PATH /usr)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One .exe with no DLLs beside it: the runtime libraries and winpthread are linked in, so the
# programs start under wine and on a Windows machine without a MinGW installation.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests run under wine, each test in the preset's private prefix, through a script that keeps
# wine's desktop process off the test's output.
find_program(WIREVANE_WINE wine)
if(WIREVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR sh ${CMAKE_CURRENT_LIST_DIR}/wine-test-runner.sh ${WIREVANE_WINE})
endif()
