// Started by the tests: writes what it received (its command line, current
// directory and the show-window style) and its own path into the file named by
// TAVOLIN_ECHO_FILE, one per line, as UTF-16. The file appears whole: it is
// written beside and renamed.
#include <windows.h>

#include <string>

int wmain() {
    wchar_t target[MAX_PATH * 4];
    const DWORD length = GetEnvironmentVariableW(L"TAVOLIN_ECHO_FILE", target, MAX_PATH * 4);
    if (length == 0 || length >= MAX_PATH * 4) return 2;

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    wchar_t directory[MAX_PATH * 4];
    GetCurrentDirectoryW(MAX_PATH * 4, directory);

    std::wstring text = GetCommandLineW();
    text += L"\n";
    text += directory;
    text += L"\n";
    text +=
        (startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_wstring(startup.wShowWindow) : L"none";
    text += L"\n";
    wchar_t self[MAX_PATH * 4];
    text.append(self, GetModuleFileNameW(nullptr, self, MAX_PATH * 4));
    text += L"\n";

    const std::wstring part = std::wstring(target) + L".part";
    const HANDLE file = CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                              &written, nullptr);
    CloseHandle(file);
    if (!ok || !MoveFileExW(part.c_str(), target, MOVEFILE_REPLACE_EXISTING)) return 4;
    return 0;
}
