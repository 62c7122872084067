file(GLOB TAVOLIN_UNIT_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
add_library(tavolin_test_support STATIC ${CMAKE_SOURCE_DIR}/tests/support/recording_desktop.cpp)
target_include_directories(tavolin_test_support PUBLIC ${CMAKE_SOURCE_DIR}/tests/support)
target_link_libraries(tavolin_test_support PUBLIC tavolin_logic)

add_executable(tavolin_unit_tests ${TAVOLIN_UNIT_SOURCES})
target_link_libraries(tavolin_unit_tests PRIVATE tavolin_test_support GTest::gtest_main)
include(GoogleTest)
gtest_discover_tests(tavolin_unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 30)
