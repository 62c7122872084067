# Runs the Windows test program of Win32Desktop inside the shared Wine session.
tavolin_wine_test(win32.desktop tavolin_win32_tests.exe)
# The same tests built by the second toolchain (clang, lld, llvm-rc).
tavolin_wine_test(win32.desktop.clang ${TAVOLIN_WINDOWS_CLANG_BUILD}/tavolin_win32_tests.exe)
set_property(TEST win32.desktop.clang APPEND PROPERTY FIXTURES_REQUIRED windows_clang)
