# How often the bar's title is written while the pointer moves over one cell.
add_executable(bench_title_writes ${CMAKE_SOURCE_DIR}/bench/title_writes.cpp)
target_link_libraries(bench_title_writes PRIVATE tavolin_test_support)
