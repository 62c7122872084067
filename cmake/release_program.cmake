# Makes the Tavolin.exe that goes into both releases of one architecture, the
# ZIP and the installer: the built program without its symbols, its header
# and its file dated by the commit (strip dates the header by
# SOURCE_DATE_EPOCH), then signed when a key is given (cmake/sign.cmake):
#   cmake -DPROGRAM=Tavolin.exe -DSTRIP=strip -DOUTPUT=release/Tavolin.exe
#         -P cmake/release_program.cmake
# The signature, if any, lands beside it as OUTPUT.sig.
include(${CMAKE_CURRENT_LIST_DIR}/release_date.cmake)
find_program(touch_path touch REQUIRED)
set(ENV{SOURCE_DATE_EPOCH} ${epoch})
get_filename_component(output ${OUTPUT} ABSOLUTE)
get_filename_component(folder ${output} DIRECTORY)
file(MAKE_DIRECTORY ${folder})
execute_process(COMMAND ${STRIP} -o ${output} ${PROGRAM} COMMAND_ERROR_IS_FATAL ANY)
set(FILE ${output})
set(SIGNATURE ${output}.sig)
include(${CMAKE_CURRENT_LIST_DIR}/sign.cmake)
execute_process(COMMAND ${touch_path} -d @${epoch} ${output} COMMAND_ERROR_IS_FATAL ANY)
