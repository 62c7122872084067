# The fuzzers, built with clang when the tests run and each run for a bounded
# time from its committed seeds. New inputs go to a corpus in the build tree;
# a crashing input lands in fuzz/artifacts/.
set(TAVOLIN_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
set(TAVOLIN_FUZZ_SECONDS 12 CACHE STRING "Seconds each fuzzer runs as a test")

add_test(NAME fuzz.build
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/tests/fuzz
            -DBINARY_DIR=${TAVOLIN_FUZZ_DIR}/build -P ${CMAKE_SOURCE_DIR}/tests/fuzz/build.cmake)
set_tests_properties(fuzz.build PROPERTIES FIXTURES_SETUP fuzzers TIMEOUT 300 LABELS fuzz)

foreach(target command_line keystrokes patterns)
    file(MAKE_DIRECTORY ${TAVOLIN_FUZZ_DIR}/corpus/${target} ${TAVOLIN_FUZZ_DIR}/artifacts)
    add_test(NAME fuzz.${target}
        COMMAND ${TAVOLIN_FUZZ_DIR}/build/fuzz_${target}
                -max_total_time=${TAVOLIN_FUZZ_SECONDS} -seed=1 -timeout=10 -max_len=512
                -artifact_prefix=${TAVOLIN_FUZZ_DIR}/artifacts/${target}-
                ${TAVOLIN_FUZZ_DIR}/corpus/${target} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${target})
    set_tests_properties(fuzz.${target} PROPERTIES FIXTURES_REQUIRED fuzzers TIMEOUT 120 LABELS fuzz)
endforeach()
