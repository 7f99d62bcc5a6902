# The Windows soak: soak.exe, a console program in the test prefix that
# plays the plan on the Windows program, and the scenario that sets up the
# desktop, the targets and the game around it.
set(SOAK_OUT ${CMAKE_BINARY_DIR}/soak)
add_executable(soak_win32 ${CMAKE_CURRENT_SOURCE_DIR}/win32/desk_win32.cpp ${SOAK_COMMON})
set_target_properties(soak_win32 PROPERTIES OUTPUT_NAME soak RUNTIME_OUTPUT_DIRECTORY ${SOAK_OUT})
soak_settings(soak_win32)
target_compile_definitions(soak_win32 PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 UNICODE)
target_link_libraries(soak_win32 PRIVATE user32 shell32)
target_link_options(soak_win32 PRIVATE -static)

# add_wine_soak(NAME SEED INPUTS SECONDS [LABEL]): the soak of that seed on a
# display of its own in the shared prefix, within SECONDS (a limit only a
# hanging soak meets: its own waits fail first). TAVRENNE_SOAK_SEED
# in the caller's environment plays another seed instead.
function(add_wine_soak name seed inputs seconds)
  add_test(NAME ${name}
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/run-wine ${CMAKE_CURRENT_SOURCE_DIR}/wine.sh ${seconds})
  math(EXPR ctest_seconds "${seconds} + 20")
  set_tests_properties(${name} PROPERTIES
    LABELS "${ARGN}"
    FIXTURES_REQUIRED wine_prefix
    RESOURCE_LOCK wine_desktop
    TIMEOUT ${ctest_seconds}
    ENVIRONMENT "WINE_TEST_PREFIX=${WINE_TEST_PREFIX};SOAK_OUT=${SOAK_OUT}/${name};SOAK_GAME=$<TARGET_FILE:Tavrenne>;SOAK_DAT=${CMAKE_BINARY_DIR}/dat;SOAK_TARGET=$<TARGET_FILE:e2e_target>;SOAK_EXE=$<TARGET_FILE:soak_win32>;SOAK_SEED=${seed};SOAK_INPUTS=${inputs}")
endfunction()

add_wine_soak(soak_wine_short 1 300 1200)
# The long soak, run by scripts/soak and not by scripts/test.
add_wine_soak(soak_wine_long 1 3000 5400 long)
# Seeds that once found a fault, replayed by scripts/soak up to the burst
# that found it. Seed 2, burst 41: a drag taken while the game was busy,
# its release gone to another window, held the mouse for good.
add_wine_soak(soak_wine_regression_2 2 1435 900 long)
