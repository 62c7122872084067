// Drives the real Tavolin.exe from inside Wine as a person would: moves the
// pointer, clicks and types with SendInput, and reads windows, message boxes
// and lists across processes. Every wait polls with a timeout.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

constexpr int kDefaultTimeoutMs = 5000;

// A started program; ended by its PID when the object goes, if still running.
class Process {
public:
    Process() = default;
    explicit Process(PROCESS_INFORMATION info);
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    ~Process();

    DWORD pid() const { return pid_; }
    HANDLE handle() const { return handle_; }
    bool Running() const;
    // Waits for the process to end by itself; false on timeout.
    bool WaitForExit(int timeoutMs = kDefaultTimeoutMs);
    DWORD ExitCode() const;
    void Terminate();

private:
    HANDLE handle_ = nullptr;
    DWORD pid_ = 0;
};

// The directory of the running test program (where Tavolin.exe is built).
std::wstring ProgramDirectory();
// Starts a program; the command line is used as given.
Process Start(const std::wstring& commandLine, const std::wstring& currentDirectory = L"");

// Starts Tavolin.exe from beside the test program, with the pointer parked
// away from the bar first, and waits until the bar is visible.
struct Tavolin {
    Process process;
    HWND bar = nullptr;
};
Tavolin StartTavolin();

// Polls the condition every 10 ms until it holds; false on timeout.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kDefaultTimeoutMs);

// Visible top-level windows of a process (any process when pid is 0).
std::vector<HWND> TopLevelWindows(DWORD pid = 0);
// Waits for a visible top-level window with exactly this title.
HWND WaitForWindow(const std::wstring& title, DWORD pid = 0, int timeoutMs = kDefaultTimeoutMs);
// Waits until no visible top-level window has this title.
bool WaitForWindowGone(const std::wstring& title, DWORD pid = 0,
                       int timeoutMs = kDefaultTimeoutMs);

std::wstring Text(HWND window);       // WM_GETTEXT, works across processes
std::wstring ClassName(HWND window);
std::vector<HWND> Children(HWND parent);  // all descendants, in z-order
// The first descendant whose text is exactly this.
HWND ChildByText(HWND parent, const std::wstring& text);
RECT ClientRectOnScreen(HWND window);
RECT WindowRectOnScreen(HWND window);
// Makes the window the foreground window and waits until it is.
bool BringToFront(HWND window, int timeoutMs = kDefaultTimeoutMs);

// Pointer and keyboard, through SendInput.
void MoveMouse(int x, int y);
void ParkMouse();  // far from the bar
void Hover(HWND control);  // moves to the control's centre, with a few moves inside it
void ClickAt(int x, int y);
void Click(HWND control);
void DoubleClick(HWND control);
void TypeText(const std::wstring& text);  // Unicode characters
void PressKey(WORD virtualKey, bool alt = false, bool ctrl = false, bool shift = false);

// List boxes and combo boxes of another process.
std::vector<std::wstring> ListEntries(HWND listBox);
int ListSelection(HWND listBox);

// A message box of the program: its title, prompt (the text of its Static
// child) and buttons.
struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring title;
    std::wstring prompt;
    std::vector<std::wstring> buttons;
};
std::optional<MessageBoxInfo> WaitForMessageBox(const std::wstring& title, DWORD pid = 0,
                                                int timeoutMs = kDefaultTimeoutMs);
// Presses the box's button with this caption ("OK", "&Yes", "&No") by a click.
void PressButton(HWND box, const std::wstring& caption);

// The system's own text for an error code, as the program quotes it.
std::wstring SystemText(DWORD error);

// Saves a screenshot of the whole screen as a BMP file.
bool SaveScreenshot(const std::wstring& path);

}  // namespace e2e
