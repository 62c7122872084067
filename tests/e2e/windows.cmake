# The end-to-end programs: each drives the real Tavolin.exe from inside Wine
# through the driver library.
set(TAVOLIN_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})

add_library(tavolin_e2e_driver STATIC ${TAVOLIN_E2E_DIR}/driver/driver.cpp
    ${TAVOLIN_E2E_DIR}/driver/bar_cells.cpp ${TAVOLIN_E2E_DIR}/driver/steps.cpp)
target_include_directories(tavolin_e2e_driver PUBLIC ${TAVOLIN_E2E_DIR}/driver)
target_compile_definitions(tavolin_e2e_driver PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
target_compile_options(tavolin_e2e_driver PUBLIC ${TAVOLIN_WARNINGS})
target_link_libraries(tavolin_e2e_driver PUBLIC user32 gdi32 oleacc ole32 oleaut32 uuid)

# tavolin_e2e_program(NAME SOURCE...): a GoogleTest program NAME.exe built from
# sources in tests/e2e, placed beside Tavolin.exe.
function(tavolin_e2e_program name)
    set(sources ${ARGN})
    list(TRANSFORM sources PREPEND ${TAVOLIN_E2E_DIR}/)
    add_executable(${name} ${sources})
    target_link_libraries(${name} PRIVATE tavolin_e2e_driver GTest::gtest_main)
    target_link_options(${name} PRIVATE ${TAVOLIN_STATIC})
    # What the programs start: the program itself and the stand-ins.
    add_dependencies(${name} Tavolin program_manager_standin command_standin)
endfunction()

include(${TAVOLIN_E2E_DIR}/commands.cmake)
tavolin_e2e_program(e2e_bar bar_test.cpp)
# The bar held up before its close, through the probe.
add_dependencies(e2e_bar control_probe)
tavolin_e2e_program(e2e_help help_test.cpp)
tavolin_e2e_program(e2e_dialogs dialogs_test.cpp)
# The share test makes a share Tavolin's current directory through the probe.
add_dependencies(e2e_dialogs control_probe)
tavolin_e2e_program(e2e_tour tour_test.cpp)
# The DPI and layout tests read captions, fonts, colours and icons inside
# Tavolin's process through this hook.
add_library(control_probe SHARED ${TAVOLIN_E2E_DIR}/helpers/control_probe.cpp)
set_target_properties(control_probe PROPERTIES PREFIX "")
target_link_options(control_probe PRIVATE ${TAVOLIN_STATIC})
target_link_libraries(control_probe PRIVATE user32 gdi32)
tavolin_e2e_program(e2e_dpi dpi_test.cpp)
add_dependencies(e2e_dpi control_probe)
tavolin_e2e_program(e2e_layout layout_test.cpp)
add_dependencies(e2e_layout control_probe)
# Not a test: opens each window for scripts/screenshots.
add_executable(e2e_screenshots ${TAVOLIN_E2E_DIR}/screenshots.cpp)
target_link_libraries(e2e_screenshots PRIVATE tavolin_e2e_driver)
add_dependencies(e2e_screenshots control_probe)
tavolin_windows_program(e2e_screenshots)
tavolin_e2e_program(e2e_version version_test.cpp)
target_link_libraries(e2e_version PRIVATE version)
tavolin_e2e_program(e2e_accessibility accessibility_test.cpp)
target_link_libraries(e2e_accessibility PRIVATE oleacc ole32 oleaut32 uuid psapi)
# The planted-library case puts the probe beside a copy of Tavolin.exe.
add_dependencies(e2e_accessibility control_probe)
tavolin_e2e_program(e2e_unicode unicode_test.cpp)
tavolin_e2e_program(e2e_soak soak_test.cpp)
target_link_libraries(e2e_soak PRIVATE psapi)
add_dependencies(e2e_soak control_probe)
