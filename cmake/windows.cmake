# Windows build (mingw-w64): the portable code compiled for Windows, and the
# program and tools once their sources exist.
foreach(dir shell/win32 tools/appraise tests/e2e)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()
