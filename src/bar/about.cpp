#include "bar/about.h"

#include <iterator>

namespace tavolin {

namespace {

#define TAVOLIN_STRINGIZE2(x) L## #x
#define TAVOLIN_STRINGIZE(x) TAVOLIN_STRINGIZE2(x)

// The compiler that really built this program, from its own macros.
constexpr const wchar_t* kCompiler =
#if defined(__clang__)
    L"Clang " TAVOLIN_STRINGIZE(__clang_major__) L"." TAVOLIN_STRINGIZE(
        __clang_minor__) L"." TAVOLIN_STRINGIZE(__clang_patchlevel__);
#elif defined(__GNUC__)
    L"GCC " TAVOLIN_STRINGIZE(__GNUC__) L"." TAVOLIN_STRINGIZE(
        __GNUC_MINOR__) L"." TAVOLIN_STRINGIZE(__GNUC_PATCHLEVEL__);
#elif defined(_MSC_VER)
    L"Microsoft C++ " TAVOLIN_STRINGIZE(_MSC_FULL_VER);
#else
    L"an unknown C++ compiler";
#endif

constexpr const wchar_t* kBits = sizeof(void*) == 8 ? L"64-bit" : L"32-bit";

}  // namespace

std::wstring AboutText() {
    const std::wstring lines[] = {
        L"           Tavolin v2.1",
        L"",
        std::wstring(L"A ") + kBits + L" Win32 API application, built with " + kCompiler,
        L"",
        L"Copyright (C) 2026 the Tavolin authors",
        L"",
        L"Tavolin Example Workshop",
        L"P.O. Box 1234",
        L"Anytown 00000, Imaginaria",
        L"",
        L"Phone: +1 555-0142",
    };
    std::wstring text = lines[0];
    for (size_t i = 1; i < std::size(lines); ++i) text += L'\r' + lines[i];
    return text;
}

void ShowAbout(Desktop& desktop) { desktop.ShowMessage(AboutText(), mb::kInformation, L"About?"); }

}  // namespace tavolin
