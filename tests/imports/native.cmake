# Every Tavolin.exe, each architecture and each toolchain, and the released
# ones, stripped as they go into the ZIPs and installers, against the oldest
# Windows it runs on: its header, its hardening and its import table
# (tests/imports).
set(TAVOLIN_IMPORTS_DIR ${CMAKE_CURRENT_LIST_DIR})

function(tavolin_imports_test name exe format)
    add_test(NAME ${name}
        COMMAND ${TAVOLIN_IMPORTS_DIR}/check_imports.sh ${exe} ${format}
                ${TAVOLIN_IMPORTS_DIR}/windows7.txt ${TAVOLIN_IMPORTS_DIR}/windows-dlls.txt)
endfunction()

tavolin_imports_test(imports.win64 ${TAVOLIN_WINDOWS_BUILD}/Tavolin.exe pei-x86-64)
tavolin_imports_test(imports.win32 ${TAVOLIN_WINDOWS32_BUILD}/Tavolin.exe pei-i386)
tavolin_imports_test(imports.clang ${TAVOLIN_WINDOWS_CLANG_BUILD}/Tavolin.exe pei-x86-64)
set_tests_properties(imports.clang PROPERTIES FIXTURES_REQUIRED windows_clang)
tavolin_imports_test(imports.release64 ${TAVOLIN_WINDOWS_BUILD}/release/Tavolin.exe pei-x86-64)
tavolin_imports_test(imports.release32 ${TAVOLIN_WINDOWS32_BUILD}/release/Tavolin.exe pei-i386)
set_tests_properties(imports.release64 imports.release32 PROPERTIES FIXTURES_REQUIRED releases)
