# What `cmake --install` puts under the prefix, and the Debian package built from the same
# rules (`cpack -G DEB`, or `make package`). The desktop entry, icon, AppStream file and D-Bus
# service all carry the application id.
include(GNUInstallDirs)

set(CORVANTA_APP_ID org.corvanta.Corvanta)
set(corvanta_resources ${PROJECT_SOURCE_DIR}/resources)
set(corvanta_generated ${PROJECT_BINARY_DIR}/install-files)

install(TARGETS corvanta RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${corvanta_resources}/desktop/${CORVANTA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${corvanta_resources}/metainfo/${CORVANTA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: one SVG, and the PNG sizes that launchers without SVG support look for, rendered
# from it so that they can never drift apart.
set(icon_svg ${corvanta_resources}/icons/${CORVANTA_APP_ID}.svg)
install(FILES ${icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(generated_files)
foreach(size 48 128)
  set(png ${corvanta_generated}/icons/${size}x${size}/${CORVANTA_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${corvanta_generated}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} --width ${size} --height ${size} --output ${png} ${icon_svg}
    DEPENDS ${icon_svg}
    COMMENT "Rendering the ${size} px application icon"
    VERBATIM)
  list(APPEND generated_files ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual page, with the project's version, compressed as Debian installs manual pages.
configure_file(${corvanta_resources}/man/corvanta.1.in ${corvanta_generated}/man/corvanta.1 @ONLY)
set(man_page ${corvanta_generated}/man/corvanta.1.gz)
add_custom_command(OUTPUT ${man_page}
  COMMAND gzip -9 --no-name --keep --force ${corvanta_generated}/man/corvanta.1
  DEPENDS ${corvanta_generated}/man/corvanta.1
  VERBATIM)
list(APPEND generated_files ${man_page})
install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

add_custom_target(corvanta_install_files ALL DEPENDS ${generated_files})

# The D-Bus service file names the binary by its absolute path, which is known only when
# installing: `cmake --install --prefix` and CPack (prefix /usr) choose it then. Each prefix
# gets its own copy, so that installs to different prefixes can run at the same time.
install(CODE "
  string(MD5 prefix_key \"\${CMAKE_INSTALL_PREFIX}\")
  set(service \"${corvanta_generated}/dbus/\${prefix_key}/${CORVANTA_APP_ID}.service\")
  set(CORVANTA_INSTALL_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  configure_file(\"${corvanta_resources}/dbus/${CORVANTA_APP_ID}.service.in\" \"\${service}\" @ONLY)
  file(INSTALL \"\${service}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/dbus-1/services\")
")

# The Debian package: everything above under /usr, stripped, Depends from dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvanta)
set(CPACK_PACKAGE_VENDOR "The Corvanta developers")
set(CPACK_PACKAGE_CONTACT "The Corvanta developers <corvanta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal portfolio tracker")
set(CPACK_PACKAGE_DESCRIPTION
  "Corvanta records dated snapshots of one investment portfolio and separates
market performance from the money moved in and out: investment gain with cash
flows removed, trailing averages, deposits and withdrawals, a balance chart with
an investment-only curve, and a year-by-year comparison with the S&P/TSX
Composite total return. It has a command line and a D-Bus interface for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
