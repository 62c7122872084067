# The end-to-end programs of the Windows build, each run inside the Wine
# session.
tavolin_wine_test(e2e.bar e2e_bar.exe)
