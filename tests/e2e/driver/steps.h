// Steps of Tavolin's own that several end-to-end programs take: the
// stand-ins the bar's commands reach, the windows it opens, and the
// programs it starts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver.h"

namespace e2e {

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
// file; it stands clear of the bar and is ended with the object.
struct ProgramManagerStandIn {
    explicit ProgramManagerStandIn(const std::wstring& logFile);
    std::wstring log;
    Process process;
    HWND window = nullptr;  // null if it did not come up
};

// The keys in a stand-in's log; a letter counts whether or not Shift was
// held for it, since the menu entry it picks is the same.
std::vector<std::string> StandInKeys(const std::wstring& log);

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

// The directory into which the printing test's PDF printer writes
// (TAVOLIN_PRINT_OUT); empty outside that test's run.
std::wstring PrintOutDirectory();
// The PDF files the printer has written there so far.
int PrintedDocuments(const std::wstring& directory);

// A Notepad window of any process, with the title holding the text.
HWND NotepadWindow(const std::wstring& titlePart);
// Waits for such a window, then ends its process by PID; true once ended.
bool EndNotepadWhenItAppears(const std::wstring& titlePart);

}  // namespace e2e
