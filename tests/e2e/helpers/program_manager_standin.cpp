// Stands in for the shell's "Program Manager" window in the end-to-end tests:
// a top-level window of that title that writes every key pressed in it to
// the log file named on its command line, one line per key, such as "TAB",
// "Shift+S" or "Alt+F4". It never closes by request (Alt+F4 is one of the
// keys under test); requests to close are logged as "close" and refused.
//
//   program_manager_standin.exe LOG_FILE [LEFT TOP WIDTH HEIGHT]
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

namespace {

HANDLE g_log = INVALID_HANDLE_VALUE;

// Unflushed lines would be lost when the test ends the stand-in by its PID.
void Log(const std::wstring& line) {
    const std::wstring text = line + L"\n";
    char utf8[256];
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         utf8, sizeof utf8, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(g_log, utf8, static_cast<DWORD>(size), &written, nullptr);
    FlushFileBuffers(g_log);
}

std::wstring KeyName(WPARAM key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::wstring(1, static_cast<wchar_t>(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
    switch (key) {
        case VK_TAB:
            return L"TAB";
        case VK_RETURN:
            return L"RETURN";
        case VK_ESCAPE:
            return L"ESCAPE";
        case VK_SPACE:
            return L"SPACE";
        case VK_BACK:
            return L"BACK";
        default: {
            wchar_t code[16];
            std::swprintf(code, 16, L"VK_%02X", static_cast<unsigned>(key));
            return code;
        }
    }
}

// Which modifiers are held, as the key messages in this queue tell it: they
// come in the order sent. Asked of Wine, the key state once gave the last
// key of a burst without its Shift, which had been released after it.
struct Modifiers {
    bool control = false;
    bool alt = false;
    bool shift = false;
};
Modifiers g_held;

// The flag a modifier key sets while it is down; none for any other key.
bool* HeldFlagOf(WPARAM key) {
    switch (key) {
        case VK_CONTROL:
        case VK_LCONTROL:
        case VK_RCONTROL:
            return &g_held.control;
        case VK_MENU:
        case VK_LMENU:
        case VK_RMENU:
            return &g_held.alt;
        case VK_SHIFT:
        case VK_LSHIFT:
        case VK_RSHIFT:
            return &g_held.shift;
        default:
            return nullptr;
    }
}

// The modifiers are not logged as keys of their own: they show as the
// prefix of the key they are held for.
void LogKey(WPARAM key, LPARAM flags) {
    if (bool* held = HeldFlagOf(key)) {
        *held = true;
        return;
    }
    std::wstring line;
    if (g_held.control) line += L"Ctrl+";
    if ((flags & (1 << 29)) || g_held.alt) line += L"Alt+";
    if (g_held.shift) line += L"Shift+";
    Log(line + KeyName(key));
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            LogKey(wParam, lParam);
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (bool* held = HeldFlagOf(wParam)) *held = false;
            break;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                Log(L"close");
                return 0;
            }
            break;
        case WM_CLOSE:
            Log(L"close");
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2) return 2;
    g_log = CreateFileW(argv[1], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_log == INVALID_HANDLE_VALUE) return 3;
    int place[4] = {CW_USEDEFAULT, CW_USEDEFAULT, 320, 200};
    for (int i = 0; i < 4 && i + 2 < argc; ++i) place[i] = _wtoi(argv[i + 2]);
    LocalFree(argv);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"ProgramManagerStandIn";
    if (!RegisterClassW(&windowClass)) return 4;
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Program Manager",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, place[0], place[1], place[2],
                                  place[3], nullptr, nullptr, instance, nullptr);
    if (!window) return 5;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    CloseHandle(g_log);
    return 0;
}
