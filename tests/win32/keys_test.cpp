// Activating a window by its title and typing into it, in windows this test
// makes, and the message box.
#include "desktop/win32/win32_desktop.h"
#include "fixture.h"

namespace tavolin::win32test {
namespace {

// What a window received: the keys pressed (with and without Alt) and the
// characters they made.
struct Received {
    std::vector<WPARAM> keysDown;
    std::wstring characters;
};

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* received = reinterpret_cast<Received*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (received) received->keysDown.push_back(wParam);
            return 0;
        case WM_CHAR:
        case WM_SYSCHAR:
            if (received) received->characters += static_cast<wchar_t>(wParam);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            // Keeps a released Alt from opening the system menu.
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

class RecordingWindow {
public:
    explicit RecordingWindow(const std::wstring& title) {
        static const ATOM atom = [] {
            WNDCLASSW windowClass{};
            windowClass.lpfnWndProc = RecordingProc;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"TavolinKeyRecorder";
            return RegisterClassW(&windowClass);
        }();
        window_ =
            CreateWindowExW(0, MAKEINTATOM(atom), title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 300,
                            200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&received));
        // Minimised and not active: the window manager does not focus it when
        // it appears, so only ActivateWindow brings it to the front.
        ShowWindow(window_, SW_SHOWMINNOACTIVE);
    }
    ~RecordingWindow() { DestroyWindow(window_); }
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND handle() const { return window_; }
    Received received;

private:
    HWND window_;
};

std::wstring Title(const wchar_t* role) {
    return std::wstring(L"Tavolin test ") + role + L" " + std::to_wstring(GetCurrentProcessId());
}

TEST(Keystrokes, ActivatedWindowReceivesExactlyTheKeysSent) {
    Win32Desktop desktop;
    RecordingWindow target(Title(L"target"));
    ASSERT_NE(GetForegroundWindow(), target.handle());

    const Outcome activated = desktop.ActivateWindow(Title(L"target"));
    ASSERT_TRUE(activated.ok()) << Narrow(activated.failure().description);
    // In front as soon as ActivateWindow returns, so keys sent now reach it.
    EXPECT_EQ(GetForegroundWindow(), target.handle());
    EXPECT_FALSE(IsIconic(target.handle()));

    const Outcome sent = desktop.SendKeystrokes(L"{TAB}a{B}7~%x{%}{HOME}");
    ASSERT_TRUE(sent.ok()) << Narrow(sent.failure().description);
    const std::wstring characters = L"\taB7\rx%";
    EXPECT_TRUE(
        WaitFor([&] { return target.received.characters.size() >= characters.size(); }, 5000));
    EXPECT_EQ(Narrow(target.received.characters), Narrow(characters));
    const std::vector<WPARAM> keys = {VK_TAB,    'A',     VK_SHIFT, 'B',       '7',
                                      VK_RETURN, VK_MENU, 'X',      VK_PACKET, VK_HOME};
    EXPECT_TRUE(WaitFor([&] { return target.received.keysDown.size() >= keys.size(); }, 5000));
    EXPECT_EQ(target.received.keysDown, keys);

    // Unreadable notation sends nothing at all: the next key is the first.
    target.received = {};
    EXPECT_TRUE(desktop.SendKeystrokes(L"a{NOPE}").failed());
    EXPECT_TRUE(desktop.SendKeystrokes(L"z").ok());
    EXPECT_TRUE(WaitFor([&] { return !target.received.characters.empty(); }, 5000));
    EXPECT_EQ(Narrow(target.received.characters), "z");
}

TEST(Keystrokes, ActivatingAMissingTitleFails) {
    Win32Desktop desktop;
    const Outcome failure = desktop.ActivateWindow(Title(L"that nobody made"));
    ASSERT_TRUE(failure.failed());
    EXPECT_NE(failure.failure().description.find(Title(L"that nobody made")), std::wstring::npos);
}

}  // namespace
}  // namespace tavolin::win32test
