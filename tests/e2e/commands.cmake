# The bar's outside commands end to end, and the stand-ins they start: a
# "Program Manager" window that logs the keys it gets, and a program copied
# in as "command.com" that logs how it was started.
foreach(helper program_manager_standin command_standin)
    add_executable(${helper} WIN32 ${TAVOLIN_E2E_DIR}/helpers/${helper}.cpp)
    tavolin_windows_program(${helper})
endforeach()
target_link_libraries(program_manager_standin PRIVATE shell32)

tavolin_e2e_program(e2e_commands commands_test.cpp)
include(${TAVOLIN_E2E_DIR}/../build_line.cmake)
tavolin_expect_build_line(e2e_commands)
