# Runs the Windows test program of Win32Desktop inside the shared Wine session.
add_test(NAME win32.desktop
    COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/run.sh ${CMAKE_BINARY_DIR}/wine
            ${TAVOLIN_WINDOWS_BUILD}/tavolin_win32_tests.exe)
set_tests_properties(win32.desktop PROPERTIES
    FIXTURES_REQUIRED wine_session RESOURCE_LOCK wine_desktop TIMEOUT 300)
