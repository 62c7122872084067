#include "driver.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <utility>

namespace e2e {

namespace {

// Gives a hung window a bounded time to answer.
constexpr UINT kMessageTimeoutMs = 2000;
// Leaves the target time to handle each input as its own event.
constexpr DWORD kInputPauseMs = 20;

LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                             &result))
        return -1;
    return static_cast<LRESULT>(result);
}

void SendInputs(INPUT* inputs, UINT count) {
    SendInput(count, inputs, sizeof(INPUT));
    Sleep(kInputPauseMs);
}

INPUT MouseInput(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    return input;
}

INPUT KeyInput(WORD virtualKey, WORD scan, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scan;
    input.ki.dwFlags = flags;
    return input;
}

// Absolute pointer coordinates run from 0 to 65535 over the primary screen
// and are scaled back by size / 65536, rounding down; the smallest value
// that lands on the pixel is exact.
LONG Normalise(int pixel, int screenSize) {
    return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

POINT Centre(const Target& target) {
    RECT rect = target.Rect();
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::wstring WithoutAmpersands(const std::wstring& text) {
    std::wstring result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;  // "&&" stands for one '&'
        result += text[i];
    }
    return result;
}

bool IsComboBox(HWND window) {
    std::wstring name = ClassName(window);
    std::transform(name.begin(), name.end(), name.begin(), ::towlower);
    return name.find(L"combobox") != std::wstring::npos;
}

struct DcReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
struct DcDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

}  // namespace

Process::Process(PROCESS_INFORMATION info) : handle_(info.hProcess), pid_(info.dwProcessId) {
    if (info.hThread) CloseHandle(info.hThread);
}

Process::Process(Process&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), pid_(std::exchange(other.pid_, 0)) {}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Terminate();
        if (handle_) CloseHandle(handle_);
        handle_ = std::exchange(other.handle_, nullptr);
        pid_ = std::exchange(other.pid_, 0);
    }
    return *this;
}

Process::~Process() {
    Terminate();
    if (handle_) CloseHandle(handle_);
}

