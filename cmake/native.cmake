# Unit tests of the logic on the headless toolkit, and the tests that run
# the Windows build (build/windows) under Wine.
find_package(GTest REQUIRED)

option(TAVOLIN_SANITIZE "Build the unit tests with AddressSanitizer and UBSan" ON)
if(TAVOLIN_SANITIZE AND NOT MSVC)
    target_compile_options(tavolin_settings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
    target_link_options(tavolin_settings INTERFACE -fsanitize=address,undefined)
endif()

# The toolkit kept in memory, for the unit tests.
add_library(tavolin_headless STATIC ${TAVOLIN_UI_SOURCES} src/ui/headless/backend.cpp)
target_link_libraries(tavolin_headless PUBLIC tavolin_settings)
target_link_libraries(tavolin_logic PUBLIC tavolin_headless)

set(TAVOLIN_WINDOWS_BUILD ${CMAKE_SOURCE_DIR}/build/windows CACHE PATH
    "Build tree of the Windows program, run under Wine by the end-to-end tests")
set(TAVOLIN_WINDOWS32_BUILD ${CMAKE_SOURCE_DIR}/build/windows32 CACHE PATH
    "Build tree of the 32-bit Windows program, run under Wine by its smoke test")

# The Windows program and its desktop tests built again by the second
# toolchain (the windows-clang preset). A test makes them, so that a warning
# in src/ fails like any test; the tests that run them need it first.
set(TAVOLIN_WINDOWS_CLANG_BUILD ${CMAKE_SOURCE_DIR}/build/windows-clang)
add_test(NAME build.windows_clang
    COMMAND ${CMAKE_COMMAND} -DPRESET=windows-clang -P ${CMAKE_SOURCE_DIR}/cmake/build_preset.cmake
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
set_tests_properties(build.windows_clang PROPERTIES FIXTURES_SETUP windows_clang TIMEOUT 600)

foreach(dir tests/unit tests/wine tests/win32 tests/e2e tests/print tests/res tests/imports
        tests/release tests/fuzz bench)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/native.cmake)
        include(${dir}/native.cmake)
    endif()
endforeach()
