# Tests of the Windows build run under Wine, in a prefix of the build's own that the first
# test makes afresh and the last one stops. Each has a time limit, so that a program waiting
# on something Wine never delivers fails its test rather than holding up the run.
find_program(SETUP_WINE wine REQUIRED)
set(SETUP_WINE_DIR ${CMAKE_BINARY_DIR}/wine)
set(SETUP_RUN_IN_WINE ${CMAKE_CURRENT_LIST_DIR}/run_in_wine.sh)

add_test(NAME WinePrefix COMMAND ${SETUP_RUN_IN_WINE} ${SETUP_WINE_DIR} --boot)
set_tests_properties(WinePrefix PROPERTIES FIXTURES_SETUP Wine TIMEOUT 300)
add_test(NAME WineStop COMMAND ${SETUP_RUN_IN_WINE} ${SETUP_WINE_DIR} --stop)
set_tests_properties(WineStop PROPERTIES FIXTURES_CLEANUP Wine TIMEOUT 60)

# setup_add_wine_test(NAME COMMAND TARGET [ARG]...): a test that runs a program of this
# build under Wine (through the cross-compiling emulator).
function(setup_add_wine_test name)
  add_test(NAME ${name} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED Wine TIMEOUT 300)
endfunction()

# A whole unattended install of the sample disc by setup.exe; given the Linux program too, its
# dialogs are compared with that program's on the same disc.
set(SETUP_LINUX_SETUP "" CACHE FILEPATH "The Linux setup whose dialogs setup.exe must match")
add_test(NAME SampleDiscUnderWine
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/sample_disc_e2e.sh ${SETUP_RUN_IN_WINE}
                 ${SETUP_WINE_DIR} $<TARGET_FILE:setup> ${PROJECT_SOURCE_DIR}/examples/sample_disc
                 ${SETUP_LINUX_SETUP})
# Both install the sample disc into the prefix's registry, and one copy of setup runs at a time.
set_tests_properties(SampleDiscUnderWine PROPERTIES FIXTURES_REQUIRED Wine TIMEOUT 300
                                                   RESOURCE_LOCK SampleDisc)

# The same disc through setup.exe's real windows, driven by an answers file; its dialogs and
# their texts compared with the Linux program's on the same answers.
add_test(NAME SampleDiscThroughWindows
         COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/sample_disc_windows_e2e.sh ${SETUP_RUN_IN_WINE}
                 ${SETUP_WINE_DIR} $<TARGET_FILE:setup> ${PROJECT_SOURCE_DIR}/examples/sample_disc
                 ${SETUP_LINUX_SETUP})
set_tests_properties(SampleDiscThroughWindows PROPERTIES FIXTURES_REQUIRED Wine TIMEOUT 300
                                                        RESOURCE_LOCK SampleDisc)
