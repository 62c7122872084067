#include "bar/frm_main.h"

#include "dialogs/frm_run.h"
#include "help/frm_help.h"
#include "launch/about.h"
#include "launch/program_manager.h"

namespace tavolin {

namespace {

constexpr int kStoredTimerInterval = 500;
constexpr int kAnimationInterval = 4000;

}  // namespace

FrmMain::FrmMain(Desktop& desktop)
    : ui::Form({.title = L"",
                .place = {240, 5985, 9105, 825},
                .font = {L"MS Sans Serif", 9.75, true},
                .iconId = IDI_SHUTTLE,
                .minimizeBox = true}),
      Timer2(*this, kStoredTimerInterval),
      Frame1(*this, {-30, 75, 9105, 720}, ui::kLightGrey),
      Command1(Frame1, Row(BarControl::Command1).place, L"?", 0, {L"MS Sans Serif", 18, true}),
      desktop_(desktop) {
    PicFace1.SetVisible(false);
    onLoad = [this] { FrmMain_Load(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
#define TAVOLIN_WIRE(name)                                   \
    name.onMouseMove = [this] { name##_MouseMove(); };       \
    name.onClick = [this] { name##_Click(); };               \
    name.accessibleName = Row(BarControl::name).description;
    TAVOLIN_BAR_CONTROLS(TAVOLIN_WIRE)
#undef TAVOLIN_WIRE
}

// The help window goes with the bar, closed while it is whole.
FrmMain::~FrmMain() {
    if (help_) help_->Close();
}

void FrmMain::ShowDescription(const std::wstring& text) {
    const std::wstring title = CaptionPrefix + text;
    // Mouse moves come in streams: rewrite (and redraw) the title only when
    // it really changes.
    if (Title() != title) SetTitle(title);
}

void FrmMain::FrmMain_Load() {
    CaptionPrefix = L"Tavolin - ";
    context_ = InitLaunchContext(desktop_);
    Timer2.SetInterval(kAnimationInterval);
}

void FrmMain::Timer2_Timer() {
    if (PicFace1.Visible()) {
        PicFace1.SetVisible(false);
        PicFace2.SetVisible(true);
    } else {
        PicFace1.SetVisible(true);
        PicFace2.SetVisible(false);
    }
}

#define TAVOLIN_HANDLER_DEFINITIONS(name)                                                   \
    void FrmMain::name##_MouseMove() { ShowDescription(Row(BarControl::name).description); } \
    void FrmMain::name##_Click() { Perform(BarControl::name); }
TAVOLIN_BAR_CONTROLS(TAVOLIN_HANDLER_DEFINITIONS)
#undef TAVOLIN_HANDLER_DEFINITIONS

void FrmMain::Perform(BarControl control) {
    const BarRow& row = Row(control);
    switch (row.command) {
        case BarCommand::ExitWindows:
            CloseProgramManager(desktop_);
            break;
        case BarCommand::DosPrompt:
            OpenDosPrompt();
            break;
        case BarCommand::Launch:
            LaunchProgram(desktop_, context_, row.text, L"");
            break;
        case BarCommand::LaunchInRoot:
            LaunchProgram(desktop_, context_, context_.WindowsRoot + row.text, L"");
            break;
        case BarCommand::StartMenu:
            DriveProgramManager(desktop_, row.text);
            break;
        case BarCommand::RunDialog: {
            // Made afresh at each opening: no typed text survives a close.
            FrmRun dialog(desktop_, context_);
            dialog.ShowModal();
            break;
        }
        case BarCommand::Help:
            // A closed help window is discarded: the next opening starts afresh.
            if (!help_ || !help_->IsOpen()) help_ = std::make_unique<FrmHelp>(desktop_);
            help_->Show();
            break;
        case BarCommand::About:
            ShowAbout(desktop_);
            break;
    }
}

void FrmMain::OpenDosPrompt() {
    // The hourglass covers only the hand-over to the desktop, and comes off
    // whatever the outcome.
    SetBusy(true);
    desktop_.ChangeDirectory(context_.WindowsDir);
    desktop_.RunCommand(Row(BarControl::Image1).text, kMaximizedFocus);
    SetBusy(false);
}

}  // namespace tavolin
