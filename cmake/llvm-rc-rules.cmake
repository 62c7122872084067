# How a resource script becomes an object with llvm-rc, read after CMake's own
# rules: clang preprocesses it for the target, llvm-rc compiles it to a .res
# file and llvm-cvtres turns that into the COFF object MinGW's linker takes,
# as the Windows SDK's cvtres does.
set(CMAKE_RC_COMPILE_OBJECT
    "<CMAKE_COMMAND> -E cmake_llvm_rc <SOURCE> <OBJECT>.pp <CMAKE_C_COMPILER> <DEFINES> -DRC_INVOKED <INCLUDES> <FLAGS> -x c -E -- <SOURCE> ++ <CMAKE_RC_COMPILER> <DEFINES> <INCLUDES> <FLAGS> /FO <OBJECT>.res <OBJECT>.pp"
    "llvm-cvtres /MACHINE:${TAVOLIN_CVTRES_MACHINE} /OUT:<OBJECT> <OBJECT>.res")
