# One INTERFACE target carries the warning flags, so every target gets the same set.
add_library(wirevane_warnings INTERFACE)
if(MSVC)
  target_compile_options(wirevane_warnings INTERFACE /W4 /permissive-)
else()
  target_compile_options(wirevane_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wmissing-declarations -Wformat=2)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(wirevane_warnings INTERFACE -Wlogical-op)
  endif()
  # GCC 12 at -O2 finds a "potential null pointer dereference" inside libstdc++'s own
  # istreambuf_iterator whenever a whole file is read into a string: a path its end-of-stream
  # test already excludes. Older GCCs go without the warning rather than without that idiom.
  if(NOT (CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13))
    target_compile_options(wirevane_warnings INTERFACE -Wnull-dereference)
  endif()
endif()
# CI turns warnings into errors so none slips in; a user's build with another compiler still
# builds when that compiler finds something new.
option(WIREVANE_WERROR "Treat compiler warnings as errors" OFF)
if(WIREVANE_WERROR)
  if(MSVC)
    target_compile_options(wirevane_warnings INTERFACE /WX)
  else()
    target_compile_options(wirevane_warnings INTERFACE -Werror)
  endif()
endif()
# GCC 12's -Wrestrict misreads libstdc++'s own string concatenation at -O2 (GCC bug 105329) and
# warns inside <string> for plain "text" + std::string; it is silenced where it misfires.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(wirevane_warnings INTERFACE -Wno-restrict)
endif()
# Text never meets bytes without a named encoding.
add_library(wirevane_qt_defs INTERFACE)
target_compile_definitions(wirevane_qt_defs INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
# The same misreading shows as -Wstringop-overflow, -Wstringop-overread and -Warray-bounds for
# u"text" + std::u16string or a std::u16string made from u"text" once GCC 12 inlines the copy
# (always in the mingw-w64 build, in the Linux build where a precompiled header changes what is
# inlined): a bound that no path can reach. The sanitizer build checks real bounds at run time.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  target_compile_options(wirevane_warnings INTERFACE -Wno-stringop-overflow -Wno-stringop-overread
    -Wno-array-bounds)
endif()
