// Drives the real Tavolin.exe from inside Wine as a person would: moves the
// pointer, clicks and types with SendInput, and reads windows, message boxes
// and lists across processes. Every wait polls with a timeout.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

constexpr int kDefaultTimeoutMs = 5000;
constexpr int kStartTimeoutMs = 20000;

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

// Starts Tavolin.exe from beside the test program (or from the folder given
// last), with the pointer parked away from the bar first, and waits until
// the bar is visible. It runs in the given directory, or else in the program
// directory.
struct Tavolin {
    Process process;
    HWND bar = nullptr;
};
Tavolin StartTavolin(const std::wstring& currentDirectory = L"", int timeoutMs = kStartTimeoutMs,
                     const std::wstring& programDirectory = L"");

// Processes started by a process, directly or further down, oldest first.
std::vector<PROCESSENTRY32W> Descendants(DWORD ancestor);
// Ends a process by its PID; true once it has ended.
bool EndProcess(DWORD pid);
// Ends them by PID, the youngest first.
void EndProcesses(const std::vector<PROCESSENTRY32W>& processes);

// Polls the condition every 10 ms until it holds, serving this thread's messages
// meanwhile; false on timeout.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = kDefaultTimeoutMs);

// Visible top-level windows of a process (any process when pid is 0).
std::vector<HWND> TopLevelWindows(DWORD pid = 0);
// Waits for a visible top-level window with exactly this title.
HWND WaitForWindow(const std::wstring& title, DWORD pid = 0, int timeoutMs = kDefaultTimeoutMs);
// Waits until no visible top-level window has this title.
bool WaitForWindowGone(const std::wstring& title, DWORD pid = 0, int timeoutMs = kDefaultTimeoutMs);

std::wstring Text(HWND window);  // WM_GETTEXT, works across processes
std::wstring ClassName(HWND window);
std::vector<HWND> Children(HWND parent);  // all descendants, in z-order
// The first descendant whose text is exactly this.
HWND ChildByText(HWND parent, const std::wstring& text);
// Window classes compare without regard to case.
bool IsClass(HWND window, const wchar_t* className);
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className);  // in z-order
HWND ChildOfClass(HWND parent, const wchar_t* className);                  // the first, or null
// The control with the keyboard focus in the window's thread.
HWND FocusIn(HWND window);
RECT ClientRectOnScreen(HWND window);
RECT WindowRectOnScreen(HWND window);
// Makes the window the foreground window and waits until it is.
bool BringToFront(HWND window, int timeoutMs = kDefaultTimeoutMs);

// What the pointer goes to: a window, or a part of one without a window of
// its own (a cell of the bar), as a rectangle on the screen.
class Target {
public:
    Target(HWND window) : window_(window) {}
    explicit Target(RECT rect) : rect_(rect), found_(rect.right > rect.left) {}
    RECT Rect() const;  // where it is now
    explicit operator bool() const { return window_ || found_; }

private:
    HWND window_ = nullptr;
    RECT rect_{};
    bool found_ = false;
};

// The bar's cell with this description (the telephone's whichever frame
// shows), found as a screen reader finds it; an empty target if none.
Target BarCell(HWND bar, const std::wstring& description);

// Pointer and keyboard, through SendInput.
void MoveMouse(int x, int y);
void ParkMouse();                  // far from the bar
void Hover(const Target& target);  // moves to its centre, with a few moves inside it
void ClickAt(int x, int y);
// The left button pressed, or let go, where the pointer is.
void LeftButton(bool down);
void Click(const Target& target);
void DoubleClick(const Target& target);
void TypeText(const std::wstring& text);  // Unicode characters
void PressKey(WORD virtualKey, bool alt = false, bool ctrl = false, bool shift = false);
// A key held down: pressed this many times, as the keyboard repeats it, then
// let go.
void HoldKey(WORD virtualKey, int presses);

// List boxes and combo boxes of another process.
std::vector<std::wstring> ListEntries(HWND listBox);
int ListCount(HWND listBox);  // one question, where reading thousands of entries would take long
int ListSelection(HWND listBox);
// Index of the entry whose text, without its indent, is the name; -1 if none.
int EntryIndex(HWND listBox, const std::wstring& name);
// Clicks (once or twice) on the entry at the index, scrolled into view first.
void ClickEntryAt(HWND listBox, int index, int clicks = 1);
// The same for the entry of this name; false, and nothing clicked, if none.
[[nodiscard]] bool ClickEntry(HWND listBox, const std::wstring& name, int clicks = 1);
// Chooses an entry of a drop-down with the keyboard, as a user may: two
// clicks open and close it, leaving the focus on it, then the arrow key (if
// any) and the typed text (say an entry's first letter) pick it.
void ChooseFromDropDown(HWND comboBox, const std::wstring& typed, WORD arrow = 0);

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

std::string Utf8(const std::wstring& text);
std::wstring Lower(std::wstring text);

// Files the tests make and read.
bool FileExists(const std::wstring& path);
std::string FileContents(const std::wstring& path);  // empty if unreadable
std::vector<std::string> ReadLines(const std::wstring& path);
// Writes a new file (or replaces one) with exactly these bytes.
bool WriteAll(const std::wstring& path, const std::string& contents);
// Removes a directory with everything in it, read-only files as well.
void RemoveTree(const std::wstring& path);
std::wstring WindowsDirectory();

// Draws into a bitmap of the screen's format and returns its pixels, row by
// row from the top.
std::vector<COLORREF> Drawn(int width, int height, const std::function<void(HDC)>& draw);
// The pixels the screen shows in the rectangle.
std::vector<COLORREF> ScreenPixels(const RECT& rect);

// The user's choice of focus cues for the life of the object: always, or
// once the keyboard is used. Programs started meanwhile follow it.
class KeyboardCues {
public:
    explicit KeyboardCues(bool always);
    ~KeyboardCues();
    KeyboardCues(const KeyboardCues&) = delete;
    KeyboardCues& operator=(const KeyboardCues&) = delete;
    bool set() const { return set_; }

private:
    BOOL before_ = FALSE;
    bool set_ = false;
};

// Saves a screenshot of the whole screen as a BMP file.
bool SaveScreenshot(const std::wstring& path);

}  // namespace e2e
