# The 32-bit Tavolin.exe, built by MinGW-w64 GCC: it runs on every x86
# Windows, 32-bit or 64-bit.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TAVOLIN_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-gcc.cmake)
