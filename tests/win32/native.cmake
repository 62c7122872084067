# Runs the Windows test program of Win32Desktop inside the shared Wine session.
tavolin_wine_test(win32.desktop tavolin_win32_tests.exe)
