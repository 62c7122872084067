// The bar's outside commands in the real Tavolin.exe: the Start-menu and
// exit keystrokes reaching a stand-in "Program Manager", the accessories and
// the DOS prompt starting, and the About box.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "driver.h"
#include "steps.h"

namespace {

using e2e::Utf8;
using Lines = std::vector<std::string>;

// A directory of its own for one test, removed with everything in it.
class ScratchDirectory {
public:
    ScratchDirectory() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"tavolin-commands-" + std::to_wstring(GetCurrentProcessId()) +
                L"-" + std::to_wstring(GetTickCount64());
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~ScratchDirectory() { e2e::RemoveTree(path_); }
    std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// A second top-level window of the test program, on a thread of its own so
// that it answers while the test waits. It records every key that reaches it.
class Bystander {
public:
    static constexpr wchar_t kTitle[] = L"Tavolin test bystander";

    Bystander() : thread_([this] { Run(); }) {
        e2e::WaitUntil([this] { return window() != nullptr; });
    }
    ~Bystander() {
        if (HWND w = window()) PostMessageW(w, WM_APP, 0, 0);
        thread_.join();
    }
    HWND window() {
        std::lock_guard<std::mutex> lock(mutex_);
        return window_;
    }
    Lines keys() {
        std::lock_guard<std::mutex> lock(mutex_);
        return keys_;
    }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Bystander*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        switch (message) {
            case WM_KEYDOWN:
            case WM_SYSKEYDOWN:
            case WM_CHAR:
            case WM_SYSCHAR:
                if (self) {
                    std::lock_guard<std::mutex> lock(self->mutex_);
                    self->keys_.push_back(std::to_string(message) + ":" + std::to_string(wParam));
                }
                break;
            case WM_CLOSE:
                return 0;  // Alt+F4 reaching it must show in the log, not end it
            case WM_APP:
                DestroyWindow(window);
                return 0;
            case WM_DESTROY:
                PostQuitMessage(0);
                return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    void Run() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Proc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = L"TavolinTestBystander";
        RegisterClassW(&windowClass);
        // Top left, clear of the bar and of the stand-in.
        HWND w =
            CreateWindowExW(0, windowClass.lpszClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            20, 20, 300, 180, nullptr, nullptr, windowClass.hInstance, nullptr);
        SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        {
            std::lock_guard<std::mutex> lock(mutex_);
            window_ = w;
        }
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        std::lock_guard<std::mutex> lock(mutex_);
        window_ = nullptr;
    }

