# The assets of the Windows build. The generator is a native program, so it is
# built for this machine from the same source tree (a tools-only build without
# the cross toolchain), then run to write dat/ beside Tavrenne.exe, the icon
# and cursors into res/, and the contact sheet. Offers:
#   tavrenne_assets     a target (in ALL) that brings them up to date
#   TAVRENNE_RC_FILE    the resource script to add to the program's sources
include(ExternalProject)

set(TAVRENNE_HOST_TOOLS_DIR ${CMAKE_BINARY_DIR}/host-tools)
set(TAVRENNE_ASSET_GENERATOR ${TAVRENNE_HOST_TOOLS_DIR}/tools/assets/tavrenne-assets)
ExternalProject_Add(tavrenne_host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${TAVRENNE_HOST_TOOLS_DIR}
  CMAKE_ARGS -DTAVRENNE_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target tavrenne-assets
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  BUILD_BYPRODUCTS ${TAVRENNE_ASSET_GENERATOR})

# The resource script names the generated files by absolute path, so the
# resource compiler finds them wherever the build folder is.
set(TAVRENNE_ASSET_RES_DIR ${CMAKE_BINARY_DIR}/res)
set(TAVRENNE_RC_FILE ${TAVRENNE_ASSET_RES_DIR}/tavrenne.rc)
configure_file(${CMAKE_SOURCE_DIR}/res/tavrenne.rc ${TAVRENNE_RC_FILE} @ONLY)

# Touching the script after new icon files are written makes the program's
# resources compile again: the resource compiler only watches the script.
set(TAVRENNE_ASSETS_STAMP ${CMAKE_BINARY_DIR}/assets.stamp)
add_custom_command(
  OUTPUT ${TAVRENNE_ASSETS_STAMP}
  COMMAND ${TAVRENNE_ASSET_GENERATOR} --dat ${CMAKE_BINARY_DIR}/dat --res ${TAVRENNE_ASSET_RES_DIR}
          --sheet ${CMAKE_BINARY_DIR}/contact-sheet.png
  COMMAND ${CMAKE_COMMAND} -E touch ${TAVRENNE_RC_FILE}
  COMMAND ${CMAKE_COMMAND} -E touch ${TAVRENNE_ASSETS_STAMP}
  DEPENDS ${TAVRENNE_ASSET_GENERATOR} tavrenne_host_tools
  COMMENT "Writing the pictures, music, sound effects, icon and cursors")
add_custom_target(tavrenne_assets ALL DEPENDS ${TAVRENNE_ASSETS_STAMP})
