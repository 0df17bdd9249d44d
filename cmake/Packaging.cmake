# What an installed Wirevane adds to the three programs: the menu entry, the AppStream record, the
# icon at the sizes desktops look for, and the manual pages. The package itself is CPack's DEB.
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)

install(FILES ${packaging_dir}/wirevane.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/org.wirevane.wirevane.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_dir}/wirevane.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Bitmaps for desktops and panels that do not draw SVG icons themselves.
find_program(RSVG_CONVERT rsvg-convert)
if(RSVG_CONVERT)
  set(icon_pngs)
  foreach(size 16 22 24 32 48 64 128 256)
    set(png ${packaging_out}/icons/${size}x${size}/wirevane.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_out}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${packaging_dir}/wirevane.svg
      DEPENDS ${packaging_dir}/wirevane.svg VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(wirevane_icons ALL DEPENDS ${icon_pngs})
else()
  message(WARNING "rsvg-convert (librsvg2-bin) not found: the package will have no PNG icons")
endif()

# The pages carry the project's version; Debian installs manual pages compressed.
set(man_pages)
foreach(page wirevane wirevane-run wirevane-sim)
  configure_file(${packaging_dir}/man/${page}.1 ${packaging_out}/man/${page}.1 @ONLY)
  set(gz ${packaging_out}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND gzip -9nf -k ${packaging_out}/man/${page}.1
    DEPENDS ${packaging_out}/man/${page}.1 VERBATIM)
  list(APPEND man_pages ${gz})
endforeach()
add_custom_target(wirevane_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME wirevane)
set(CPACK_PACKAGE_VENDOR "Wirevane")
set(CPACK_PACKAGE_CONTACT "Wirevane developers <wirevane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "send a table of messages to a device over a serial port")
set(CPACK_PACKAGE_DESCRIPTION
  "Wirevane drives a device over one serial port: a table of up to 100 messages, run once,\
 cyclically or step by step, a terminal to watch the traffic and type to the device, a decoder\
 for a digital multimeter's display frames, and a panel of buttons that each load a saved table.\
 The package also holds wirevane-run, which runs a saved table without a window, and\
 wirevane-sim, a serial device simulator on a pseudo-terminal.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
