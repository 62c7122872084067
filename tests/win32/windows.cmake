# Win32Desktop against the real system, run under Wine: the test program and
# the helper program it starts.
add_executable(echo_args tests/win32/echo_args.cpp)
tavolin_windows_program(echo_args)

file(GLOB TAVOLIN_WIN32_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*_test.cpp)
add_executable(tavolin_win32_tests tests/win32/main.cpp tests/win32/fixture.cpp
    ${TAVOLIN_WIN32_TEST_SOURCES})
# The program's own wmain sets the error mode first, so the library without
# its main.
target_link_libraries(tavolin_win32_tests PRIVATE tavolin_win32
    $<IF:$<TARGET_EXISTS:GTest::gtest>,GTest::gtest,gtest>)
tavolin_windows_program(tavolin_win32_tests)
add_dependencies(tavolin_win32_tests echo_args)
