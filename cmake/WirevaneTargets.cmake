# Qt's widget headers are most of what a window's source file costs to compile, the more so with
# the cross compiler. Every Qt target compiles them with the same flags, so they are parsed once
# per build, into one header that all of them reuse: one per target cost 150-190 MB of disk each,
# about 9 GB over the three builds CI makes, and filled the compiler cache. Only headers that
# every such target may see go here: Qt's, and the standard library's. Tests add macros of their
# own (QtTest's, GoogleTest's), which these headers never read, so the header stays valid for them.
option(WIREVANE_PCH "Precompile Qt's headers for the Qt targets" ON)
if(WIREVANE_PCH AND WIREVANE_GUI)
  add_library(wirevane_qt_pch OBJECT ${CMAKE_CURRENT_LIST_DIR}/qt_pch_owner.cpp)
  target_link_libraries(wirevane_qt_pch PRIVATE Qt6::Widgets wirevane_qt_defs wirevane_warnings)
  target_precompile_headers(wirevane_qt_pch PRIVATE <QObject> <QString> <QStringList> <QList>
    <QHash> <QTimer> <QWidget> <QDialog> <QPainter> <QLabel> <QPushButton> <QComboBox>
    <QLineEdit> <QVBoxLayout> <QHBoxLayout> <QApplication> <functional> <memory> <string> <vector>)
endif()
function(wirevane_qt_precompiled_headers name)
  if(TARGET wirevane_qt_pch)
    target_precompile_headers(${name} REUSE_FROM wirevane_qt_pch)
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
        wirevane_qt_precompiled_headers(${name})
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
    target_link_libraries(${name} PRIVATE test_support_qt_main test_support_widgets Qt6::Test Qt6::Widgets wirevane_qt_defs)
    wirevane_qt_precompiled_headers(${name})
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
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