    std::mutex mutex_;
    HWND window_ = nullptr;
    Lines keys_;
    std::thread thread_;
};

e2e::Target Icon(HWND bar, const std::wstring& description) {
    return e2e::BarCell(bar, description);
}

// Waits until the bar has handled everything sent to it before a hover of
// this icon: its title then shows the icon's description.
bool HoverAndWait(HWND bar, const std::wstring& description) {
    e2e::Hover(Icon(bar, description));
    return e2e::WaitUntil([&] { return e2e::Text(bar) == L"Tavolin - " + description; });
}

// A message box's lines, whether the desktop kept the lone carriage returns
// or turned them into CR LF.
std::vector<std::wstring> PromptLines(const std::wstring& prompt) {
    std::vector<std::wstring> lines(1);
    for (size_t i = 0; i < prompt.size(); ++i) {
        if (prompt[i] == L'\r' || prompt[i] == L'\n') {
            if (prompt[i] == L'\r' && i + 1 < prompt.size() && prompt[i + 1] == L'\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += prompt[i];
        }
    }
    return lines;
}

struct KeyCommand {
    const wchar_t* description;
    Lines keys;
};

TEST(BarCommandsE2e, EachKeystrokeIconTypesItsSequenceIntoProgramManagerOnly) {
    ScratchDirectory scratch;
    e2e::ProgramManagerStandIn manager(scratch.File(L"keys.log"));
    ASSERT_NE(manager.window, nullptr) << "the stand-in did not come up";
    Bystander bystander;
    ASSERT_NE(bystander.window(), nullptr);
    e2e::Tavolin tavolin = e2e::StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr) << "the bar did not come up";

    const KeyCommand commands[] = {
        {L"TaskBar", {"TAB", "RETURN", "Shift+S", "Shift+T"}},
        {L"Find Files", {"TAB", "RETURN", "Shift+F", "Shift+F"}},
        {L"Windows Help", {"TAB", "RETURN", "Shift+H"}},
        {L"Utilities", {"TAB", "RETURN", "Shift+P", "Shift+A", "Shift+S"}},
        {L"Games", {"TAB", "RETURN", "Shift+P", "Shift+A", "Shift+G"}},
        {L"Multimedia", {"TAB", "RETURN", "Shift+P", "Shift+A", "Shift+M"}},
        // The stand-in refuses the close request that Alt+F4 makes of it.
        {L"Exit Windows", {"Alt+F4", "close"}},
        {L"TaskBar", {"TAB", "RETURN", "Shift+S", "Shift+T"}},
    };
    Lines expected;
    for (const KeyCommand& command : commands) {
        const std::string name = Utf8(command.description);
        const e2e::Target icon = Icon(tavolin.bar, command.description);
        ASSERT_TRUE(icon) << name;
        ASSERT_TRUE(e2e::BringToFront(bystander.window())) << name;

        e2e::Click(icon);
        expected.insert(expected.end(), command.keys.begin(), command.keys.end());
        e2e::WaitUntil([&] { return e2e::ReadLines(manager.log).size() >= expected.size(); });
        EXPECT_EQ(e2e::ReadLines(manager.log), expected) << name;
        EXPECT_EQ(GetForegroundWindow(), manager.window) << name;
        EXPECT_EQ(e2e::Text(tavolin.bar), L"Tavolin - " + std::wstring(command.description));
        ASSERT_TRUE(tavolin.process.Running()) << "the bar ended after " << name;
    }
    // Everything the bar did is over once it has answered a later hover.
    ASSERT_TRUE(HoverAndWait(tavolin.bar, L"Explorer"));
    EXPECT_EQ(e2e::ReadLines(manager.log), expected);
    EXPECT_EQ(bystander.keys(), Lines{}) << "keys reached the window in front of the bar";
    EXPECT_TRUE(tavolin.process.Running());
    EXPECT_TRUE(manager.process.Running());
    EXPECT_EQ(e2e::TopLevelWindows(tavolin.process.pid()), std::vector<HWND>{tavolin.bar});
}

TEST(BarCommandsE2e, WithoutProgramManagerOnlyExitWindowsSpeaksAndTheBarCarriesOn) {
    ASSERT_EQ(FindWindowW(nullptr, L"Program Manager"), nullptr)
        << "a window titled Program Manager is already there";
    e2e::Tavolin tavolin = e2e::StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr);
    const DWORD pid = tavolin.process.pid();

    for (const wchar_t* description :
         {L"TaskBar", L"Find Files", L"Windows Help", L"Utilities", L"Games", L"Multimedia"}) {
        const std::string name = Utf8(description);
        e2e::Click(Icon(tavolin.bar, description));
        ASSERT_TRUE(HoverAndWait(tavolin.bar, L"NotePad")) << "the bar stopped answering: " << name;
        EXPECT_EQ(e2e::TopLevelWindows(pid), std::vector<HWND>{tavolin.bar}) << name;
        EXPECT_TRUE(tavolin.process.Running()) << name;
    }

    e2e::Click(Icon(tavolin.bar, L"Exit Windows"));
    const auto box = e2e::WaitForMessageBox(L"Error", pid);
    ASSERT_TRUE(box.has_value()) << "no message box titled Error";
    EXPECT_EQ(box->prompt, L"Error in closing Windows 95 Program Manager");
    EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
    e2e::PressButton(box->window, L"OK");
    EXPECT_TRUE(e2e::WaitForWindowGone(L"Error", pid));
    EXPECT_TRUE(HoverAndWait(tavolin.bar, L"Games"));
    EXPECT_EQ(e2e::TopLevelWindows(pid), std::vector<HWND>{tavolin.bar});
}

TEST(BarCommandsE2e, AccessoryIconsStartTheirPrograms) {
    e2e::Tavolin tavolin = e2e::StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr);
    const DWORD pid = tavolin.process.pid();
    struct Accessory {
        const wchar_t* description;
        const wchar_t* program;
    };
    for (const Accessory& accessory :
         {Accessory{L"NotePad", L"notepad.exe"}, Accessory{L"Explorer", L"explorer.exe"},
          Accessory{L"Control Panel", L"control.exe"}}) {
        const std::string name = Utf8(accessory.description);
        e2e::Click(Icon(tavolin.bar, accessory.description));
        std::vector<PROCESSENTRY32W> started;
        const bool found = e2e::WaitUntil(
            [&] {
                started = e2e::Descendants(pid);
                return std::any_of(started.begin(), started.end(), [&](const PROCESSENTRY32W& p) {
                    return e2e::Lower(p.szExeFile) == accessory.program;
                });
            },
            15000);
        // Ended by PID, the youngest first, whatever came up.
        e2e::EndProcesses(started);
        EXPECT_TRUE(found) << name << " started no " << Utf8(accessory.program);
        // A failure would have shown the launcher's message box.
        EXPECT_EQ(e2e::TopLevelWindows(pid), std::vector<HWND>{tavolin.bar}) << name;
    }
}

