# The release for players on Windows: Tavrenne-<version>-win64.zip holding
# Tavrenne.exe, its dat folder and the read-me files in Japanese (Shift_JIS)
# and English, both with Windows line ends. The target `release` is part of
# the default build, so the zip is always there for the test that plays it.
set(TAVRENNE_RELEASE_NAME Tavrenne-${PROJECT_VERSION}-win64)
set(TAVRENNE_RELEASE_ZIP ${CMAKE_BINARY_DIR}/${TAVRENNE_RELEASE_NAME}.zip)
set(release_stage ${CMAKE_BINARY_DIR}/release)

# The read-me texts with the version filled in, still UTF-8 with Unix line ends.
foreach(language ja en)
  configure_file(${CMAKE_SOURCE_DIR}/release/readme-${language}.txt
                 ${CMAKE_BINARY_DIR}/release-text/readme-${language}.txt @ONLY)
endforeach()

add_custom_command(
  OUTPUT ${TAVRENNE_RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${release_stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${release_stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tavrenne> ${release_stage}/Tavrenne.exe
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/dat ${release_stage}/dat
  COMMAND sh -c "sed 's/$/\\r/' '${CMAKE_BINARY_DIR}/release-text/readme-ja.txt' | iconv -f UTF-8 -t CP932 >'${release_stage}/readme-ja.txt'"
  COMMAND sh -c "sed 's/$/\\r/' '${CMAKE_BINARY_DIR}/release-text/readme-en.txt' >'${release_stage}/readme-en.txt'"
  COMMAND ${CMAKE_COMMAND} -E rm -f ${TAVRENNE_RELEASE_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${release_stage}
          ${CMAKE_COMMAND} -E tar cf ${TAVRENNE_RELEASE_ZIP} --format=zip
          Tavrenne.exe dat readme-ja.txt readme-en.txt
  DEPENDS Tavrenne ${TAVRENNE_ASSETS_STAMP}
          ${CMAKE_BINARY_DIR}/release-text/readme-ja.txt ${CMAKE_BINARY_DIR}/release-text/readme-en.txt
  COMMENT "Packing ${TAVRENNE_RELEASE_NAME}.zip"
  VERBATIM)
add_custom_target(release ALL DEPENDS ${TAVRENNE_RELEASE_ZIP})
