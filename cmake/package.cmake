# The releases, in the build tree (scripts/package): Tavolin.exe with its
# README and licence in one ZIP made by CPack, Tavolin-<version>-win64.zip or,
# from the 32-bit build, -win32.zip; and the installer beside it, .msi, made
# by wixl (cmake/msi.cmake). Both hold one released program,
# release/Tavolin.exe, stripped and, given a key, signed before either is
# made (cmake/release_program.cmake). CPack dates the ZIP's entries by
# SOURCE_DATE_EPOCH when it is set. The program and the installer are made
# afresh each time they are asked for, since their date is the commit's and
# their signature the key's.
set(TAVOLIN_RELEASE_PROGRAM ${CMAKE_BINARY_DIR}/release/Tavolin.exe)
add_custom_target(release_program
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:Tavolin> -DSTRIP=${CMAKE_STRIP}
            -DOUTPUT=${TAVOLIN_RELEASE_PROGRAM} -P ${CMAKE_SOURCE_DIR}/cmake/release_program.cmake
    BYPRODUCTS ${TAVOLIN_RELEASE_PROGRAM}
    VERBATIM)
add_dependencies(release_program Tavolin)

# Only the released program goes into them, so only it is built for them;
# CPack takes it as made, so make it first (the msi target makes it too).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(PROGRAMS ${TAVOLIN_RELEASE_PROGRAM} DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tavolin)
set(CPACK_PACKAGE_VENDOR "the Tavolin authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A strip of picture buttons for everyday desktop tasks")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(TAVOLIN_RELEASE Tavolin-${PROJECT_VERSION}-win32)
    set(TAVOLIN_MSI_ARCH x86)
else()
    set(TAVOLIN_RELEASE Tavolin-${PROJECT_VERSION}-win64)
    set(TAVOLIN_MSI_ARCH x64)
endif()
set(CPACK_PACKAGE_FILE_NAME ${TAVOLIN_RELEASE})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)

set(TAVOLIN_MSI ${CMAKE_BINARY_DIR}/${TAVOLIN_RELEASE}.msi)
add_custom_target(msi
    COMMAND ${CMAKE_COMMAND} -DPROGRAM=${TAVOLIN_RELEASE_PROGRAM} -DARCH=${TAVOLIN_MSI_ARCH}
            -DVERSION=${PROJECT_VERSION} -DOUTPUT=${TAVOLIN_MSI} -P ${CMAKE_SOURCE_DIR}/cmake/msi.cmake
    BYPRODUCTS ${TAVOLIN_MSI}
    VERBATIM)
add_dependencies(msi release_program)

# The compiler, whose runtime libraries are linked into the program: the bill
# of materials lists them with the packages they came from (scripts/package).
file(WRITE ${CMAKE_BINARY_DIR}/release/compiler "${CMAKE_CXX_COMPILER}\n")