TEST(BarCommandsE2e, PhoneDialerThatIsMissingIsReportedWithTheSystemText) {
    wchar_t path[MAX_PATH];
    if (SearchPathW(nullptr, L"DIALER.EXE", nullptr, MAX_PATH, path, nullptr))
        GTEST_SKIP() << "this prefix has a dialer: " << Utf8(path);
    e2e::Tavolin tavolin = e2e::StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr);
    const DWORD pid = tavolin.process.pid();

    const std::wstring title = e2e::SystemText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(title.empty());
    const e2e::Target phone = Icon(tavolin.bar, L"Phone Dialer");
    ASSERT_TRUE(phone);
    e2e::ParkMouse();
    const std::vector<COLORREF> firstFrame = e2e::ScreenPixels(phone.Rect());
    for (int frame = 0; frame < 2; ++frame) {
        // The second press waits for the animation to show the other frame.
        if (frame == 1) {
            e2e::ParkMouse();
            ASSERT_TRUE(e2e::WaitUntil(
                [&] { return e2e::ScreenPixels(phone.Rect()) != firstFrame; }, 10000));
        }
        e2e::Click(phone);
        const auto box = e2e::WaitForMessageBox(title, pid);
        ASSERT_TRUE(box.has_value()) << "no message box titled " << Utf8(title);
        EXPECT_EQ(box->prompt, L"DIALER.EXE  was not found");
        EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
        e2e::PressButton(box->window, L"OK");
        ASSERT_TRUE(e2e::WaitForWindowGone(title, pid));
        EXPECT_TRUE(tavolin.process.Running());
    }
    EXPECT_EQ(e2e::Descendants(pid).size(), 0u);
}

// The DOS prompt's start: its log lines, after the click.
Lines DosPromptStart(const e2e::Tavolin& tavolin, const std::wstring& log) {
    e2e::Click(Icon(tavolin.bar, L"DOS Prompt"));
    e2e::WaitUntil([&] { return e2e::ReadLines(log).size() >= 2; }, 15000);
    // The stand-in ends by itself; nothing of it may stay behind.
    e2e::EndProcesses(e2e::Descendants(tavolin.process.pid()));
    return e2e::ReadLines(log);
}

TEST(BarCommandsE2e, DosPromptStartsCommandComMaximisedInTheWindowsDirectory) {
    ScratchDirectory scratch;
    const std::wstring log = scratch.File(L"command.log");
    e2e::CommandStandIn command(log);
    ASSERT_TRUE(command.placed()) << "could not place the stand-in command.com";

    // Started from the Windows drive, the prompt opens in the Windows directory.
    {
        e2e::Tavolin tavolin = e2e::StartTavolin(e2e::WindowsDirectory().substr(0, 3));
        ASSERT_NE(tavolin.bar, nullptr);
        EXPECT_EQ(DosPromptStart(tavolin, log),
                  (Lines{"directory=" + Utf8(e2e::WindowsDirectory()), "show=3"}));
        EXPECT_TRUE(HoverAndWait(tavolin.bar, L"Explorer"));
        EXPECT_TRUE(tavolin.process.Running());
    }
    DeleteFileW(log.c_str());

    // Started from another drive, that drive stays current.
    {
        e2e::Tavolin tavolin = e2e::StartTavolin();
        ASSERT_NE(tavolin.bar, nullptr);
        ASSERT_NE(e2e::Lower(e2e::ProgramDirectory()).substr(0, 1),
                  e2e::Lower(e2e::WindowsDirectory()).substr(0, 1))
            << "the test programs must not be on the Windows drive";
        EXPECT_EQ(DosPromptStart(tavolin, log),
                  (Lines{"directory=" + Utf8(e2e::ProgramDirectory()), "show=3"}));
    }
    DeleteFileW(log.c_str());
}

