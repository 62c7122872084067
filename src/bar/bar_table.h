// The bar, described once: each control's pictures, place, description and
// what a click on it does. Adding a cell to the bar is adding a row here.
#pragma once

#include <array>
#include <variant>

#include "resource.h"
#include "ui/controls.h"

namespace tavolin {

// Starts a program through the launcher, with an empty argument text.
struct StartProgram {
    const wchar_t* program;
    // WordPad's path below WindowsRoot, where it is unless current Windows
    // keeps it elsewhere.
    bool wordPad = false;
};
// Types the keys into "Program Manager", to reach a place of its Start menu.
struct WalkStartMenu {
    const wchar_t* keystrokes;
};
// The bar's own commands.
enum class BarCommand { ExitWindows, DosPrompt, RunDialog, Help, About };
using BarAction = std::variant<StartProgram, WalkStartMenu, BarCommand>;

// What a control does with files and folders dropped on it.
enum class DropAction {
    Refuse,          // takes none
    OpenEach,        // files only: each opened in the row's program, one start a file
    FillRunLine,     // the Run dialog, its line holding the first path
    ShowInExplorer,  // Explorer on a folder, or on a file's folder with the file chosen
    PromptIn,        // the row's command started in a folder (a file's: its folder)
};

struct BarRow {
    // The icons taking turns in the cell (the telephone has two); none for a
    // button, which shows its caption instead.
    std::array<int, 2> pictures;
    const wchar_t* caption;
    ui::Twips place;  // inside the strip
    const wchar_t* description;
    BarAction action;
    DropAction drop = DropAction::Refuse;
};

// Left to right as the controls stand.
inline constexpr BarRow kBarTable[] = {
    {{IDI_LOCK}, nullptr, {60, 120, 480, 510}, L"Exit Windows", BarCommand::ExitWindows},
    {{IDI_DOS_KEY},
     nullptr,
     {600, 135, 480, 510},
     L"DOS Prompt",
     BarCommand::DosPrompt,
     DropAction::PromptIn},
    {{IDI_FINGER_KEY},
     nullptr,
     {1170, 135, 480, 510},
     L"Run and File Load Functions",
     BarCommand::RunDialog,
     DropAction::FillRunLine},
    {{IDI_EYE},
     nullptr,
     {1695, 150, 480, 510},
     L"Explorer",
     StartProgram{L"EXPLORER.EXE"},
     DropAction::ShowInExplorer},
    {{IDI_MAGNIFIER},
     nullptr,
     {2235, 150, 480, 510},
     L"Find Files",
     WalkStartMenu{L"{TAB}{ENTER}{F}{F}"}},
    {{IDI_CLOCK_COMPUTER},
     nullptr,
     {2775, 135, 480, 510},
     L"Control Panel",
     StartProgram{L"CONTROL.EXE"}},
    {{IDI_PEN},
     nullptr,
     {3315, 135, 480, 510},
     L"WordPad",
     StartProgram{.program = L"progra~1\\access~1\\WORDPAD.EXE", .wordPad = true},
     DropAction::OpenEach},
    // The leading blank is kept: the launcher passes the text on as it is.
    {{IDI_NOTEPAD},
     nullptr,
     {3855, 135, 480, 510},
     L"NotePad",
     StartProgram{L" NOTEPAD.EXE"},
     DropAction::OpenEach},
    {{IDI_PHONE_1, IDI_PHONE_2},
     nullptr,
     {4395, 135, 480, 510},
     L"Phone Dialer",
     StartProgram{L"DIALER.EXE"}},
    {{IDI_DOCUMENTS},
     nullptr,
     {4935, 135, 480, 510},
     L"TaskBar",
     WalkStartMenu{L"{TAB}{ENTER}{S}{T}"}},
    {{IDI_TOOLS},
     nullptr,
     {5475, 135, 480, 510},
     L"Utilities",
     WalkStartMenu{L"{TAB}{ENTER}{P}{A}{S}"}},
    {{IDI_CARDS},
     nullptr,
     {6030, 135, 480, 510},
     L"Games",
     WalkStartMenu{L"{TAB}{ENTER}{P}{A}{G}"}},
    {{IDI_DISC},
     nullptr,
     {6585, 135, 480, 510},
     L"Multimedia",
     WalkStartMenu{L"{TAB}{ENTER}{P}{A}{M}"}},
    {{IDI_HANDSHAKE},
     nullptr,
     {7125, 135, 480, 510},
     L"Windows Help",
     WalkStartMenu{L"{TAB}{ENTER}{H}"}},
    {{IDI_BULB}, nullptr, {7680, 135, 480, 510}, L"Tavolin Help", BarCommand::Help},
    {{}, L"?", {8730, 150, 285, 510}, L"About?", BarCommand::About},
};

// A row that opens dropped files in its program has one to start.
constexpr bool DropsHaveAProgram() {
    for (const BarRow& row : kBarTable)
        if ((row.drop == DropAction::OpenEach || row.drop == DropAction::ShowInExplorer) &&
            !std::holds_alternative<StartProgram>(row.action))
            return false;
    return true;
}
static_assert(DropsHaveAProgram());

}  // namespace tavolin
