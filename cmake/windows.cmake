# Windows build (mingw-w64): the portable code compiled for Windows, the
# program, its assets and tools, and the tests that run them under Wine.
include(${CMAKE_SOURCE_DIR}/tests/wine/wine.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/assets.cmake)
include(${CMAKE_SOURCE_DIR}/cmake/release.cmake)
foreach(dir shell/win32 tools/appraise tests/e2e/verbs tests/e2e tests/soak)
  add_subdirectory(${dir})
endforeach()