// Wine has no command.com, nor has any 64-bit Windows: there the command
// interpreter the system names in ComSpec opens, as command.com would have.
TEST(BarCommandsE2e, DosPromptWithoutCommandComOpensTheSystemsInterpreter) {
    ScratchDirectory scratch;
    const std::wstring log = scratch.File(L"command.log");
    ASSERT_FALSE(e2e::FileExists(e2e::WindowsDirectory() + L"\\command.com"));
    wchar_t system[MAX_PATH] = {};
    GetEnvironmentVariableW(L"ComSpec", system, MAX_PATH);
    // A folder with a blank in its name, as Program Files has.
    const std::wstring interpreter = scratch.File(L"the shell.exe");
    ASSERT_TRUE(CopyFileW((e2e::ProgramDirectory() + L"\\command_standin.exe").c_str(),
                          interpreter.c_str(), FALSE));
    SetEnvironmentVariableW(L"ComSpec", interpreter.c_str());
    SetEnvironmentVariableW(L"TAVOLIN_COMMAND_LOG", log.c_str());
    e2e::Tavolin tavolin = e2e::StartTavolin(e2e::WindowsDirectory().substr(0, 3));
    SetEnvironmentVariableW(L"ComSpec", system);
    SetEnvironmentVariableW(L"TAVOLIN_COMMAND_LOG", nullptr);
    ASSERT_NE(tavolin.bar, nullptr);
    EXPECT_EQ(DosPromptStart(tavolin, log),
              (Lines{"directory=" + Utf8(e2e::WindowsDirectory()), "show=3"}));
    EXPECT_TRUE(HoverAndWait(tavolin.bar, L"Explorer"));
}

TEST(BarCommandsE2e, AboutBoxShowsElevenLinesAndChangesNothingOnTheBar) {
    e2e::Tavolin tavolin = e2e::StartTavolin();
    ASSERT_NE(tavolin.bar, nullptr);
    const DWORD pid = tavolin.process.pid();
    HWND button = e2e::ChildByText(tavolin.bar, L"?");
    ASSERT_NE(button, nullptr);

    std::wstring first;
    for (int press = 0; press < 2; ++press) {
        e2e::Click(button);
        const auto box = e2e::WaitForMessageBox(L"About?", pid);
        ASSERT_TRUE(box.has_value()) << "no About box";
        EXPECT_EQ(e2e::Text(tavolin.bar), L"Tavolin - About?");
        EXPECT_EQ(box->buttons, std::vector<std::wstring>{L"OK"});
        const std::vector<std::wstring> lines = PromptLines(box->prompt);
        ASSERT_EQ(lines.size(), 11u) << Utf8(box->prompt);
        EXPECT_EQ(lines[0], L"           Tavolin v2.1");
        for (int empty : {2, 4, 6, 10}) EXPECT_EQ(lines[empty - 1], L"") << "line " << empty;
        for (int filled : {5, 7, 8, 9, 11})
            EXPECT_FALSE(lines[filled - 1].empty()) << "line " << filled;
        EXPECT_EQ(Utf8(lines[2]), TAVOLIN_EXPECTED_BUILD_LINE);
        EXPECT_EQ(lines[10].rfind(L"Phone:", 0), 0u);
        if (press == 0) first = box->prompt;
        EXPECT_EQ(box->prompt, first) << "the text differs at press " << press + 1;

        const std::vector<HWND> children = e2e::Children(tavolin.bar);
        e2e::PressButton(box->window, L"OK");
        ASSERT_TRUE(e2e::WaitForWindowGone(L"About?", pid));
        EXPECT_EQ(e2e::Text(tavolin.bar), L"Tavolin - About?");
        EXPECT_EQ(e2e::Children(tavolin.bar), children);
        EXPECT_EQ(e2e::TopLevelWindows(pid), std::vector<HWND>{tavolin.bar});
    }
    EXPECT_TRUE(HoverAndWait(tavolin.bar, L"WordPad"));
}

}  // namespace
