# The 64-bit Tavolin.exe, built by MinGW-w64 GCC.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVOLIN_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-gcc.cmake)
