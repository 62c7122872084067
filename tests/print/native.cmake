# The help window of the real Tavolin.exe, and printing it on a CUPS PDF
# printer of the test's own, both inside the Wine session; and the 32-bit
# build's smoke test and the soak test, which print the help on that printer
# too.
set(TAVOLIN_HELP_LINES ${CMAKE_CURRENT_LIST_DIR}/help_lines.txt)

tavolin_wine_test(e2e.help e2e_help.exe --gtest_filter=HelpTest.*)
# Wine's drive Z: is the Unix root.
set_property(TEST e2e.help APPEND PROPERTY ENVIRONMENT "TAVOLIN_HELP_LINES=Z:${TAVOLIN_HELP_LINES}")

add_test(NAME print.help
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/print_test.sh ${TAVOLIN_WINE_STATE}
            ${TAVOLIN_WINDOWS_BUILD} ${CMAKE_BINARY_DIR}/print ${TAVOLIN_HELP_LINES})
set_tests_properties(print.help PROPERTIES
    FIXTURES_REQUIRED wine_session RESOURCE_LOCK wine_desktop TIMEOUT 400
    ENVIRONMENT TAVOLIN_WINE_TIMEOUT=180 SKIP_RETURN_CODE 77)

# The smoke test of the 32-bit build: its short sitting with the help printed.
add_test(NAME e2e.smoke32
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/smoke_test.sh ${TAVOLIN_WINE_STATE}
            ${TAVOLIN_WINDOWS32_BUILD} ${CMAKE_BINARY_DIR}/smoke32 ${TAVOLIN_HELP_LINES})
set_tests_properties(e2e.smoke32 PROPERTIES
    FIXTURES_REQUIRED wine_session RESOURCE_LOCK wine_desktop TIMEOUT 400
    ENVIRONMENT TAVOLIN_WINE_TIMEOUT=180 SKIP_RETURN_CODE 77)

# The soak test: the program used hundreds of times over, then measured. It
# runs alone, so that other tests neither slow it past its bound nor share
# its measures.
add_test(NAME e2e.soak
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/soak_test.sh ${TAVOLIN_WINE_STATE}
            ${TAVOLIN_WINDOWS_BUILD} ${CMAKE_BINARY_DIR}/soak ${TAVOLIN_HELP_LINES})
set_tests_properties(e2e.soak PROPERTIES
    FIXTURES_REQUIRED wine_session RESOURCE_LOCK wine_desktop RUN_SERIAL TRUE TIMEOUT 150
    ENVIRONMENT TAVOLIN_WINE_TIMEOUT=140 SKIP_RETURN_CODE 77)
