# tavolin_expect_build_line(TARGET): gives the test program TARGET the third
# line of the About box as this build must show it, in
# TAVOLIN_EXPECTED_BUILD_LINE: the width of a pointer and the compiler with
# its version, as CMake found them, not as the program's own macros say.
function(tavolin_expect_build_line target)
    math(EXPR bits "${CMAKE_SIZEOF_VOID_P} * 8")
    set(version ${CMAKE_CXX_COMPILER_VERSION})
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        set(compiler "Clang ${version}")
    elseif(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        set(compiler "GCC ${version}")
    elseif(MSVC)
        # The compiler names itself by its full version number, 19.38.33135
        # as 193833135.
        string(REGEX MATCH "^([0-9]+)\\.([0-9]+)\\.([0-9]+)" parts ${version})
        math(EXPR full "${CMAKE_MATCH_1} * 10000000 + ${CMAKE_MATCH_2} * 100000 + ${CMAKE_MATCH_3}")
        set(compiler "Microsoft C++ ${full}")
    else()
        set(compiler "an unknown C++ compiler")
    endif()
    target_compile_definitions(${target} PRIVATE
        "TAVOLIN_EXPECTED_BUILD_LINE=\"A ${bits}-bit Win32 API application, built with ${compiler}\"")
endfunction()
