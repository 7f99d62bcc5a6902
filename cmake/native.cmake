# Native build: the recording and POSIX platforms, the tests, and the tools.
find_package(GTest REQUIRED)
find_package(OpenSSL REQUIRED)
include(GoogleTest)

# The recording platform: every verb stored in order, answers from a script.
# Both platforms are object libraries, so their verbs resolve whatever the link order.
file(GLOB RECORDER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/shell/recorder/*.cpp)
add_library(platform_recorder OBJECT ${RECORDER_SOURCES})
target_link_libraries(platform_recorder PUBLIC tavrenne_portable OpenSSL::Crypto)

# Real files and OpenSSL's MD5, for the native tools.
file(GLOB POSIX_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/shell/posix/*.cpp)
if(POSIX_SOURCES)
  add_library(platform_posix OBJECT ${POSIX_SOURCES})
  target_include_directories(platform_posix PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(platform_posix PUBLIC OpenSSL::Crypto)
endif()

foreach(dir tools/assets tools/replay tools/appraise tests)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${dir})
  endif()
endforeach()

if(TAVRENNE_BENCHMARKS AND EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
