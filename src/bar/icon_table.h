// The bar's controls: where each stands, what it shows, the description its
// mouse-move handler puts in the title and the command its click performs.
#pragma once

#include "resource.h"
#include "ui/controls.h"

namespace tavolin {

// The controls of the bar, left to right; the named members of FrmMain.
#define TAVOLIN_BAR_PICTURES(X)                                                               \
    X(Image3) X(Image1) X(Image7) X(Image2) X(Image10) X(Image9) X(Image5) X(Image4) X(PicFace2) \
    X(PicFace1) X(Image12) X(Image8) X(Image6) X(Image13) X(Image11) X(Image14)
#define TAVOLIN_BAR_CONTROLS(X) TAVOLIN_BAR_PICTURES(X) X(Command1)

enum class BarControl {
#define TAVOLIN_ENUM(name) name,
    TAVOLIN_BAR_CONTROLS(TAVOLIN_ENUM)
#undef TAVOLIN_ENUM
};

enum class BarCommand {
    ExitWindows,   // CloseProgramManager
    DosPrompt,     // command.com, maximised, in WindowsDir
    Launch,        // LaunchProgram with the text
    LaunchInRoot,  // LaunchProgram with WindowsRoot followed by the text
    StartMenu,     // DriveProgramManager with the text as keystrokes
    RunDialog,     // the Run Program dialog, modally
    Help,          // the help window, modeless
    About,         // ShowAbout
};

struct BarRow {
    BarControl control;
    int iconId;      // 0 for the "?" button
    ui::Twips place;  // inside Frame1
    const wchar_t* description;
    BarCommand command;
    const wchar_t* text;  // program text or keystrokes, where the command takes one
};

inline constexpr wchar_t kPhoneDialer[] = L"Phone Dialer";
inline constexpr wchar_t kDialerProgram[] = L"DIALER.EXE";

inline constexpr BarRow kBarTable[] = {
    {BarControl::Image3, IDI_LOCK, {60, 120, 480, 510}, L"Exit Windows", BarCommand::ExitWindows, L""},
    {BarControl::Image1, IDI_DOS_KEY, {600, 135, 480, 510}, L"DOS Prompt", BarCommand::DosPrompt, L"command.com"},
    {BarControl::Image7, IDI_FINGER_KEY, {1170, 135, 480, 510}, L"Run and File Load Functions", BarCommand::RunDialog, L""},
    {BarControl::Image2, IDI_EYE, {1695, 150, 480, 510}, L"Explorer", BarCommand::Launch, L"EXPLORER.EXE"},
    {BarControl::Image10, IDI_MAGNIFIER, {2235, 150, 480, 510}, L"Find Files", BarCommand::StartMenu, L"{TAB}{ENTER}{F}{F}"},
    {BarControl::Image9, IDI_CLOCK_COMPUTER, {2775, 135, 480, 510}, L"Control Panel", BarCommand::Launch, L"CONTROL.EXE"},
    {BarControl::Image5, IDI_PEN, {3315, 135, 480, 510}, L"WordPad", BarCommand::LaunchInRoot, L"progra~1\\access~1\\WORDPAD.EXE"},
    {BarControl::Image4, IDI_NOTEPAD, {3855, 135, 480, 510}, L"NotePad", BarCommand::Launch, L" NOTEPAD.EXE"},
    {BarControl::PicFace2, IDI_PHONE_1, {4395, 135, 480, 510}, kPhoneDialer, BarCommand::Launch, kDialerProgram},
    {BarControl::PicFace1, IDI_PHONE_2, {4395, 135, 480, 510}, kPhoneDialer, BarCommand::Launch, kDialerProgram},
    {BarControl::Image12, IDI_DOCUMENTS, {4935, 135, 480, 510}, L"TaskBar", BarCommand::StartMenu, L"{TAB}{ENTER}{S}{T}"},
    {BarControl::Image8, IDI_TOOLS, {5475, 135, 480, 510}, L"Utilities", BarCommand::StartMenu, L"{TAB}{ENTER}{P}{A}{S}"},
    {BarControl::Image6, IDI_CARDS, {6030, 135, 480, 510}, L"Games", BarCommand::StartMenu, L"{TAB}{ENTER}{P}{A}{G}"},
    {BarControl::Image13, IDI_DISC, {6585, 135, 480, 510}, L"Multimedia", BarCommand::StartMenu, L"{TAB}{ENTER}{P}{A}{M}"},
    {BarControl::Image11, IDI_HANDSHAKE, {7125, 135, 480, 510}, L"Windows Help", BarCommand::StartMenu, L"{TAB}{ENTER}{H}"},
    {BarControl::Image14, IDI_BULB, {7680, 135, 480, 510}, L"Tavolin Help", BarCommand::Help, L""},
    {BarControl::Command1, 0, {8730, 150, 285, 510}, L"About?", BarCommand::About, L""},
};

// The row of a control; the table is in the order of BarControl.
constexpr const BarRow& Row(BarControl control) { return kBarTable[static_cast<int>(control)]; }

static_assert(sizeof(kBarTable) / sizeof(kBarTable[0]) == static_cast<int>(BarControl::Command1) + 1);

}  // namespace tavolin
