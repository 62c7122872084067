# A second toolchain for the 64-bit Windows program: clang and lld targeting
# MinGW-w64 (its headers and libraries), and llvm-rc, which reads resource
# scripts in the stricter dialect of the Windows SDK's compiler and takes that
# compiler's options.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TAVOLIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${TAVOLIN_MINGW_TRIPLE})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${TAVOLIN_MINGW_TRIPLE})
set(CMAKE_RC_COMPILER llvm-rc)
set(CMAKE_RC_FLAGS_INIT "-I /usr/${TAVOLIN_MINGW_TRIPLE}/include")
set(TAVOLIN_CVTRES_MACHINE X64)
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/llvm-rc-rules.cmake)
# Debian keeps MinGW-w64 GCC's C++ library and runtime in a directory named
# like "12-posix", which clang does not take for a GCC version: name them.
# That C++ library is built on winpthreads, which GCC's driver links by itself.
file(GLOB TAVOLIN_MINGW_GCC_DIR /usr/lib/gcc/${TAVOLIN_MINGW_TRIPLE}/*-posix)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${TAVOLIN_MINGW_GCC_DIR}/include/c++
    ${TAVOLIN_MINGW_GCC_DIR}/include/c++/${TAVOLIN_MINGW_TRIPLE}
    ${TAVOLIN_MINGW_GCC_DIR}/include/c++/backward)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${TAVOLIN_MINGW_GCC_DIR} -pthread")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -L${TAVOLIN_MINGW_GCC_DIR} -pthread")
set(CMAKE_FIND_ROOT_PATH /usr/${TAVOLIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
