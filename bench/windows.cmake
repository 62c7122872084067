# The bench programs: a minimal window program as yardstick, and one that
# animates a picture as the bar does for its idle cost, the measuring
# program, and the directory-listing timer on the Win32 desktop.
add_executable(bench_minimal_window WIN32 ${CMAKE_SOURCE_DIR}/bench/minimal_window.cpp)
add_executable(bench_animated_window WIN32 ${CMAKE_SOURCE_DIR}/bench/animated_window.cpp)
add_executable(bench_measure ${CMAKE_SOURCE_DIR}/bench/measure.cpp)
target_link_libraries(bench_measure PRIVATE psapi)
add_executable(bench_listing ${CMAKE_SOURCE_DIR}/bench/listing.cpp)
target_link_libraries(bench_listing PRIVATE tavolin_win32)
foreach(target bench_minimal_window bench_animated_window bench_measure bench_listing)
    tavolin_windows_program(${target})
endforeach()
