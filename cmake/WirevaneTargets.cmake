# Qt's widget headers are most of what a window's source file costs to compile, the more so with
# the cross compiler, and GoogleTest's header is about half of what a plain test source costs.
# Targets of one kind compile them with the same flags, so each set is parsed once per build, into
# a header that all of them reuse: one per target cost 150-190 MB of disk each, about 9 GB over
# the three builds CI makes, and filled the compiler cache. Only headers that every such target
# may see go in: Qt's, GoogleTest's for the tests, and the standard library's. Tests add macros of
# their own (QtTest's), which these headers never read, so the headers stay valid for them.
option(WIREVANE_PCH "Precompile Qt's and GoogleTest's headers" ON)
# The compiler uses a header only in sources compiled with its code model. On Linux, Qt's targets
# pass -fPIC on, so a plain test that links a Qt library gets it too; all plain tests and their
# header are compiled with it, so that one header serves them all.
function(wirevane_test_code_model name)
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
    target_compile_options(${name} PRIVATE -fPIC)
  endif()
endfunction()
# A plain test or test helper reuses the tests' own header (tests/CMakeLists.txt).
function(wirevane_test_precompiled_headers name)
  if(TARGET wirevane_test_pch)
    target_precompile_headers(${name} REUSE_FROM wirevane_test_pch)
    wirevane_test_code_model(${name})
  endif()
endfunction()
set(wirevane_pch_std <functional> <memory> <optional> <string> <vector>)
set(wirevane_pch_owner ${CMAKE_CURRENT_LIST_DIR}/pch_owner.cpp)
set(wirevane_pch_qt <QObject> <QString> <QStringList> <QList> <QHash> <QTimer> <QWidget> <QDialog>
  <QPainter> <QLabel> <QPushButton> <QComboBox> <QLineEdit> <QVBoxLayout> <QHBoxLayout>
  <QApplication>)
if(WIREVANE_PCH AND WIREVANE_GUI)
  add_library(wirevane_qt_pch OBJECT ${wirevane_pch_owner})
  target_link_libraries(wirevane_qt_pch PRIVATE Qt6::Widgets wirevane_qt_defs wirevane_warnings)
  target_precompile_headers(wirevane_qt_pch PRIVATE ${wirevane_pch_qt} ${wirevane_pch_std})
endif()
function(wirevane_precompiled_headers name owner)
  if(TARGET ${owner})
    target_precompile_headers(${name} REUSE_FROM ${owner})
  endif()
endfunction()

# wirevane_library(NAME DIRS dir... [DEPS target...] [QT])
# Builds the .cpp files found directly in DIRS into one static library. A folder holding only
# headers becomes an INTERFACE library. QT turns on moc/rcc and the Qt text-safety definitions.
function(wirevane_library name)
  cmake_parse_arguments(A "QT" "" "DIRS;DEPS" ${ARGN})
  set(sources)
  set(headers)
  foreach(dir IN LISTS A_DIRS)
    file(GLOB found_cpp CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
    file(GLOB found_h CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.qrc)
    list(APPEND sources ${found_cpp})
    list(APPEND headers ${found_h})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources} ${headers})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${A_DEPS} PRIVATE wirevane_warnings)
    if(A_QT)
      set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
      target_link_libraries(${name} PUBLIC wirevane_qt_defs)
      if("Qt6::Widgets" IN_LIST A_DEPS)
        wirevane_precompiled_headers(${name} wirevane_qt_pch)
      endif()
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${A_DEPS})
  endif()
endfunction()

# wirevane_test(NAME DIRS dir... DEPS target... [QT] [EXCLUDE file...])
# One test executable per folder of tests/. QT tests get a main that creates a QApplication
# (offscreen) before GoogleTest runs; without the windows they are not built. EXCLUDE leaves out
# files of the folders by name (tests of one system's calls on another system).
function(wirevane_test name)
  cmake_parse_arguments(A "QT" "" "DIRS;DEPS;EXCLUDE" ${ARGN})
  if(A_QT AND NOT WIREVANE_GUI)
    return()
  endif()
  set(sources)
  foreach(dir IN LISTS A_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.h)
    list(APPEND sources ${found})
  endforeach()
  foreach(excluded IN LISTS A_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "/${excluded}$")
  endforeach()
  set(cpp_sources ${sources})
  list(FILTER cpp_sources INCLUDE REGEX "\\.cpp$")
  if(NOT cpp_sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${A_DEPS} test_support GTest::gtest wirevane_warnings)
  if(A_QT)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    # With the program's network module, as the program's own tests have it: QtTest's header
    # reads whether it is there, and one precompiled header serves them all.
    target_link_libraries(${name} PRIVATE test_support_qt_main test_support_widgets Qt6::Test
      Qt6::Widgets Qt6::Network wirevane_qt_defs)
    # QtTest's header reads the tests' folder from a macro, so the header precompiled with it
    # serves the tests of that folder only; those of another get Qt's alone.
    set(owner wirevane_qt_pch)
    if(TARGET wirevane_qt_test_pch)
      get_target_property(pch_folder wirevane_qt_test_pch BINARY_DIR)
      if(pch_folder STREQUAL CMAKE_CURRENT_BINARY_DIR)
        set(owner wirevane_qt_test_pch)
      endif()
    endif()
    wirevane_precompiled_headers(${name} ${owner})
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    wirevane_test_precompiled_headers(${name})
  endif()
  # Under an emulator (wine) the listing of the tests waits for its start-up as well, and every
  # test waits for the emulator's prefix to be made first. The listing writes each value of a
  # list-valued property as a separate argument, so a second ENVIRONMENT entry would become a
  # property name and take the time-out and the fixture with it: one entry only.
  set(properties ENVIRONMENT QT_QPA_PLATFORM=offscreen TIMEOUT 120)
  if(WIREVANE_TEST_FIXTURES)
    list(APPEND properties FIXTURES_REQUIRED ${WIREVANE_TEST_FIXTURES})
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
    PROPERTIES ${properties})
endfunction()
