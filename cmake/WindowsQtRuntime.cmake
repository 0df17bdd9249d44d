# What the Windows programs need beside them to run: the Qt DLLs, the C++ runtime they were
# linked against, Qt's plugin folder and Debian's Qt translations (qt_root, qt_dlls,
# runtime_dlls, WIREVANE_QT_TRANSLATIONS).
get_target_property(qt_core_dll Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(qt_bin_dir ${qt_core_dll} DIRECTORY)
get_filename_component(qt_root ${qt_bin_dir} DIRECTORY)

set(qt_dlls Core Gui Widgets Network)
list(TRANSFORM qt_dlls REPLACE "(.+)" "${qt_bin_dir}/Qt6\\1.dll")
# The C++ runtime the Qt DLLs were linked against; our own programs carry theirs inside.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
  OUTPUT_VARIABLE libstdcxx_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libgcc_s_seh-1.dll
  OUTPUT_VARIABLE libgcc_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
find_file(WIREVANE_WINPTHREAD_DLL libwinpthread-1.dll PATHS /usr/x86_64-w64-mingw32/lib
  NO_DEFAULT_PATH REQUIRED)
set(runtime_dlls)
# Debian ships them with their debug information (libstdc++ is 23 MB so): stripped copies.
find_program(WIREVANE_MINGW_STRIP x86_64-w64-mingw32-strip REQUIRED)
foreach(dll IN ITEMS ${libstdcxx_dll} ${libgcc_dll} ${WIREVANE_WINPTHREAD_DLL})
  if(NOT EXISTS ${dll})
    message(FATAL_ERROR "The Windows programs need ${dll}")
  endif()
  get_filename_component(name ${dll} NAME)
  set(stripped ${PROJECT_BINARY_DIR}/windows-runtime/${name})
  if(NOT EXISTS ${stripped})
    file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/windows-runtime)
    execute_process(COMMAND ${WIREVANE_MINGW_STRIP} --strip-unneeded -o ${stripped} ${dll}
      COMMAND_ERROR_IS_FATAL ANY)
  endif()
  list(APPEND runtime_dlls ${stripped})
endforeach()
foreach(dll IN LISTS qt_dlls)
  if(NOT EXISTS ${dll})
    message(FATAL_ERROR "The Windows programs need ${dll}")
  endif()
endforeach()
find_path(WIREVANE_QT_TRANSLATIONS qtbase_ja.qm PATHS /usr/share/qt6/translations NO_DEFAULT_PATH
  NO_CMAKE_FIND_ROOT_PATH REQUIRED)

# wirevane_windows_runtime(FOLDER [QT module...])
# Makes FOLDER a place where built programs start under wine: the DLLs beside them (with those of
# the further Qt modules named) and a qt.conf that points at Qt's plugins and the translations.
function(wirevane_windows_runtime folder)
  cmake_parse_arguments(A "" "" "QT" ${ARGN})
  list(TRANSFORM A_QT REPLACE "(.+)" "${qt_bin_dir}/Qt6\\1.dll")
  file(COPY ${qt_dlls} ${A_QT} ${runtime_dlls} DESTINATION ${folder})
  file(WRITE ${folder}/qt.conf "[Paths]\nPrefix = Z:${qt_root}\nTranslations = Z:${WIREVANE_QT_TRANSLATIONS}\n")
endfunction()
