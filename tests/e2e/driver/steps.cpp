#include "steps.h"

#include <cctype>
#include <cstdlib>

namespace e2e {

ProgramManagerStandIn::ProgramManagerStandIn(const std::wstring& logFile) : log(logFile) {
    process = Start(L"\"" + ProgramDirectory() + L"\\program_manager_standin.exe\" \"" + log +
                    L"\" 660 20 320 200");
    window = WaitForWindow(L"Program Manager", process.pid());
}

std::vector<std::string> StandInKeys(const std::wstring& log) {
    std::vector<std::string> keys = ReadLines(log);
    for (std::string& key : keys)
        if (key.size() == 7 && key.rfind("Shift+", 0) == 0 && std::isupper(key[6]))
            key = key.substr(6);
    return keys;
}

CommandStandIn::CommandStandIn(const std::wstring& log)
    : path_(WindowsDirectory() + L"\\command.com") {
    const std::wstring standIn = ProgramDirectory() + L"\\command_standin.exe";
    free_ = !FileExists(path_) || FileContents(path_) == FileContents(standIn);
    placed_ = free_ && CopyFileW(standIn.c_str(), path_.c_str(), FALSE);
    SetEnvironmentVariableW(L"TAVOLIN_COMMAND_LOG", log.c_str());
}

CommandStandIn::~CommandStandIn() {
    SetEnvironmentVariableW(L"TAVOLIN_COMMAND_LOG", nullptr);
    if (placed_) DeleteFileW(path_.c_str());
}

std::wstring PrintOutDirectory() {
    const wchar_t* value = _wgetenv(L"TAVOLIN_PRINT_OUT");
    return value ? value : L"";
}

int PrintedDocuments(const std::wstring& directory) {
    int count = 0;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((directory + L"\\*.pdf").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do ++count;
    while (FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

HWND NotepadWindow(const std::wstring& titlePart) {
    for (HWND window : TopLevelWindows())
        if (ClassName(window) == L"Notepad" && Text(window).find(titlePart) != std::wstring::npos)
            return window;
    return nullptr;
}

bool EndNotepadWhenItAppears(const std::wstring& titlePart) {
    HWND window = nullptr;
    if (!WaitUntil([&] { return (window = NotepadWindow(titlePart)) != nullptr; }, kProgramStartMs))
        return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return EndProcess(pid);
}

}  // namespace e2e
