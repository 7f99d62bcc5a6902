# The Linux release: one Debian package, tavrenne_<version>_amd64.deb, made by
# the target `package` of a plain (not sanitized) native build. It holds the
# native game and the appraisal tool in /usr/games, the dat folder in
# /usr/share/games/tavrenne, the desktop entry, the icon at the icon theme's
# sizes, the manual page, and the GNOME Shell extension that names the
# window under the White Arrow in a GNOME Wayland session. Its dependencies
# are computed from the binaries, plus the synthesiser's instruments and the
# Japanese font.
if(TAVRENNE_SANITIZE)
  return()  # a sanitizer build is for the tests, never for players
endif()

install(TARGETS tavrenne tavrenne-appraise RUNTIME DESTINATION games)
install(DIRECTORY ${CMAKE_BINARY_DIR}/dat DESTINATION share/games/tavrenne)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tavrenne.desktop DESTINATION share/applications)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION share/icons/hicolor)
# Our GNOME Shell extension, both flavours (shell/gtk/CMakeLists.txt): the
# shell finds them at the next login; each player enables the one for the
# shell's version.
install(DIRECTORY ${GNOME_EXTENSIONS_DIR}/ DESTINATION share/gnome-shell/extensions)

# The manual pages with the version filled in, compressed as Debian keeps
# them; the appraisal tool's page points to the game's.
set(man_pages)
foreach(page tavrenne tavrenne-appraise)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/${page}.6 ${CMAKE_BINARY_DIR}/man/${page}.6 @ONLY)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/man/${page}.6.gz
    COMMAND gzip -n -9 -f -k ${CMAKE_BINARY_DIR}/man/${page}.6
    DEPENDS ${CMAKE_BINARY_DIR}/man/${page}.6
    COMMENT "Compressing the manual page ${page}(6)")
  list(APPEND man_pages ${CMAKE_BINARY_DIR}/man/${page}.6.gz)
endforeach()
add_custom_target(tavrenne_man_pages ALL DEPENDS ${man_pages})
install(FILES ${man_pages} DESTINATION share/man/man6)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrenne)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tavrenne developers <tavrenne@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "role-playing game whose hero is born from another program")
set(CPACK_PACKAGE_DESCRIPTION "Shoot the White Arrow at any window on the X11 desktop: the program
that owns it becomes your hero, its numbers drawn from the MD5 digest of its
file. Then travel ten billion light-years against the clock and save the
universe. The game speaks Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "freepats, fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme")
set(CPACK_STRIP_FILES ON)
include(CPack)
