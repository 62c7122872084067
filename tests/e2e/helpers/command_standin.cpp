// Stands in for "command.com" in the end-to-end tests: copied under that name
// into the Windows directory, it writes how it was started and ends at once.
// The log goes to the file named by TAVOLIN_COMMAND_LOG, or else to
// command.log beside the program. Lines:
//   directory=<its current directory>
//   show=<STARTUPINFO wShowWindow, or "none" when the starter gave no style>
#include <windows.h>

#include <string>

namespace {

std::wstring LogPath() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"TAVOLIN_COMMAND_LOG", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    std::wstring module(MAX_PATH, L'\0');
    module.resize(GetModuleFileNameW(nullptr, module.data(), MAX_PATH));
    // Wine names a program started from a share UNC\SERVER\SHARE\..., without
    // the two backslashes it begins with.
    if (module.starts_with(L"UNC\\")) module = L"\\\\" + module.substr(4);
    return module.substr(0, module.find_last_of(L'\\') + 1) + L"command.log";
}

std::string Utf8(const std::wstring& text) {
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), static_cast<int>(out.size()),
                        nullptr, nullptr);
    out.pop_back();  // the terminating zero
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring directory(MAX_PATH, L'\0');
    directory.resize(GetCurrentDirectoryW(MAX_PATH, directory.data()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const std::wstring show = (startup.dwFlags & STARTF_USESHOWWINDOW)
                                  ? std::to_wstring(startup.wShowWindow)
                                  : std::wstring(L"none");
    const std::string text = Utf8(L"directory=" + directory + L"\nshow=" + show + L"\n");

    const HANDLE log = CreateFileW(LogPath().c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                   OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    const BOOL ok = WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(log);
    return ok && written == text.size() ? 0 : 1;
}
