#include "fixture.h"

#include <atomic>

namespace tavolin::win32test {

namespace {

// The \\?\ form of an absolute path: names are taken as written (a trailing
// dot or blank kept) and there is no MAX_PATH limit.
std::wstring Extended(const std::wstring& path) {
    const bool absolute = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
    return absolute ? L"\\\\?\\" + path : path;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW(Extended(path + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(Extended(child).c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(Extended(child).c_str());
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(Extended(path).c_str());
}

}  // namespace

std::string Narrow(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                        nullptr, nullptr);
    return out;
}

std::wstring ExpectedText(DWORD error) {
    wchar_t text[512] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, 512, nullptr);
    std::wstring result = text;
    while (!result.empty() &&
           (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
        result.pop_back();
    return result;
}

ScratchDirectory::ScratchDirectory(const std::wstring& base) {
    static std::atomic<int> counter{0};
    path_ = base + L"\\tavolin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    MakeDirectory(path_);
}

ScratchDirectory::~ScratchDirectory() { RemoveTree(path_); }

std::wstring DriveTBase() { return L"T:"; }

std::wstring DriveCBase() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    std::wstring base(temp, length);
    if (base.size() > 3 && base.back() == L'\\') base.pop_back();
    return base;
}

void MakeDirectory(const std::wstring& path) {
    if (!CreateDirectoryW(Extended(path).c_str(), nullptr))
        ADD_FAILURE() << "cannot create " << Narrow(path) << ": "
                      << Narrow(ExpectedText(GetLastError()));
}

void MakeFile(const std::wstring& path, const std::string& content) {
    const HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot create " << Narrow(path) << ": "
                      << Narrow(ExpectedText(GetLastError()));
        return;
    }
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring ReadUtf16File(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::wstring();
    std::wstring text(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &read, nullptr);
    CloseHandle(file);
    text.resize(read / sizeof(wchar_t));
    return text;
}

std::wstring CurrentDirectory() {
    wchar_t directory[MAX_PATH * 4];
    return std::wstring(directory, GetCurrentDirectoryW(MAX_PATH * 4, directory));
}

std::wstring ProgramDirectory() {
    wchar_t path[MAX_PATH * 4];
    std::wstring program(path, GetModuleFileNameW(nullptr, path, MAX_PATH * 4));
    return program.substr(0, program.find_last_of(L'\\'));
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

}  // namespace tavolin::win32test
