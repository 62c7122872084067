#include "desktop/win32/win32_desktop.h"

#include <algorithm>
#include <optional>

#include "desktop/command_line.h"
#include "desktop/keystrokes.h"
#include "desktop/win32/system_text.h"
#include "win32/handles.h"

namespace tavolin {

namespace {

// Characters of a command line CreateProcessW takes, its terminating zero included.
constexpr size_t kCommandLineLimit = 32767;

// How long ActivateWindow waits for the window to be really in front.
constexpr ULONGLONG kActivationTimeoutMs = 500;
constexpr DWORD kActivationPollMs = 10;

// Keys whose scan code carries the extended flag: without it the arrows and
// the editing block arrive as the numeric keypad's keys.
bool IsExtendedKey(unsigned short code) {
    return (code >= vk::kPageUp && code <= vk::kDown) || code == vk::kInsert || code == vk::kDelete;
}

INPUT ToInput(const KeyEvent& event) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    DWORD flags = event.up ? KEYEVENTF_KEYUP : 0;
    if (event.kind == KeyEvent::Kind::Character) {
        input.ki.wScan = event.code;
        flags |= KEYEVENTF_UNICODE;
    } else {
        input.ki.wVk = event.code;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(event.code, MAPVK_VK_TO_VSC));
        if (IsExtendedKey(event.code)) flags |= KEYEVENTF_EXTENDEDKEY;
    }
    input.ki.dwFlags = flags;
    return input;
}

// Asks for the focus the way the system allows a background program to:
// sharing the input state of the window in front for the moment of the call.
void BringToFront(HWND window) {
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    if (SetForegroundWindow(window)) return;
    const DWORD self = GetCurrentThreadId();
    const HWND front = GetForegroundWindow();
    const DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    const bool attached =
        frontThread && frontThread != self && AttachThreadInput(self, frontThread, TRUE);
    BringWindowToTop(window);
    SetForegroundWindow(window);
    if (attached) AttachThreadInput(self, frontThread, FALSE);
}

std::wstring SystemPath(UINT(WINAPI* get)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH + 1];
    const UINT length = get(path, MAX_PATH + 1);
    return length > 0 && length <= MAX_PATH ? std::wstring(path, length) : std::wstring();
}

// Empty where the name is not defined. The value may change between the
// two questions: asked until it fits.
std::wstring EnvironmentVariable(const std::wstring& name) {
    std::wstring value;
    for (DWORD size = 0;;) {
        value.resize(size);
        const DWORD length = GetEnvironmentVariableW(name.c_str(), value.data(), size);
        if (length < size || length == 0) return value.substr(0, length);
        size = length;
    }
}

// Where a program named without a directory is found, as a command prompt
// finds it: the current directory, then the system's directories and the
// PATH. The system's own search would look in Tavolin.exe's folder first,
// where a program of the same name could have been put beside it.
std::optional<std::wstring> FindBareProgram(const std::wstring& name) {
    const std::wstring places = L".;" + SystemPath(GetSystemDirectoryW) + L";" +
                                SystemPath(GetWindowsDirectoryW) + L";" +
                                EnvironmentVariable(L"PATH");
    std::wstring found(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = SearchPathW(places.c_str(), name.c_str(), L".exe",
                                         static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (length == 0) return std::nullopt;
        if (length < found.size()) return found.substr(0, length);
        found.resize(length);
    }
}

bool IsBareName(const std::wstring& program) {
    return program.find_first_of(L"\\/:") == std::wstring::npos;
}

}  // namespace

Outcome Win32Desktop::RunCommand(const std::wstring& commandLine, int windowStyle) {
    return RunCommandIn(L"", commandLine, windowStyle);
}

// An empty directory leaves the program in this one's current directory.
Outcome Win32Desktop::RunCommandIn(const std::wstring& directory, const std::wstring& commandLine,
                                   int windowStyle) {
    // Wine refuses a command line that begins with blanks, and Windows skips
    // them anyway; the caller's line stays as it was built.
    CommandLine read = ReadCommandLine(commandLine);
    std::wstring& line = read.text;
    // Windows refuses a line that does not fit its limit, with its terminating
    // zero; Wine would start it anyway.
    if (line.size() >= kCommandLineLimit) return Failure{SystemText(ERROR_FILENAME_EXCED_RANGE)};
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(windowStyle);
    PROCESS_INFORMATION process{};
    const std::wstring& program = read.program;
    std::optional<std::wstring> module;
    if (IsBareName(program)) {
        module = FindBareProgram(program);
        if (!module) return Failure{SystemText(ERROR_FILE_NOT_FOUND, program)};
    }
    if (!CreateProcessW(module ? module->c_str() : nullptr, line.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, directory.empty() ? nullptr : directory.c_str(), &startup,
                        &process))
        return LastFailure(program);
    // Nobody waits for the program: its handles go at once.
    const owned::KernelHandle thread(process.hThread), started(process.hProcess);
    return Outcome();
}

Outcome Win32Desktop::ActivateWindow(const std::wstring& title) {
    const HWND window = FindWindowW(nullptr, title.c_str());
    if (!window) return Failure{L"There is no window titled \"" + title + L"\"."};
    BringToFront(window);
    // Under Wine the switch happens after SetForegroundWindow returns, and
    // keys sent before it land in the window that was in front.
    const ULONGLONG deadline = GetTickCount64() + kActivationTimeoutMs;
    while (GetForegroundWindow() != window) {
        if (GetTickCount64() >= deadline)
            return Failure{L"The window titled \"" + title +
                           L"\" could not be brought to the front."};
        // Waits without dispatching, but lets the system deliver the switch.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kActivationPollMs, QS_ALLINPUT);
    }
    return Outcome();
}

Outcome Win32Desktop::SendKeystrokes(const std::wstring& keys) {
    const Result<std::vector<KeyEvent>> events = ParseKeystrokes(keys);
    if (!events.ok()) return events.failure();
    std::vector<INPUT> inputs;
    std::transform(events.value().begin(), events.value().end(), std::back_inserter(inputs),
                   ToInput);
    if (inputs.empty()) return Outcome();
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent == inputs.size()) return Outcome();
    // Input blocked by a window of higher integrity sets no error code.
    const DWORD error = GetLastError();
    return Failure{error ? SystemText(error) : L"The keystrokes could not be sent."};
}

int Win32Desktop::ShowMessage(const std::wstring& prompt, int flags, const std::wstring& title) {
    // A lone carriage return already breaks the line in the box's text.
    // Owned, the box holds off its window's input until it is answered.
    return MessageBoxW(boxOwner_(), prompt.c_str(), title.c_str(), static_cast<UINT>(flags));
}

std::wstring Win32Desktop::EnvironmentValue(const std::wstring& name) {
    return EnvironmentVariable(name);
}

bool Win32Desktop::DelayedExpansionOn() {
    // The interpreter's own rule: the user's setting where there is one,
    // else the machine's.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        DWORD value = 0, size = sizeof value;
        if (RegGetValueW(root, L"Software\\Microsoft\\Command Processor", L"DelayedExpansion",
                         RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS)
            return value != 0;
    }
    return false;
}

std::wstring Win32Desktop::WindowsDirectory() { return SystemPath(GetWindowsDirectoryW); }

}  // namespace tavolin
