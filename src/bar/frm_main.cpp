#include "bar/frm_main.h"

#include "dialogs/frm_run.h"
#include "help/frm_help.h"
#include "launch/about.h"
#include "launch/program_manager.h"

namespace tavolin {

namespace {

constexpr int kStoredTimerInterval = 500;
constexpr int kAnimationInterval = 4000;
constexpr wchar_t kDialerProgram[] = L"DIALER.EXE";

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
    // Every control of the bar, its row of the table and its two handlers.
    const struct {
        ui::Control& control;
        BarControl row;
        void (FrmMain::*mouseMove)();
        void (FrmMain::*click)();
    } controls[] = {
        {Image3, BarControl::Image3, &FrmMain::Image3_MouseMove, &FrmMain::Image3_Click},
        {Image1, BarControl::Image1, &FrmMain::Image1_MouseMove, &FrmMain::Image1_Click},
        {Image7, BarControl::Image7, &FrmMain::Image7_MouseMove, &FrmMain::Image7_Click},
        {Image2, BarControl::Image2, &FrmMain::Image2_MouseMove, &FrmMain::Image2_Click},
        {Image10, BarControl::Image10, &FrmMain::Image10_MouseMove, &FrmMain::Image10_Click},
        {Image9, BarControl::Image9, &FrmMain::Image9_MouseMove, &FrmMain::Image9_Click},
        {Image5, BarControl::Image5, &FrmMain::Image5_MouseMove, &FrmMain::Image5_Click},
        {Image4, BarControl::Image4, &FrmMain::Image4_MouseMove, &FrmMain::Image4_Click},
        {PicFace2, BarControl::PicFace2, &FrmMain::PicFace2_MouseMove, &FrmMain::PicFace2_Click},
        {PicFace1, BarControl::PicFace1, &FrmMain::PicFace1_MouseMove, &FrmMain::PicFace1_Click},
        {Image12, BarControl::Image12, &FrmMain::Image12_MouseMove, &FrmMain::Image12_Click},
        {Image8, BarControl::Image8, &FrmMain::Image8_MouseMove, &FrmMain::Image8_Click},
        {Image6, BarControl::Image6, &FrmMain::Image6_MouseMove, &FrmMain::Image6_Click},
        {Image13, BarControl::Image13, &FrmMain::Image13_MouseMove, &FrmMain::Image13_Click},
        {Image11, BarControl::Image11, &FrmMain::Image11_MouseMove, &FrmMain::Image11_Click},
        {Image14, BarControl::Image14, &FrmMain::Image14_MouseMove, &FrmMain::Image14_Click},
        {Command1, BarControl::Command1, &FrmMain::Command1_MouseMove, &FrmMain::Command1_Click},
    };
    for (const auto& wired : controls) {
        wired.control.accessibleName = Row(wired.row).description;
        wired.control.onMouseMove = [this, handler = wired.mouseMove] { (this->*handler)(); };
        wired.control.onClick = [this, handler = wired.click] { (this->*handler)(); };
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

void FrmMain::Timer2_Timer() {
    if (PicFace1.Visible()) {
        PicFace1.SetVisible(false);
        PicFace2.SetVisible(true);
    } else {
        PicFace1.SetVisible(true);
        PicFace2.SetVisible(false);
    }
}

void FrmMain::Describe(BarControl control) { ShowDescription(Row(control).description); }

void FrmMain::Launch(const std::wstring& program) {
    LaunchProgram(desktop_, context_, program, L"");
}

void FrmMain::Image3_MouseMove() { Describe(BarControl::Image3); }
void FrmMain::Image3_Click() { CloseProgramManager(desktop_); }

void FrmMain::Image1_MouseMove() { Describe(BarControl::Image1); }
void FrmMain::Image1_Click() {
    // The hourglass covers only the hand-over to the desktop, and comes off
    // whatever the outcome; the prompt has no message of its own.
    SetBusy(true);
    IgnoreFailure(desktop_.ChangeDirectory(context_.WindowsDir));
    IgnoreFailure(desktop_.RunCommand(L"command.com", kMaximizedFocus));
    SetBusy(false);
}

void FrmMain::Image7_MouseMove() { Describe(BarControl::Image7); }
void FrmMain::Image7_Click() {
    // Made afresh at each opening: no typed text survives a close.
    FrmRun dialog(desktop_, context_);
    dialog.ShowModal();
}

void FrmMain::Image2_MouseMove() { Describe(BarControl::Image2); }
void FrmMain::Image2_Click() { Launch(L"EXPLORER.EXE"); }

void FrmMain::Image10_MouseMove() { Describe(BarControl::Image10); }
void FrmMain::Image10_Click() { DriveProgramManager(desktop_, L"{TAB}{ENTER}{F}{F}"); }

void FrmMain::Image9_MouseMove() { Describe(BarControl::Image9); }
void FrmMain::Image9_Click() { Launch(L"CONTROL.EXE"); }

void FrmMain::Image5_MouseMove() { Describe(BarControl::Image5); }
void FrmMain::Image5_Click() { Launch(context_.WindowsRoot + L"progra~1\\access~1\\WORDPAD.EXE"); }

void FrmMain::Image4_MouseMove() { Describe(BarControl::Image4); }
// The leading blank is kept: the launcher passes the text on as it is.
void FrmMain::Image4_Click() { Launch(L" NOTEPAD.EXE"); }

void FrmMain::PicFace2_MouseMove() { Describe(BarControl::PicFace2); }
void FrmMain::PicFace2_Click() { Launch(kDialerProgram); }

// The telephone's other frame: the same description and command.
void FrmMain::PicFace1_MouseMove() { Describe(BarControl::PicFace1); }
void FrmMain::PicFace1_Click() { Launch(kDialerProgram); }

void FrmMain::Image12_MouseMove() { Describe(BarControl::Image12); }
void FrmMain::Image12_Click() { DriveProgramManager(desktop_, L"{TAB}{ENTER}{S}{T}"); }

void FrmMain::Image8_MouseMove() { Describe(BarControl::Image8); }
void FrmMain::Image8_Click() { DriveProgramManager(desktop_, L"{TAB}{ENTER}{P}{A}{S}"); }

void FrmMain::Image6_MouseMove() { Describe(BarControl::Image6); }
void FrmMain::Image6_Click() { DriveProgramManager(desktop_, L"{TAB}{ENTER}{P}{A}{G}"); }

void FrmMain::Image13_MouseMove() { Describe(BarControl::Image13); }
void FrmMain::Image13_Click() { DriveProgramManager(desktop_, L"{TAB}{ENTER}{P}{A}{M}"); }

void FrmMain::Image11_MouseMove() { Describe(BarControl::Image11); }
void FrmMain::Image11_Click() { DriveProgramManager(desktop_, L"{TAB}{ENTER}{H}"); }

void FrmMain::Image14_MouseMove() { Describe(BarControl::Image14); }
void FrmMain::Image14_Click() {
    // A closed help window is discarded: the next opening starts afresh.
    if (!help_ || !help_->IsOpen()) help_ = std::make_unique<FrmHelp>(desktop_);
    help_->Show();
}

void FrmMain::Command1_MouseMove() { Describe(BarControl::Command1); }
void FrmMain::Command1_Click() { ShowAbout(desktop_); }

}  // namespace tavolin
