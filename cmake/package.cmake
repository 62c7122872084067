# The release: Tavolin.exe with its README and licence in one ZIP,
# Tavolin-<version>-win64.zip or, from the 32-bit build, -win32.zip, in the
# build tree (scripts/package).
install(TARGETS Tavolin RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tavolin)
set(CPACK_PACKAGE_VENDOR "the Tavolin authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A strip of picture buttons for everyday desktop tasks")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(CPACK_PACKAGE_FILE_NAME Tavolin-${PROJECT_VERSION}-win32)
else()
    set(CPACK_PACKAGE_FILE_NAME Tavolin-${PROJECT_VERSION}-win64)
endif()
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
