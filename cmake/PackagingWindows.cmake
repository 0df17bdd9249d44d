# The Windows package, made on Linux from the cross build: the programs, the Qt DLLs and only the
# plugins the program loads, Qt's Japanese translation and the licence texts, as an NSIS
# installer and a portable zip. The files are listed here (windeployqt does not run on Linux).
# Everything goes into one folder, which is the program's folder: an installed copy keeps its
# settings in %APPDATA% (Program Files is not the user's), an unpacked zip beside the program.

install(FILES ${qt_dlls} ${runtime_dlls} DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/qt.conf DESTINATION .)
# The icons are painted by the program and no picture is read: no image format plugin is needed.
install(FILES ${qt_root}/plugins/platforms/qwindows.dll DESTINATION plugins/platforms)
install(FILES ${qt_root}/plugins/styles/qwindowsvistastyle.dll DESTINATION plugins/styles)

# Qt's own texts (standard buttons, file dialogs) in Japanese, from Debian's Qt translations.
install(FILES ${WIREVANE_QT_TRANSLATIONS}/qtbase_ja.qm DESTINATION translations)

set(licence_files)
foreach(licence
    "/usr/share/common-licenses/LGPL-3|Qt-LGPL-3.txt"
    "/usr/share/common-licenses/GPL-3|GPL-3.txt"
    "/usr/share/doc/qt6-base-dev/copyright|Qt-copyright.txt"
    "/usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright|GCC-runtime-copyright.txt"
    "/usr/share/doc/mingw-w64-x86-64-dev/copyright|MinGW-w64-copyright.txt")
  string(REPLACE "|" ";" pair "${licence}")
  list(GET pair 0 from)
  list(GET pair 1 to)
  if(NOT EXISTS ${from})
    message(FATAL_ERROR "The Windows package needs the licence text ${from}")
  endif()
  install(FILES ${from} DESTINATION licences RENAME ${to})
endforeach()

# cpack packs what the build made; it does not build every target (the GUI tests too) first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR NSIS ZIP)
set(CPACK_PACKAGE_NAME Wirevane)
set(CPACK_PACKAGE_VENDOR "Wirevane")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "send a table of messages to a device over a serial port")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Wirevane)
set(CPACK_PACKAGE_FILE_NAME Wirevane-${PROJECT_VERSION}-win64)
set(CPACK_STRIP_FILES ON)
set(CPACK_NSIS_DISPLAY_NAME Wirevane)
set(CPACK_NSIS_PACKAGE_NAME Wirevane)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer: the program is one, and a 32-bit stub needs wine32 to be tried here.
set(CPACK_NSIS_DEFINES "  Target amd64-unicode")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_PACKAGE_EXECUTABLES wirevane Wirevane)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN wirevane.exe)
include(CPack)
