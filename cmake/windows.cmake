# The Windows program, the Win32 desktop and toolkit backends, and the
# Windows test programs that run under Wine.
enable_language(RC)
target_compile_definitions(tavolin_settings INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

# The toolkit on Win32 windows, which the logic's windows are drawn with.
file(GLOB TAVOLIN_UI_WIN32_SOURCES CONFIGURE_DEPENDS src/ui/win32/*.cpp)
add_library(tavolin_ui STATIC ${TAVOLIN_UI_SOURCES} ${TAVOLIN_UI_WIN32_SOURCES})
target_link_libraries(tavolin_ui PUBLIC tavolin_settings gdi32 user32)
target_link_libraries(tavolin_logic PUBLIC tavolin_ui)

# The desktop services on the real system.
file(GLOB TAVOLIN_WIN32_SOURCES CONFIGURE_DEPENDS src/desktop/win32/*.cpp)
add_library(tavolin_win32 STATIC ${TAVOLIN_WIN32_SOURCES})
target_link_libraries(tavolin_win32 PUBLIC tavolin_logic advapi32)

if(MINGW)
    # One self-contained executable: no MinGW runtime DLLs beside it.
    set(TAVOLIN_STATIC -static -static-libgcc -static-libstdc++)
    target_link_options(tavolin_win32 PUBLIC ${TAVOLIN_STATIC})
    # The same bytes from the same sources wherever they are built: a source
    # file's name that reaches a program (in an assertion, say) is relative
    # to the source tree, and Tavolin.exe's header holds no time (below).
    target_compile_options(tavolin_settings INTERFACE -ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
endif()

# A Windows program of ours with a Unicode entry point (wWinMain or wmain),
# self-contained when built with MinGW.
function(tavolin_windows_program target)
    target_compile_definitions(${target} PRIVATE UNICODE _UNICODE)
    if(MINGW)
        target_link_options(${target} PRIVATE ${TAVOLIN_STATIC} -municode)
    endif()
endfunction()

add_executable(Tavolin WIN32 src/main.cpp res/tavolin.rc)
# The resource compiler does not report the files its script names.
file(GLOB TAVOLIN_ICONS CONFIGURE_DEPENDS res/icons/*.ico)
set_source_files_properties(res/tavolin.rc PROPERTIES
    OBJECT_DEPENDS "${TAVOLIN_ICONS};${CMAKE_SOURCE_DIR}/res/tavolin.manifest")
target_link_libraries(Tavolin PRIVATE tavolin_win32)
if(MINGW)
    # The oldest Windows it runs on, 7 (version 6.1), stands in its header:
    # an older system refuses it plainly instead of missing a function.
    target_link_options(Tavolin PRIVATE -Wl,--subsystem,windows:6.1
        -Wl,--major-os-version,6 -Wl,--minor-os-version,1 -Wl,--no-insert-timestamp)
endif()
tavolin_windows_program(Tavolin)
# The program's own sources build without a warning, in standard C++ only:
# no extension of one compiler (pedantic).
if(NOT MSVC)
    foreach(target tavolin_logic tavolin_ui tavolin_win32 Tavolin)
        target_compile_options(${target} PRIVATE -Wpedantic -Werror)
    endforeach()
endif()
set_target_properties(Tavolin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})


# GoogleTest for the Windows test programs: Debian ships its sources, which
# MinGW-w64 builds like ours; elsewhere an installed package is used.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    foreach(target gtest gtest_main)
        target_link_options(${target} INTERFACE ${TAVOLIN_STATIC})
    endforeach()
else()
    find_package(GTest REQUIRED)
endif()

# Test programs land beside Tavolin.exe, where they look for it.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
foreach(dir tests/win32 tests/e2e bench)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/windows.cmake)
        include(${dir}/windows.cmake)
    endif()
endforeach()
include(cmake/package.cmake)
