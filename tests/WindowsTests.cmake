# The tests of the Windows build: the plain C++ layers, the Windows backends and the headless
# runner, run under wine. The linux/ folders hold the tests of Linux's own calls (termios,
# pseudo-terminals, flock, /sys, a small tmpfs, the runner's process tests) and are not built
# here; the Windows backends have their own tests in platform/win32.

# wine makes its prefix on first use; the tests must not race to make it. Its server stays up
# until the last test is done, because one that quits when idle can refuse a test that starts
# just then ("recvmsg: Connection reset by peer"). The server and the services wineboot starts
# live on, so their output goes away from ctest, which would wait for it.
add_test(NAME wine_prefix COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/windows/start_wine_server.sh)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
add_test(NAME wine_server_stop COMMAND wineserver -k)
set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine_prefix)
set(WIREVANE_TEST_FIXTURES wine_prefix)

wirevane_test(test_platform DIRS platform platform/win32 DEPS platform)
wirevane_test(test_core DIRS core DEPS core)
wirevane_test(test_serial DIRS serial DEPS serial)
wirevane_test(test_persistence DIRS persistence DEPS persistence)
wirevane_test(test_grid_layout DIRS grid/layout DEPS grid_layout)
wirevane_test(test_buttons_file DIRS buttons/file DEPS buttons_file)
wirevane_test(test_tools DIRS tools DEPS core platform runner)

# The headless runner end to end: a pseudo-terminal mapped as COM5, a table, the CR answers.
find_program(PYTHON3 python3)
if(PYTHON3 AND CMAKE_HOST_SYSTEM_NAME STREQUAL "Linux")
  add_test(NAME windows.runner_on_com_port
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows/com_port_run_test.py)
  set_tests_properties(windows.runner_on_com_port PROPERTIES TIMEOUT 400
    ENVIRONMENT "WIREVANE_RUNNER_EXE=$<TARGET_FILE:wirevane-run>;WIREVANE_COM_PREFIX=${PROJECT_BINARY_DIR}/wine-prefix-com")
endif()
wirevane_test(test_terminal_traffic DIRS terminal/traffic DEPS terminal_traffic)
wirevane_test(test_chart_model DIRS chart/model DEPS chart_model)

if(NOT WIREVANE_GUI)
  return()
endif()
# The windows under wine with the offscreen platform, with the same labels as on Linux. Each
# window test folder keeps in linux/ what needs a pseudo-terminal, the device simulator, a small
# tmpfs, Linux's process calls or its error texts, and in fonts/ what measures text against the
# fonts, which under wine are all its IPA Gothic stand-in; neither is built here.
wirevane_test(test_platform_qt DIRS platform_qt DEPS platform_qt QT)
wirevane_test(test_grid DIRS grid DEPS grid QT)
wirevane_test(test_buttons DIRS buttons DEPS buttons QT)
wirevane_test(test_commands DIRS commands DEPS commands QT)
wirevane_test(test_terminal DIRS terminal DEPS terminal connection platform_qt QT)
wirevane_test(test_chart DIRS chart DEPS chart QT)
wirevane_test(test_app DIRS app DEPS app QT)
if(TARGET test_app)
  add_dependencies(test_app wirevane)
endif()

# The program with Windows' own window system on a private X display, and the package: both
# need an X server and xdotool to drive the windows, and the installer needs NSIS.
find_program(XVFB Xvfb)
find_program(XDOTOOL xdotool)
if(PYTHON3 AND XVFB AND XDOTOOL AND CMAKE_HOST_SYSTEM_NAME STREQUAL "Linux")
  add_test(NAME windows.program_on_com_port
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows/gui_com_port_test.py)
  set_tests_properties(windows.program_on_com_port PROPERTIES TIMEOUT 400 ENVIRONMENT
    "WIREVANE_PROGRAM_DIR=$<TARGET_FILE_DIR:wirevane>;WIREVANE_GUI_PREFIX=${PROJECT_BINARY_DIR}/wine-prefix-gui")
  # A second copy brings the first one's minimised main window back: minimising and the active
  # window need a window manager.
  find_program(OPENBOX openbox)
  if(OPENBOX)
    add_test(NAME windows.second_copy_shows_the_first
      COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows/single_copy_test.py)
    set_tests_properties(windows.second_copy_shows_the_first PROPERTIES TIMEOUT 400 ENVIRONMENT
      "WIREVANE_PROGRAM_DIR=$<TARGET_FILE_DIR:wirevane>;WIREVANE_SINGLE_COPY_PREFIX=${PROJECT_BINARY_DIR}/wine-prefix-single")
  endif()
  find_program(MAKENSIS makensis)
  if(MAKENSIS)
    add_test(NAME windows.installed_package
      COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows/installer_test.py)
    set_tests_properties(windows.installed_package PROPERTIES TIMEOUT 900 ENVIRONMENT
      "WIREVANE_BUILD_DIR=${PROJECT_BINARY_DIR};CPACK_COMMAND=${CMAKE_CPACK_COMMAND};WIREVANE_VERSION=${PROJECT_VERSION}")
  endif()
endif()
