# The tests of the Windows build: the plain C++ layers, the Windows backends and the headless
# runner, run under wine. Tests of Linux's own calls (termios, pseudo-terminals, flock, /sys)
# and of the windows are left out; the Windows backends have their own in platform/win32.

# wine makes its prefix on first use; the tests must not race to make it.
add_test(NAME wine_prefix COMMAND wineboot --init)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300)
set(WIREVANE_TEST_FIXTURES wine_prefix)

set(linux_platform_tests atomic_file_test.cpp modem_line_report_test.cpp
  port_enumeration_test.cpp port_open_failure_test.cpp serial_pty_facts_test.cpp
  serial_termios_test.cpp single_instance_test.cpp)
wirevane_test(test_platform DIRS platform platform/win32 DEPS platform
  EXCLUDE ${linux_platform_tests})
wirevane_test(test_core DIRS core DEPS core)
wirevane_test(test_serial DIRS serial DEPS serial
  EXCLUDE serial_test.cpp serial_events_test.cpp serial_hardware_test.cpp)
wirevane_test(test_persistence DIRS persistence DEPS persistence)
wirevane_test(test_grid_layout DIRS grid/layout DEPS grid_layout)
wirevane_test(test_buttons_file DIRS buttons/file DEPS buttons_file)
# The runner's own process tests start and kill it with Linux's calls.
wirevane_test(test_tools DIRS tools DEPS core platform runner
  EXCLUDE runner_test.cpp runner_log_test.cpp)

# The headless runner end to end: a pseudo-terminal mapped as COM5, a table, the CR answers.
find_program(PYTHON3 python3)
if(PYTHON3 AND CMAKE_HOST_SYSTEM_NAME STREQUAL "Linux")
  add_test(NAME windows.runner_on_com_port
    COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/windows/com_port_run_test.py)
  set_tests_properties(windows.runner_on_com_port PROPERTIES TIMEOUT 400
    ENVIRONMENT "WIREVANE_RUNNER_EXE=$<TARGET_FILE:wirevane-run>;WIREVANE_COM_PREFIX=${PROJECT_BINARY_DIR}/wine-prefix-com")
endif()
# A full disk is a small tmpfs, which only Linux mounts.
wirevane_test(test_terminal_traffic DIRS terminal/traffic DEPS terminal_traffic
  EXCLUDE traffic_log_full_disk_test.cpp)
