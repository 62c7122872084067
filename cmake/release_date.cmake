# The date every release file carries, as seconds since 1970: SOURCE_DATE_EPOCH
# when it is set, else the last commit's, so that the same commit gives the
# same bytes. Included by the scripts that make the release files; sets epoch.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}
        OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endif()
