# The native soak: soak-x11, a tool of the tests and not the game, so it is
# built without the sanitizers, and what they report in a soak is the game's.
find_package(PkgConfig REQUIRED)
pkg_check_modules(SOAK_XTEST REQUIRED IMPORTED_TARGET x11 xtst)

set(SOAK_OUT ${CMAKE_BINARY_DIR}/soak)
add_executable(soak_x11 ${CMAKE_CURRENT_SOURCE_DIR}/x11/desk_x11.cpp ${SOAK_COMMON})
set_target_properties(soak_x11 PROPERTIES OUTPUT_NAME soak-x11 RUNTIME_OUTPUT_DIRECTORY ${SOAK_OUT})
soak_settings(soak_x11)
target_link_libraries(soak_x11 PRIVATE PkgConfig::SOAK_XTEST)
target_compile_options(soak_x11 PRIVATE -fno-sanitize=all)
target_link_options(soak_x11 PRIVATE -fno-sanitize=all)

# add_native_soak(NAME SEED INPUTS SECONDS [LABEL]): the soak of that seed on a
# desktop of its own, within SECONDS (a limit only a hanging soak meets: its
# own waits fail first once the game shows no progress). TAVRENNE_SOAK_SEED
# in the caller's environment plays another seed instead.
function(add_native_soak name seed inputs seconds)
  add_test(NAME ${name}
    COMMAND ${CMAKE_SOURCE_DIR}/tests/native/run-scenario ${CMAKE_CURRENT_SOURCE_DIR}/native.sh ${seconds})
  math(EXPR ctest_seconds "${seconds} + 20")
  set_tests_properties(${name} PROPERTIES
    RESOURCE_LOCK native_desktop
    TIMEOUT ${ctest_seconds}
    LABELS "${ARGN}"
    ENVIRONMENT "NATIVE_OUT=${SOAK_OUT}/${name};NATIVE_GAME=$<TARGET_FILE:tavrenne>;NATIVE_DAT=${CMAKE_BINARY_DIR}/dat;NATIVE_TARGET=$<TARGET_FILE:native_target>;NATIVE_DRAWN_TEXT=$<TARGET_FILE:native_drawn_text>;SOAK_X11=$<TARGET_FILE:soak_x11>;SOAK_SEED=${seed};SOAK_INPUTS=${inputs}")
endfunction()

add_native_soak(soak_native_short 1 400 1200)
# The long soak, run by scripts/soak and not by scripts/test.
add_native_soak(soak_native_long 1 10000 5400 long)
# Seeds that once found a fault, replayed by scripts/soak. Seed 3, the whole
# long run: drags replayed minutes late let go of a newer press's grab, whose
# release then went to the target, and the press replayed after them held
# the pointer for good; the last check's first arrow came to nothing.
add_native_soak(soak_native_regression_3 3 10000 5400 long)
