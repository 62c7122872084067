// Steps of Tavolin's own that several end-to-end programs take: the
// stand-ins the bar's commands reach, the windows it opens, and the
// programs it starts.
#pragma once

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "driver.h"

namespace e2e {

// What the bar's controls show in its title, left to right: its fifteen
// cells (the telephone's two frames share one), then the "?" button.
inline constexpr const wchar_t* kBarDescriptions[] = {
    L"Exit Windows", L"DOS Prompt",   L"Run and File Load Functions",
    L"Explorer",     L"Find Files",   L"Control Panel",
    L"WordPad",      L"NotePad",      L"Phone Dialer",
    L"TaskBar",      L"Utilities",    L"Games",
    L"Multimedia",   L"Windows Help", L"Tavolin Help",
    L"About?"};
// The cells alone.
inline constexpr std::span<const wchar_t* const> kCellDescriptions{kBarDescriptions, 15};

inline constexpr wchar_t kRunTitle[] = L"Run Program";
inline constexpr wchar_t kBrowserTitle[] = L"File Run and Delete Options";
// How long a program the bar or a dialog starts may take to show itself.
constexpr int kProgramStartMs = 15000;
// How long a printout may take to reach the printer's directory.
constexpr int kPrintTimeoutMs = 60000;

// The bar's client area on the screen at 96 dpi: its stored place, 240,
// 5985, 9105 x 825 twips.
inline constexpr RECT kBarClientAt96Dpi = {16, 399, 16 + 607, 399 + 55};

// The stand-in "Program Manager", logging the keys it receives into the log
// file, one a line, with the modifiers held for each ("Shift+S"); it stands
// clear of the bar and is ended with the object.
struct ProgramManagerStandIn {
    explicit ProgramManagerStandIn(const std::wstring& logFile);
    std::wstring log;
    Process process;
    HWND window = nullptr;  // null if it did not come up
};

// command_standin.exe as "command.com" in the Windows directory, for the
// life of the object, logging into the file named; programs started
// meanwhile inherit that name.
class CommandStandIn {
public:
    explicit CommandStandIn(const std::wstring& log);
    ~CommandStandIn();
    CommandStandIn(const CommandStandIn&) = delete;
    CommandStandIn& operator=(const CommandStandIn&) = delete;

    // One left behind by an interrupted run may be replaced; anything else
    // of that name is not ours to touch.
    bool free() const { return free_; }
    bool placed() const { return placed_; }

private:
    std::wstring path_;
    bool free_ = false;
    bool placed_ = false;
};

// A place in twips (1/1440 inch): a control's in its parent's client area,
// a window's client area on the screen.
struct Twips {
    int left, top, width, height;
};
// Empty when the rectangle lies within a pixel of the place scaled to the
// resolution, edge by edge and in size; otherwise where it is and should be.
std::string PlaceMismatch(const RECT& actual, const Twips& place, int dpi);
// "(left, top) width x height".
std::string Describe(const RECT& rect);
// The window's rectangle in its parent's client coordinates.
RECT InParent(HWND window);

// Sets the screen resolution for processes started from now on: Wine takes
// it from LogPixels under HKCU\Control Panel\Desktop when a process starts.
// The old value comes back when the object goes, whatever the test's outcome.
class LogPixels {
public:
    explicit LogPixels(DWORD dpi);
    ~LogPixels();
    LogPixels(const LogPixels&) = delete;
    LogPixels& operator=(const LogPixels&) = delete;
    bool written() const { return written_; }

private:
    DWORD previous_;
    bool written_ = false;
};

// Asks control_probe.dll, hooked into the thread of a window of Tavolin,
// about that thread's windows (see helpers/control_probe.h): what only
// Tavolin's own process can read. Unhooked when it goes; an answer that does
// not come in time is nullopt.
class ControlProbe {
public:
    explicit ControlProbe(HWND anyWindowOfTavolin);
    ~ControlProbe();
    ControlProbe(const ControlProbe&) = delete;
    ControlProbe& operator=(const ControlProbe&) = delete;
    bool ready() const { return hook_ != nullptr; }

    // The caption's extent in the control's own font.
    std::optional<SIZE> CaptionExtent(HWND control) const;
    struct Font {
        std::wstring face;
        int pixels;  // the height asked for, without the sign
        int weight;
    };
    std::optional<Font> FontOf(HWND control) const;
    // What the label's parent gives it to paint with.
    struct Colours {
        COLORREF text, background;
    };
    std::optional<Colours> ColoursOf(HWND label) const;
    enum class Icon { None, Another, TheResource };
    // The window's big or small icon against an icon resource of Tavolin.exe.
    std::optional<Icon> IconOf(HWND window, bool big, int resource) const;
    // The GDI objects of the process, counted by their handles under Wine.
    std::optional<int> GdiObjects(HWND anyWindow) const;
    // Makes the directory Tavolin's current one, as a start there would.
    bool MakeCurrent(HWND anyWindow, const std::wstring& directory) const;
    // Sets the system's colours of elements (COLOR_WINDOW and the like) in
    // Tavolin's process, as a change of scheme does.
    using Scheme = std::vector<std::pair<int, COLORREF>>;
    bool SetSystemColours(HWND anyWindow, const Scheme& colours) const;
    // Holds Tavolin's thread for that long from the next message on, and
    // returns at once.
    void Hold(HWND anyWindow, int milliseconds) const;
    // The colours of a black high-contrast scheme (white text on black
    // windows and buttons), and the ones those elements have now.
    static Scheme BlackScheme();
    static Scheme SchemeNow();

private:
    // Posts the question and waits for the last of its answers.
    bool Ask(HWND window, int question, LPARAM argument, const wchar_t* last) const;

    HMODULE module_;
    UINT message_;
    HHOOK hook_ = nullptr;
};

// The directory into which the printing test's PDF printer writes
// (TAVOLIN_PRINT_OUT); empty outside that test's run.
std::wstring PrintOutDirectory();
// The PDF files the printer has written there so far.
int PrintedDocuments(const std::wstring& directory);

// Drops the files (Windows paths, in this order) at the point of the screen
// as a Linux file manager does, through the tests' X drag-and-drop tool
// (TAVOLIN_XDND_DROP): "accepted" or "refused", as the window under the
// point answered, or what went wrong.
std::string DropFiles(POINT at, const std::vector<std::wstring>& paths);

// A Notepad window of any process, with the title holding the text.
HWND NotepadWindow(const std::wstring& titlePart);
// Waits for such a window, then ends its process by PID; true once ended.
bool EndNotepadWhenItAppears(const std::wstring& titlePart);

}  // namespace e2e
