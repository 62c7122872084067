# The end-to-end programs of the Windows build, each run inside the Wine
# session.
# Files are dropped on the bar as a Linux file manager drops them, by a tool
# of ours that speaks the X drag-and-drop protocol.
find_package(X11 REQUIRED)
add_executable(xdnd_drop ${CMAKE_CURRENT_LIST_DIR}/helpers/xdnd_drop.c)
target_link_libraries(xdnd_drop PRIVATE X11::X11)
tavolin_wine_test(e2e.bar e2e_bar.exe)
set_property(TEST e2e.bar APPEND PROPERTY ENVIRONMENT TAVOLIN_XDND_DROP=$<TARGET_FILE:xdnd_drop>)
tavolin_wine_test(e2e.commands e2e_commands.exe)
tavolin_wine_test(e2e.dialogs e2e_dialogs.exe)
# The short sitting is the 32-bit build's smoke test (tests/print).
tavolin_wine_test(e2e.tour e2e_tour.exe --gtest_filter=Tour.*)
tavolin_wine_test(e2e.dpi e2e_dpi.exe)
tavolin_wine_test(e2e.layout e2e_layout.exe)
tavolin_wine_test(e2e.version e2e_version.exe)
# The version resource and manifest as llvm-rc compiled them.
tavolin_wine_test(e2e.version.clang ${TAVOLIN_WINDOWS_CLANG_BUILD}/e2e_version.exe)
set_property(TEST e2e.version.clang APPEND PROPERTY FIXTURES_REQUIRED windows_clang)
tavolin_wine_test(e2e.accessibility e2e_accessibility.exe)
tavolin_wine_test(e2e.unicode e2e_unicode.exe)
