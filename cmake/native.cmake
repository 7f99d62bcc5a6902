# Native build: the recording and POSIX platforms, the tests, and the tools.
find_package(GTest REQUIRED)
find_package(OpenSSL REQUIRED)
include(GoogleTest)

# The recording platform: every verb stored in order, answers from a script.
# Both platforms are object libraries, so their verbs resolve whatever the link order.
add_library(platform_recorder OBJECT ${CMAKE_SOURCE_DIR}/shell/recorder/recorder.cpp)
target_link_libraries(platform_recorder PUBLIC tavrenne_portable OpenSSL::Crypto)

# Real files and OpenSSL's MD5, for the native tools, with the tools' own
# fileOpen, which opens the path it is given (the native game has its own).
add_library(platform_posix OBJECT ${CMAKE_SOURCE_DIR}/shell/posix/files.cpp
            ${CMAKE_SOURCE_DIR}/shell/posix/open.cpp)
target_include_directories(platform_posix PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(platform_posix PUBLIC OpenSSL::Crypto)

# Shift_JIS and UTF-8, and the rules' paths, for the native tools and game.
add_library(posix_text STATIC ${CMAKE_SOURCE_DIR}/shell/posix/sjis_text.cpp
            ${CMAKE_SOURCE_DIR}/shell/posix/rule_paths.cpp)
target_include_directories(posix_text PUBLIC ${CMAKE_SOURCE_DIR})

foreach(dir tools/assets tools/replay tools/appraise shell/gtk)
  add_subdirectory(${dir})
endforeach()
if(TAVRENNE_TESTS)
  add_subdirectory(tests)
endif()

if(TAVRENNE_BENCHMARKS)
  add_subdirectory(bench)
endif()

include(${CMAKE_SOURCE_DIR}/cmake/package.cmake)
