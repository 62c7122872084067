# The Wine session shared by every test that runs a Windows program, and the
# registration of such a test.
set(TAVOLIN_WINE_SCRIPTS ${CMAKE_CURRENT_LIST_DIR})
set(TAVOLIN_WINE_STATE ${CMAKE_BINARY_DIR}/wine)

add_test(NAME wine.session.start
    COMMAND ${TAVOLIN_WINE_SCRIPTS}/session.sh start ${TAVOLIN_WINE_STATE})
set_tests_properties(wine.session.start PROPERTIES
    FIXTURES_SETUP wine_session RESOURCE_LOCK wine_desktop TIMEOUT 120)
add_test(NAME wine.session.stop
    COMMAND ${TAVOLIN_WINE_SCRIPTS}/session.sh stop ${TAVOLIN_WINE_STATE})
set_tests_properties(wine.session.stop PROPERTIES
    FIXTURES_CLEANUP wine_session RESOURCE_LOCK wine_desktop TIMEOUT 60)

# tavolin_wine_test(NAME PROGRAM.exe [ARGS...]): runs a program of the Windows
# build (or of another tree, given by its full path) inside the session; the
# program's exit code is the result.
function(tavolin_wine_test name exe)
    if(NOT IS_ABSOLUTE ${exe})
        set(exe ${TAVOLIN_WINDOWS_BUILD}/${exe})
    endif()
    add_test(NAME ${name}
        COMMAND ${TAVOLIN_WINE_SCRIPTS}/run.sh ${TAVOLIN_WINE_STATE} ${exe} ${ARGN})
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED wine_session RESOURCE_LOCK wine_desktop TIMEOUT 300
        ENVIRONMENT TAVOLIN_WINE_TIMEOUT=280)
endfunction()
