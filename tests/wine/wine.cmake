# CTest plumbing for tests that run Windows programs under Wine: one fresh
# prefix per test run (a fixture), shared by every test that asks for it.
set(WINE_TEST_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(WINE_TEST_SCRIPTS ${CMAKE_SOURCE_DIR}/tests/wine)

add_test(NAME wine_prefix_setup COMMAND ${WINE_TEST_SCRIPTS}/make-prefix ${WINE_TEST_PREFIX})
set_tests_properties(wine_prefix_setup PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 180)
add_test(NAME wine_prefix_cleanup COMMAND ${WINE_TEST_SCRIPTS}/stop-prefix ${WINE_TEST_PREFIX})
set_tests_properties(wine_prefix_cleanup PROPERTIES FIXTURES_CLEANUP wine_prefix)

# add_wine_test(NAME name COMMAND program.exe args...): runs a console program
# in the shared prefix; its exit code is the result. It holds the prefix's
# desktop lock, as the end-to-end scenarios do, because it restarts the server.
function(add_wine_test)
  cmake_parse_arguments(WT "" "NAME;TIMEOUT" "COMMAND" ${ARGN})
  if(NOT WT_TIMEOUT)
    set(WT_TIMEOUT 120)
  endif()
  add_test(NAME ${WT_NAME} COMMAND ${WINE_TEST_SCRIPTS}/run ${WINE_TEST_PREFIX} ${WT_COMMAND})
  set_tests_properties(${WT_NAME} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT ${WT_TIMEOUT}
                       RESOURCE_LOCK wine_desktop)
endfunction()
