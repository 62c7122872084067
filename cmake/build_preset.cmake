# Configures and builds one preset of CMakePresets.json, for a test that
# makes a build tree of its own. Run from the source directory:
#   cmake -DPRESET=NAME -P cmake/build_preset.cmake
execute_process(COMMAND ${CMAKE_COMMAND} --preset ${PRESET} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build --preset ${PRESET} COMMAND_ERROR_IS_FATAL ANY)
