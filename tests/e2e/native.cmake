# The end-to-end programs of the Windows build, each run inside the Wine
# session.
tavolin_wine_test(e2e.bar e2e_bar.exe)
tavolin_wine_test(e2e.commands e2e_commands.exe)
tavolin_wine_test(e2e.dialogs e2e_dialogs.exe)
tavolin_wine_test(e2e.tour e2e_tour.exe)
tavolin_wine_test(e2e.dpi e2e_dpi.exe)
tavolin_wine_test(e2e.layout e2e_layout.exe)
tavolin_wine_test(e2e.version e2e_version.exe)
tavolin_wine_test(e2e.accessibility e2e_accessibility.exe)
tavolin_wine_test(e2e.unicode e2e_unicode.exe)
# The soak test prints as well, on a PDF printer of its own. It runs alone,
# so that other tests neither slow it past its bound nor share its measures.
add_test(NAME e2e.soak
    COMMAND ${CMAKE_SOURCE_DIR}/tests/print/cups.sh run ${CMAKE_BINARY_DIR}/soak
            ${CMAKE_BINARY_DIR}/soak-out ${TAVOLIN_WINE_SCRIPTS}/run.sh ${TAVOLIN_WINE_STATE}
            ${TAVOLIN_WINDOWS_BUILD}/e2e_soak.exe)
set_tests_properties(e2e.soak PROPERTIES
    FIXTURES_REQUIRED wine_session RESOURCE_LOCK wine_desktop RUN_SERIAL TRUE TIMEOUT 90
    ENVIRONMENT TAVOLIN_WINE_TIMEOUT=85 SKIP_RETURN_CODE 77)
