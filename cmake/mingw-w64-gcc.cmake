# Cross-compiles the Windows program on Linux with MinGW-w64 GCC (posix
# threads) for TAVOLIN_MINGW_TRIPLE, which the architecture's toolchain file
# sets before it includes this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TAVOLIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVOLIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVOLIN_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVOLIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
