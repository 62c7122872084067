# Every Tavolin.exe, each architecture and each toolchain, against the oldest
# Windows it runs on: its header and its import table (tests/imports).
set(TAVOLIN_IMPORTS_DIR ${CMAKE_CURRENT_LIST_DIR})

function(tavolin_imports_test name exe format)
    add_test(NAME ${name}
        COMMAND ${TAVOLIN_IMPORTS_DIR}/check_imports.sh ${exe} ${format}
                ${TAVOLIN_IMPORTS_DIR}/windows7.txt)
endfunction()

tavolin_imports_test(imports.win64 ${TAVOLIN_WINDOWS_BUILD}/Tavolin.exe pei-x86-64)
tavolin_imports_test(imports.win32 ${TAVOLIN_WINDOWS32_BUILD}/Tavolin.exe pei-i386)
tavolin_imports_test(imports.clang ${TAVOLIN_WINDOWS_CLANG_BUILD}/Tavolin.exe pei-x86-64)
set_tests_properties(imports.clang PROPERTIES FIXTURES_REQUIRED windows_clang)
