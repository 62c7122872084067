# Configures and builds the fuzzers with clang++ in BINARY_DIR.
#   cmake -DSOURCE_DIR=tests/fuzz -DBINARY_DIR=... -P build.cmake
find_program(CLANGXX NAMES clang++ clang++-14)
if(NOT CLANGXX)
    message(FATAL_ERROR "clang++ not found: install clang and libclang-rt-14-dev")
endif()
execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} -DCMAKE_CXX_COMPILER=${CLANGXX}
            -DCMAKE_BUILD_TYPE=RelWithDebInfo
    COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} COMMAND_ERROR_IS_FATAL ANY)
