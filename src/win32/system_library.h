// Libraries loaded at run time come from the system's own directory only:
// Windows looks for a library named without a path beside the program
// first, and for most of the system's libraries (oleacc.dll,
// winspool.drv...) a file of that name put beside Tavolin.exe, in a
// Downloads folder say, would run inside it.
#pragma once

#include <string>

#include "win32/windows_h.h"

namespace system_library {

// A function of a loaded library as its own type; null where it has none.
template <class Function>
Function FunctionOf(HMODULE module, const char* name) {
    return module
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
               : nullptr;
}

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Windows 8 and later, and Windows 7 with its loader update, have it, and
// understand the LOAD_LIBRARY_SEARCH_ flags with it.
inline SetDefaultDllDirectoriesFunction SetDefaultDllDirectories() {
    static const auto function = FunctionOf<SetDefaultDllDirectoriesFunction>(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    return function;
}

// Makes the system directory the one place this process looks for
// libraries, also for those the system's libraries load on its behalf;
// first thing at start, where the system can.
inline void KeepLibrarySearchToTheSystem() {
    if (const auto set = SetDefaultDllDirectories()) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// Loads the system's library of that name from the system directory; null
// where it is not there.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (SetDefaultDllDirectories())
        return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    wchar_t directory[MAX_PATH];
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    const std::wstring path = std::wstring(directory, length) + L"\\" + name;
    // What it loads in turn is looked for beside it, not beside Tavolin.exe.
    return LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace system_library
