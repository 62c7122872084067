#include "bar/frm_main.h"

#include <algorithm>

#include "bar/about.h"
#include "desktop/paths.h"
#include "dialogs/file_actions.h"
#include "dialogs/frm_run.h"
#include "help/frm_help.h"
#include "launch/program_manager.h"

namespace tavolin {

namespace {

constexpr int kAnimationInterval = 4000;
// More files than this dropped at once are opened only when the user says
// so, as the shell asks before it opens a larger selection.
constexpr size_t kFilesOpenedUnasked = 15;
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
        if (row.drop != DropAction::Refuse) {
            control->acceptsDrop = [this, &row](const std::vector<std::wstring>& paths) {
                return Control_DragOver(row, paths);
            };
            control->onDrop = [this, &row](const std::vector<std::wstring>& paths) {
                Control_Drop(row, paths);
            };
        }
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

// The pictures of a cell that has more than one (the telephone's) take turns;
// a cell of one picture is left alone, so that a tick redraws one cell.
void FrmMain::Timer2_Timer() {
    for (ui::Picture* picture : Frame1.Pictures())
        if (picture->iconIds.size() > 1)
            picture->Show((picture->Shown() + 1) % static_cast<int>(picture->iconIds.size()));
}

void FrmMain::Control_MouseMove(const BarRow& row) { ShowDescription(row.description); }

void FrmMain::Control_Click(const BarRow& row) {
    std::visit([this](const auto& action) { Do(action); }, row.action);
}

bool FrmMain::Control_DragOver(const BarRow& row, const std::vector<std::wstring>& paths) {
    // A folder means nothing to an accessory that opens files.
    return row.drop != DropAction::OpenEach || !HoldsAFolder(paths);
}

// A slow share would otherwise hold the bar, and the program dragging, at
// every cell that opens files.
bool FrmMain::HoldsAFolder(const std::vector<std::wstring>& paths) {
    if (paths != dragged_.paths)
        dragged_ = {paths,
                    std::any_of(paths.begin(), paths.end(), [this](const std::wstring& path) {
                        return desktop_.IsFolder(path);
                    })};
    return dragged_.holdsAFolder;
}

bool FrmMain::ConfirmOpening(const BarRow& row, size_t files) {
    if (files <= kFilesOpenedUnasked) return true;
    return desktop_.ShowMessage(L"Open all " + std::to_wstring(files) + L" dropped files in " +
                                    row.description + L", each in a window of its own?",
                                mb::kYesNo + mb::kQuestion + mb::kSecondButtonDefault,
                                L"Open Files") == mb::kAnswerYes;
}

void FrmMain::Control_Drop(const BarRow& row, const std::vector<std::wstring>& paths) {
    const std::wstring& first = paths.front();
    switch (row.drop) {
        case DropAction::Refuse:
            return;
        case DropAction::OpenEach:
            if (!ConfirmOpening(row, paths.size())) return;
            for (const std::wstring& path : paths) {
                if (const std::wstring why = WhyNotExact(path); !why.empty())
                    RefuseToOpen(desktop_, path, why);
                else
                    LaunchProgram(desktop_, context_,
                                  ProgramText(std::get<StartProgram>(row.action)),
                                  ProgramTextFor(path));
            }
            return;
        case DropAction::FillRunLine:
            ShowRunDialog(ProgramTextFor(first));
            return;
        case DropAction::ShowInExplorer:
            LaunchProgram(desktop_, context_, ProgramText(std::get<StartProgram>(row.action)),
                          desktop_.IsFolder(first) ? ProgramTextFor(first)
                                                   : L"/select," + ProgramTextFor(first));
            return;
        case DropAction::PromptIn:
            OpenDosPrompt(FolderOf(first));
            return;
    }
}

std::wstring FrmMain::ProgramText(const StartProgram& start) const {
    return start.wordPad ? WordPadProgram(context_, start.program) : start.program;
}

std::wstring FrmMain::FolderOf(const std::wstring& path) {
    const std::wstring parent = desktop_.IsFolder(path) ? path : ParentOf(path);
    return parent.empty() ? path : parent;
}

void FrmMain::Do(const StartProgram& start) {
    LaunchProgram(desktop_, context_, ProgramText(start), L"");
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
        case BarCommand::RunDialog:
            ShowRunDialog();
            return;
        case BarCommand::Help:
            ShowHelp();
            return;
        case BarCommand::About:
            ShowAbout(desktop_);
            return;
    }
}

// In the Windows directory, or in a folder dropped on the icon, which leaves
// the current directories as the icon's own command does.
void FrmMain::OpenDosPrompt(const std::wstring& directory) {
    // The hourglass covers only the hand-over to the desktop, and comes off
    // whatever the outcome; the prompt has no message of its own.
    SetBusy(true);
    IgnoreFailure(desktop_.ChangeDirectory(context_.WindowsDir));
    // No 64-bit Windows has command.com: there the command interpreter the
    // system names opens in its place.
    if (StartPrompt(directory, L"command.com").failed()) {
        const std::wstring interpreter = desktop_.EnvironmentValue(L"ComSpec");
        if (!interpreter.empty())
            IgnoreFailure(StartPrompt(directory, ProgramTextFor(interpreter)));
    }
    SetBusy(false);
}

Outcome FrmMain::StartPrompt(const std::wstring& directory, const std::wstring& commandLine) {
    if (directory.empty()) return desktop_.RunCommand(commandLine, kMaximizedFocus);
    return desktop_.RunCommandIn(directory, commandLine, kMaximizedFocus);
}

// Made afresh at each opening: no typed text survives a close. A line given
// is the user's to run or change; nothing starts before "&Run".
void FrmMain::ShowRunDialog(const std::wstring& line) {
    FrmRun dialog(desktop_, context_);
    dialog.Text1.SetText(line);
    dialog.ShowModal();
}

void FrmMain::ShowHelp() {
    // A closed help window is discarded: the next opening starts afresh.
    if (!help_ || !help_->IsOpen()) help_ = std::make_unique<FrmHelp>(desktop_);
    help_->Show();
}

}  // namespace tavolin
