# One INTERFACE target carries the warning flags, so every target gets the same set.
add_library(wirevane_warnings INTERFACE)
if(MSVC)
  target_compile_options(wirevane_warnings INTERFACE /W4 /permissive-)
else()
  target_compile_options(wirevane_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
    -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual)
endif()
# Text never meets bytes without a named encoding.
add_library(wirevane_qt_defs INTERFACE)
target_compile_definitions(wirevane_qt_defs INTERFACE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
