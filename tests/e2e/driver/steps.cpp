#include "steps.h"

#include <cstdlib>
#include <sstream>

#include "../helpers/control_probe.h"

namespace e2e {

ProgramManagerStandIn::ProgramManagerStandIn(const std::wstring& logFile) : log(logFile) {
    process = Start(L"\"" + ProgramDirectory() + L"\\program_manager_standin.exe\" \"" + log +
                    L"\" 660 20 320 200");
    window = WaitForWindow(L"Program Manager", process.pid());
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

namespace {

constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";
// The session's own resolution, where the prefix has no value of its own.
constexpr DWORD kSessionDpi = 96;

bool WriteLogPixels(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok =
        RegSetValueExW(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi),
                       sizeof dpi) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

INT_PTR Answer(HWND window, const wchar_t* name) {
    return reinterpret_cast<INT_PTR>(GetPropW(window, name)) - 1;
}

}  // namespace

std::string PlaceMismatch(const RECT& actual, const Twips& place, int dpi) {
    const auto px = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    const RECT expected{px(place.left), px(place.top), px(place.left) + px(place.width),
                        px(place.top) + px(place.height)};
    const bool close = std::abs(actual.left - expected.left) <= 1 &&
                       std::abs(actual.top - expected.top) <= 1 &&
                       std::abs((actual.right - actual.left) - px(place.width)) <= 1 &&
                       std::abs((actual.bottom - actual.top) - px(place.height)) <= 1;
    if (close) return "";
    return "at " + Describe(actual) + ", not " + Describe(expected);
}

std::string Describe(const RECT& rect) {
    std::ostringstream text;
    text << "(" << rect.left << ", " << rect.top << ") " << rect.right - rect.left << " x "
         << rect.bottom - rect.top;
    return text.str();
}

RECT InParent(HWND window) {
    RECT rect = WindowRectOnScreen(window);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LogPixels::LogPixels(DWORD dpi) : previous_(kSessionDpi) {
    DWORD value = 0, size = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &value,
                     &size) == ERROR_SUCCESS)
        previous_ = value;
    written_ = WriteLogPixels(dpi);
}

LogPixels::~LogPixels() { WriteLogPixels(previous_); }

ControlProbe::ControlProbe(HWND anyWindowOfTavolin)
    : module_(LoadLibraryW((ProgramDirectory() + L"\\control_probe.dll").c_str())),
      message_(RegisterWindowMessageW(probe::kMessage)) {
    const auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(module_ ? GetProcAddress(module_, "ProbeHook") : nullptr));
    if (hook)
        hook_ = SetWindowsHookExW(WH_GETMESSAGE, hook, module_,
                                  GetWindowThreadProcessId(anyWindowOfTavolin, nullptr));
}

ControlProbe::~ControlProbe() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (module_) FreeLibrary(module_);
}

bool ControlProbe::Ask(HWND window, int question, LPARAM argument, const wchar_t* last) const {
    RemovePropW(window, last);
    PostMessageW(window, message_, question, argument);
    return WaitUntil([&] { return GetPropW(window, last) != nullptr; });
}

std::optional<SIZE> ControlProbe::CaptionExtent(HWND control) const {
    if (!Ask(control, probe::kCaptionExtent, 0, probe::kCaptionHeight)) return std::nullopt;
    return SIZE{static_cast<LONG>(Answer(control, probe::kCaptionWidth)),
                static_cast<LONG>(Answer(control, probe::kCaptionHeight))};
}

std::optional<ControlProbe::Font> ControlProbe::FontOf(HWND control) const {
    if (!Ask(control, probe::kFont, 0, probe::kFontHeight)) return std::nullopt;
    const auto atom = static_cast<ATOM>(Answer(control, probe::kFontFace));
    wchar_t face[LF_FACESIZE] = {};
    const UINT length = GlobalGetAtomNameW(atom, face, LF_FACESIZE);
    GlobalDeleteAtom(atom);
    return Font{std::wstring(face, length), static_cast<int>(Answer(control, probe::kFontHeight)),
                static_cast<int>(Answer(control, probe::kFontWeight))};
}

