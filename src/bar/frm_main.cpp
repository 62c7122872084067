#include "bar/frm_main.h"

#include "bar/about.h"
#include "dialogs/frm_run.h"
#include "help/frm_help.h"
#include "launch/program_manager.h"

namespace tavolin {

namespace {

constexpr int kAnimationInterval = 4000;
constexpr ui::Font kButtonFont{L"MS Sans Serif", 18, true};

}  // namespace

FrmMain::FrmMain(Desktop& desktop)
    : ui::Form({.title = L"",
                .place = {240, 5985, 9105, 825},
                .font = {L"MS Sans Serif", 9.75, true},
                .iconId = IDI_SHUTTLE,
                .minimizeBox = true}),
      // Stopped until start-up sets its interval.
      Timer2(*this, 0),
      Frame1(*this, {-30, 75, 9105, 720}, ui::kLightGrey),
      desktop_(desktop) {
    onLoad = [this] { FrmMain_Load(); };
    Timer2.onTimer = [this] { Timer2_Timer(); };
    for (const BarRow& row : kBarTable) {
        std::vector<int> pictures;
        for (int id : row.pictures)
            if (id) pictures.push_back(id);
        std::unique_ptr<ui::Control> control;
        if (pictures.empty())
            control = std::make_unique<ui::Button>(Frame1, row.place, row.caption, 0, kButtonFont);
        else
            control = std::make_unique<ui::Picture>(Frame1, row.place, std::move(pictures));
        control->accessibleName = row.description;
        control->onMouseMove = [this, &row] { Control_MouseMove(row); };
        control->onClick = [this, &row] { Control_Click(row); };
        controls_.push_back(std::move(control));
    }
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

// The pictures of a cell that has more than one (the telephone's) take turns.
void FrmMain::Timer2_Timer() {
    for (ui::Picture* picture : Frame1.Pictures())
        picture->Show((picture->Shown() + 1) % static_cast<int>(picture->iconIds.size()));
}

void FrmMain::Control_MouseMove(const BarRow& row) { ShowDescription(row.description); }

void FrmMain::Control_Click(const BarRow& row) {
    std::visit([this](const auto& action) { Do(action); }, row.action);
}

void FrmMain::Do(const StartProgram& start) {
    const std::wstring program =
        start.belowWindowsRoot ? context_.WindowsRoot + start.program : start.program;
    LaunchProgram(desktop_, context_, program, L"");
}

void FrmMain::Do(const WalkStartMenu& walk) { DriveProgramManager(desktop_, walk.keystrokes); }

void FrmMain::Do(BarCommand command) {
    switch (command) {
        case BarCommand::ExitWindows:
            CloseProgramManager(desktop_);
            return;
        case BarCommand::DosPrompt:
            OpenDosPrompt();
            return;
        case BarCommand::RunDialog: {
            // Made afresh at each opening: no typed text survives a close.
            FrmRun dialog(desktop_, context_);
            dialog.ShowModal();
            return;
        }
        case BarCommand::Help:
            ShowHelp();
            return;
        case BarCommand::About:
            ShowAbout(desktop_);
            return;
    }
}

void FrmMain::OpenDosPrompt() {
    // The hourglass covers only the hand-over to the desktop, and comes off
    // whatever the outcome; the prompt has no message of its own.
    SetBusy(true);
    IgnoreFailure(desktop_.ChangeDirectory(context_.WindowsDir));
    IgnoreFailure(desktop_.RunCommand(L"command.com", kMaximizedFocus));
    SetBusy(false);
}

void FrmMain::ShowHelp() {
    // A closed help window is discarded: the next opening starts afresh.
    if (!help_ || !help_->IsOpen()) help_ = std::make_unique<FrmHelp>(desktop_);
    help_->Show();
}

}  // namespace tavolin