bool Process::Running() const { return handle_ && WaitForSingleObject(handle_, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(int timeoutMs) {
    return handle_ && WaitForSingleObject(handle_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (handle_) GetExitCodeProcess(handle_, &code);
    return code;
}

void Process::Terminate() {
    if (!Running()) return;
    TerminateProcess(handle_, 1);
    WaitForSingleObject(handle_, kDefaultTimeoutMs);
}

std::wstring ProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = 0;
    while ((length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) ==
           path.size())
        path.resize(path.size() * 2);
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

Process Start(const std::wstring& commandLine, const std::wstring& currentDirectory) {
    std::wstring line = commandLine;  // CreateProcessW may write to it
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        currentDirectory.empty() ? nullptr : currentDirectory.c_str(), &startup,
                        &info))
        return {};
    return Process(info);
}

Tavolin StartTavolin(const std::wstring& currentDirectory, int timeoutMs,
                     const std::wstring& programDirectory) {
    ParkMouse();
    Tavolin tavolin;
    const std::wstring directory = programDirectory.empty() ? ProgramDirectory() : programDirectory;
    tavolin.process = Start(L"\"" + directory + L"\\Tavolin.exe\"",
                            currentDirectory.empty() ? directory : currentDirectory);
    if (!tavolin.process.pid()) return tavolin;
    DWORD pid = tavolin.process.pid();
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(pid)) {
                if (ClassName(window) == L"TavolinForm") {
                    tavolin.bar = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return tavolin;
}

namespace {

// When the process was started, or 0 if it cannot be told (it has ended).
ULONGLONG StartTime(DWORD pid) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!process) return 0;
    FILETIME created{}, exited{}, kernel{}, user{};
    const bool known = GetProcessTimes(process, &created, &exited, &kernel, &user);
    CloseHandle(process);
    return known ? (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime : 0;
}

}  // namespace

std::vector<PROCESSENTRY32W> Descendants(DWORD ancestor) {
    std::vector<PROCESSENTRY32W> all;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return all;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        all.push_back(entry);
    CloseHandle(snapshot);
    // A process keeps the number of its parent after the parent has ended,
    // and the system gives that number to a later process: a child is one
    // started after the process now holding its parent's number. (The
    // session's desktop outlives the program that started it, and was taken
    // for a child of whichever test program got that program's number.)
    std::map<DWORD, ULONGLONG> family{{ancestor, StartTime(ancestor)}};
    std::vector<PROCESSENTRY32W> found;
    for (bool grew = true; grew;) {
        grew = false;
        for (const PROCESSENTRY32W& process : all) {
            const auto parent = family.find(process.th32ParentProcessID);
            if (family.count(process.th32ProcessID) || parent == family.end()) continue;
            const ULONGLONG started = StartTime(process.th32ProcessID);
            if (started == 0 || started < parent->second) continue;
            family.emplace(process.th32ProcessID, started);
            found.push_back(process);
            grew = true;
        }
    }
    return found;
}

bool EndProcess(DWORD pid) {
    const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (!process) return false;
    TerminateProcess(process, 1);
    const bool ended = WaitForSingleObject(process, kDefaultTimeoutMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

void EndProcesses(const std::vector<PROCESSENTRY32W>& processes) {
    for (auto process = processes.rbegin(); process != processes.rend(); ++process)
        EndProcess(process->th32ProcessID);
}

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        // Events a test has hooked arrive as messages of this thread.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

namespace {

// The enumeration callbacks are named functions: only they can carry the
// system's calling convention, which a lambda lacks on 32-bit x86.
struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK AddVisibleWindowOfProcess(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (IsWindowVisible(window) && (search.pid == 0 || owner == search.pid))
        search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid) {
    WindowSearch search{pid, {}};
    EnumWindows(AddVisibleWindowOfProcess, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::wstring& title, DWORD pid, int timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(pid)) {
                if (Text(window) == title) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

bool WaitForWindowGone(const std::wstring& title, DWORD pid, int timeoutMs) {
    return WaitUntil(
        [&] {
            auto windows = TopLevelWindows(pid);
            return std::none_of(windows.begin(), windows.end(),
                                [&](HWND window) { return Text(window) == title; });
        },
        timeoutMs);
}

std::wstring Text(HWND window) {
    LRESULT length = Send(window, WM_GETTEXTLENGTH);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::wstring ClassName(HWND window) {
    wchar_t name[256] = {};
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, AddWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND ChildByText(HWND parent, const std::wstring& text) {
    for (HWND child : Children(parent))
        if (Text(child) == text) return child;
    return nullptr;
}

bool IsClass(HWND window, const wchar_t* className) {
    return _wcsicmp(ClassName(window).c_str(), className) == 0;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND child : Children(parent))
        if (IsClass(child, className)) found.push_back(child);
    return found;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
    for (HWND child : Children(parent))
        if (IsClass(child, className)) return child;
    return nullptr;
}

HWND FocusIn(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WindowRectOnScreen(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

bool BringToFront(HWND window, int timeoutMs) {
    return WaitUntil(
        [&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        },
        timeoutMs);
}

void MoveMouse(int x, int y) {
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                             Normalise(x, GetSystemMetrics(SM_CXSCREEN)),
                             Normalise(y, GetSystemMetrics(SM_CYSCREEN)));
    SendInputs(&input, 1);
}

void ParkMouse() { MoveMouse(1000, 20); }

void Hover(const Target& target) {
    POINT centre = Centre(target);
    MoveMouse(centre.x, centre.y);
    // Several events, as a hand makes them, all inside the control.
    for (POINT offset : {POINT{2, 1}, POINT{-2, 2}, POINT{1, -2}, POINT{0, 0}})
        MoveMouse(centre.x + offset.x, centre.y + offset.y);
}

void ClickAt(int x, int y) {
    MoveMouse(x, y);
    INPUT press[] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    SendInputs(press, 2);
}

void LeftButton(bool down) {
    INPUT press = MouseInput(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInputs(&press, 1);
}

void Click(const Target& target) {
    POINT centre = Centre(target);
    ClickAt(centre.x, centre.y);
}

void DoubleClick(const Target& target) {
    POINT centre = Centre(target);
    MoveMouse(centre.x, centre.y);
    // Both clicks in one batch, well inside the double-click time.
    INPUT clicks[] = {MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP),
                      MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)};
    SendInputs(clicks, 4);
}

void TypeText(const std::wstring& text) {
    for (wchar_t character : text) {
        INPUT keys[] = {KeyInput(0, character, KEYEVENTF_UNICODE),
                        KeyInput(0, character, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)};
        SendInputs(keys, 2);
    }
}

void PressKey(WORD virtualKey, bool alt, bool ctrl, bool shift) {
    std::vector<WORD> modifiers;
    if (ctrl) modifiers.push_back(VK_CONTROL);
    if (alt) modifiers.push_back(VK_MENU);
    if (shift) modifiers.push_back(VK_SHIFT);
    std::vector<INPUT> keys;
    for (WORD modifier : modifiers) keys.push_back(KeyInput(modifier, 0, 0));
    keys.push_back(KeyInput(virtualKey, 0, 0));
    keys.push_back(KeyInput(virtualKey, 0, KEYEVENTF_KEYUP));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it)
        keys.push_back(KeyInput(*it, 0, KEYEVENTF_KEYUP));
    SendInputs(keys.data(), static_cast<UINT>(keys.size()));
}

void HoldKey(WORD virtualKey, int presses) {
    std::vector<INPUT> keys(presses, KeyInput(virtualKey, 0, 0));
    keys.push_back(KeyInput(virtualKey, 0, KEYEVENTF_KEYUP));
    SendInputs(keys.data(), static_cast<UINT>(keys.size()));
}

std::vector<std::wstring> ListEntries(HWND list) {
    bool combo = IsComboBox(list);
    UINT getLength = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    UINT getText = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::wstring> entries;
    const int count = ListCount(list);
    for (int i = 0; i < count; ++i) {
        LRESULT length = Send(list, getLength, i);
        std::wstring entry(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
        LRESULT copied = Send(list, getText, i, reinterpret_cast<LPARAM>(entry.data()));
        entry.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        entries.push_back(entry);
    }
    return entries;
}

int ListCount(HWND list) {
    return static_cast<int>(Send(list, IsComboBox(list) ? CB_GETCOUNT : LB_GETCOUNT));
}

int ListSelection(HWND list) {
    return static_cast<int>(Send(list, IsComboBox(list) ? CB_GETCURSEL : LB_GETCURSEL));
}

int EntryIndex(HWND list, const std::wstring& name) {
    const std::vector<std::wstring> entries = ListEntries(list);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::wstring& entry = entries[i];
        if (entry.substr(std::min(entry.find_first_not_of(L' '), entry.size())) == name)
            return static_cast<int>(i);
    }
    return -1;
}

void ClickEntryAt(HWND list, int index, int clicks) {
    const int height = std::max(1, static_cast<int>(Send(list, LB_GETITEMHEIGHT)));
    const RECT client = ClientRectOnScreen(list);
    const int rows = std::max(1, static_cast<int>(client.bottom - client.top) / height);
    int top = static_cast<int>(Send(list, LB_GETTOPINDEX));
    if (index < top || index >= top + rows) {
        Send(list, LB_SETTOPINDEX, index);
        top = static_cast<int>(Send(list, LB_GETTOPINDEX));
    }
    const int y = client.top + height * (index - top) + height / 2;
    for (int i = 0; i < clicks; ++i) ClickAt(client.left + 12, y);
}

bool ClickEntry(HWND list, const std::wstring& name, int clicks) {
    const int index = EntryIndex(list, name);
    if (index < 0) return false;
    ClickEntryAt(list, index, clicks);
    return true;
}

void ChooseFromDropDown(HWND combo, const std::wstring& typed, WORD arrow) {
    auto dropped = [&] { return Send(combo, CB_GETDROPPEDSTATE) > 0; };
    Click(combo);
    WaitUntil(dropped);
    Click(combo);
    WaitUntil([&] { return !dropped(); });
    if (arrow) PressKey(arrow);
    TypeText(typed);
}

std::optional<MessageBoxInfo> WaitForMessageBox(const std::wstring& title, DWORD pid,
                                                int timeoutMs) {
    HWND box = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(pid)) {
                if (ClassName(window) == L"#32770" && Text(window) == title) {
                    box = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    if (!box) return std::nullopt;
    MessageBoxInfo info{box, title, {}, {}};
    for (HWND child : Children(box)) {
        if (IsClass(child, L"Static") && info.prompt.empty() &&
            (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON)
            info.prompt = Text(child);
        else if (IsClass(child, L"Button") && IsWindowVisible(child))
            info.buttons.push_back(Text(child));
    }
    return info;
}

void PressButton(HWND box, const std::wstring& caption) {
    for (HWND child : Children(box)) {
        if (!IsClass(child, L"Button")) continue;
        std::wstring text = Text(child);
        if (text == caption || WithoutAmpersands(text) == WithoutAmpersands(caption)) {
            BringToFront(box);
            Click(child);
            return;
        }
    }
}

namespace {

std::vector<COLORREF> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

}  // namespace

std::vector<COLORREF> Drawn(int width, int height, const std::function<void(HDC)>& draw) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    draw(memory);
    SelectObject(memory, previous);
    std::vector<COLORREF> pixels = Pixels(memory, bitmap, width, height);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

KeyboardCues::KeyboardCues(bool always) {
    SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &before_, 0);
    set_ = SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(always ? 1 : 0),
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

KeyboardCues::~KeyboardCues() {
    SystemParametersInfoW(SPI_SETKEYBOARDCUES, 0, reinterpret_cast<void*>(before_ ? 1 : 0),
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

std::vector<COLORREF> ScreenPixels(const RECT& rect) {
    return Drawn(rect.right - rect.left, rect.bottom - rect.top, [&](HDC memory) {
        HDC screen = GetDC(nullptr);
        BitBlt(memory, 0, 0, rect.right - rect.left, rect.bottom - rect.top, screen, rect.left,
               rect.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
    });
}

bool SaveScreenshot(const std::wstring& path) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    std::unique_ptr<HDC__, DcReleaser> screen(GetDC(nullptr));
    std::unique_ptr<HDC__, DcDeleter> memory(CreateCompatibleDC(screen.get()));
    if (!screen || !memory) return false;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // bottom-up rows, as a BMP file stores them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    std::unique_ptr<void, ObjectDeleter> bitmap(CreateDIBSection(
        screen.get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    bool copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
    SelectObject(memory.get(), previous);
    GdiFlush();
    if (!copied) return false;

    DWORD rowSize = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    header.biSizeImage = rowSize * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::unique_ptr<FILE, FileCloser> out(_wfopen(path.c_str(), L"wb"));
    return out && fwrite(&file, sizeof(file), 1, out.get()) == 1 &&
           fwrite(&header, sizeof(header), 1, out.get()) == 1 &&
           fwrite(bits, header.biSizeImage, 1, out.get()) == 1;
}

std::wstring SystemText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer ? buffer : L"", length);
    LocalFree(buffer);
    text.erase(text.find_last_not_of(L" \r\n") + 1);
    return text;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    std::string out(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr),
                    '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                        static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string FileContents(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::vector<std::string> ReadLines(const std::wstring& path) {
    std::vector<std::string> lines;
    std::ifstream in(path.c_str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool WriteAll(const std::wstring& path, const std::string& contents) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    return written == contents.size();
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

std::wstring WindowsDirectory() {
    wchar_t directory[MAX_PATH];
    return std::wstring(directory, GetWindowsDirectoryW(directory, MAX_PATH));
}

}  // namespace e2e
