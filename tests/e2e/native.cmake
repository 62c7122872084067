# The end-to-end programs of the Windows build, each run inside the Wine
# session.
tavolin_wine_test(e2e.bar e2e_bar.exe)
tavolin_wine_test(e2e.commands e2e_commands.exe)
tavolin_wine_test(e2e.dialogs e2e_dialogs.exe)