std::optional<ControlProbe::Colours> ControlProbe::ColoursOf(HWND label) const {
    if (!Ask(label, probe::kColours, 0, probe::kBackgroundColour)) return std::nullopt;
    return Colours{static_cast<COLORREF>(Answer(label, probe::kTextColour)),
                   static_cast<COLORREF>(Answer(label, probe::kBackgroundColour))};
}

std::optional<ControlProbe::Icon> ControlProbe::IconOf(HWND window, bool big, int resource) const {
    if (!Ask(window, big ? probe::kBigIcon : probe::kSmallIcon, resource, probe::kIcon))
        return std::nullopt;
    return static_cast<Icon>(Answer(window, probe::kIcon));
}

std::optional<int> ControlProbe::GdiObjects(HWND anyWindow) const {
    if (!Ask(anyWindow, probe::kGdiObjects, 0, probe::kGdiObjectCount)) return std::nullopt;
    return static_cast<int>(Answer(anyWindow, probe::kGdiObjectCount));
}

bool ControlProbe::MakeCurrent(HWND anyWindow, const std::wstring& directory) const {
    const ATOM atom = GlobalAddAtomW(directory.c_str());
    const bool made = Ask(anyWindow, probe::kCurrentDirectory, atom, probe::kDirectoryMade) &&
                      Answer(anyWindow, probe::kDirectoryMade) == 1;
    GlobalDeleteAtom(atom);
    return made;
}

void ControlProbe::Hold(HWND anyWindow, int milliseconds) const {
    PostMessageW(anyWindow, message_, probe::kHold, milliseconds);
}

namespace {

constexpr int kSchemeElements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_BTNTEXT};

}  // namespace

ControlProbe::Scheme ControlProbe::BlackScheme() {
    Scheme black;
    for (const int element : kSchemeElements) {
        const bool text = element == COLOR_WINDOWTEXT || element == COLOR_BTNTEXT;
        black.emplace_back(element, text ? RGB(255, 255, 255) : RGB(0, 0, 0));
    }
    return black;
}

ControlProbe::Scheme ControlProbe::SchemeNow() {
    Scheme now;
    for (const int element : kSchemeElements) now.emplace_back(element, GetSysColor(element));
    return now;
}

bool ControlProbe::SetSystemColours(HWND anyWindow, const Scheme& colours) const {
    std::wstring text;
    for (const auto& [element, colour] : colours) {
        wchar_t pair[32];
        swprintf(pair, 32, L"%d=%02x%02x%02x ", element, GetRValue(colour), GetGValue(colour),
                 GetBValue(colour));
        text += pair;
    }
    const ATOM atom = GlobalAddAtomW(text.c_str());
    const bool set = Ask(anyWindow, probe::kSystemColours, atom, probe::kColoursSet) &&
                     Answer(anyWindow, probe::kColoursSet) == 1;
    GlobalDeleteAtom(atom);
    return set;
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

namespace {

// The file's name on the Linux side, through Wine's own conversion.
std::string UnixName(const std::wstring& path) {
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = convert ? convert(path.c_str()) : nullptr;
    if (!name) return std::string();
    std::string unix(name);
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.pop_back();  // the terminating zero
    return wide;
}

}  // namespace

std::string DropFiles(POINT at, const std::vector<std::wstring>& paths) {
    const wchar_t* tool = _wgetenv(L"TAVOLIN_XDND_DROP");
    if (!tool) return "no drop tool (TAVOLIN_XDND_DROP)";
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    const std::wstring result =
        std::wstring(folder) + L"tavolin-drop-" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    DeleteFileW(result.c_str());
    // Wine starts a Linux program, splitting its line at blanks outside quotes.
    std::wstring line = L"\"" + std::wstring(tool) + L"\" " + std::to_wstring(at.x) + L" " +
                        std::to_wstring(at.y) + L" \"" + Wide(UnixName(result)) + L"\"";
    for (const std::wstring& path : paths) line += L" \"" + Wide(UnixName(path)) + L"\"";
    // Its handle cannot be waited on: its answer is polled for.
    const Process dropping = Start(line);
    if (!dropping.pid()) return "the drop tool did not start";
    std::string answer;
    WaitUntil([&] { return !(answer = FileContents(result)).empty(); }, kDefaultTimeoutMs * 2);
    DeleteFileW(result.c_str());
    while (!answer.empty() && answer.back() == '\n') answer.pop_back();
    return answer.empty() ? "no answer from the drop tool" : answer;
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
