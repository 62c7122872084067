#include "dialogs/frm_brow.h"

#include "desktop/paths.h"
#include "dialogs/file_actions.h"

namespace tavolin {

namespace {

constexpr wchar_t kPrograms[] = L"*.exe;*.com;*.bat";
constexpr wchar_t kDocuments[] = L"*.doc;*.txt;*.wri;*.hlp";
// Until a pattern is chosen, only .exe files are listed.
constexpr wchar_t kFirstPattern[] = L"*.exe";

}  // namespace

FrmBrow::FrmBrow(Desktop& desktop, const LaunchContext& context)
    : ui::Form({.title = L"File Run and Delete Options", .place = {120, 1740, 5595, 4980}}),
      Command1(*this, {4035, 3600, 1155, 375}, L"&Delete File", 11),
      Combo1(*this, {270, 4230, 2370, 315}, {kPrograms, kDocuments}, 9),
      CmdPgm(*this, {4440, 645, 375, 255}, L"&?", 8),
      Drive1(*this, {210, 255, 3390, 315}, 4, desktop, desktop.CurrentDirectory()),
      Dir1(*this, {225, 975, 3360, 2505}, 3, desktop),
      File1(*this, {3735, 960, 1695, 2565}, 2, desktop, kFirstPattern),
      CmdRun(*this, {4050, 4065, 1140, 375}, L"&Run/Open ", 1),
      CmdCancel(*this, {4065, 4530, 1140, 375}, L"&Cancel ", 0),
      Label2(*this, {270, 3960, 1065, 255}, L"&File Pattern ", ui::kWindowBackground, ui::kBlack,
             10),
      Label3(*this, {225, 720, 1590, 255}, L"&Directories", ui::kWindowBackground, ui::kWindowText,
             7),
      Label4(*this, {240, 0, 2055, 255}, L"&Drives", ui::kLightGrey, ui::kWindowText, 6),
      Label1(*this, {3735, 660, 780, 255}, L"&Files ", ui::kWindowBackground, ui::kBlack, 5),
      desktop_(desktop),
      context_(context) {
    // The labels come after their lists in tab order, where neither the
    // system's access keys nor a screen reader look for what they name.
    Label4.Names(Drive1.box);
    Label3.Names(Dir1.box);
    Label1.Names(File1.box);
    Label2.Names(Combo1);
    onLoad = [this] { FrmBrow_Load(); };
    Drive1.onChange = [this] { Drive1_Change(); };
    Dir1.onChange = [this] { Dir1_Change(); };
    Combo1.onClick = [this] { Combo1_Click(); };
    CmdRun.onClick = [this] { CmdRun_Click(); };
    File1.box.onDblClick = [this] { File1_DblClick(); };
    Command1.onClick = [this] { Command1_Click(); };
    CmdPgm.onClick = [this] { CmdPgm_Click(); };
    CmdCancel.onClick = [this] { CmdCancel_Click(); };
}

void FrmBrow::FrmBrow_Load() {
    // Started on a share, the lists open on it by its full path: a path
    // relative to it would mean another file once a start has made the
    // Windows directory current.
    const std::wstring current = desktop_.CurrentDirectory();
    const std::wstring opening = DriveLetterOf(current) ? Drive1.Drive() : current;
    // A failed read of the current drive (a disk taken out) must not leave the lists empty.
    if (Dir1.SetPath(opening).failed()) FallBackToReadableDrive();
    SavedDrive = Drive1.Drive();
}

void FrmBrow::Drive1_Change() {
    const std::wstring chosen = Drive1.Drive();
    if (Dir1.SetPath(chosen).ok()) return;
    if (fallingBack_) return;
    fallingBack_ = true;
    Drive1.SetDrive(SavedDrive);  // raises Drive1_Change again, which moves the lists there
    if (Dir1.SetPath(SavedDrive).failed()) FallBackToReadableDrive();
    fallingBack_ = false;
    desktop_.ShowMessage(L"Error reading Drive " + chosen, mb::kOk, L"Drive Error");
}

// When the drive meant cannot be read, the first drive that can takes its place.
void FrmBrow::FallBackToReadableDrive() {
    for (const std::wstring& drive : Drive1.Entries()) {
        if (Dir1.SetPath(drive).failed()) continue;
        Drive1.SetDrive(drive);
        return;
    }
}

// A directory or pattern whose files cannot be read leaves the file list as
// it was; nothing more can be said than the list shows.
void FrmBrow::Dir1_Change() { IgnoreFailure(File1.SetPath(Dir1.Path())); }

void FrmBrow::Combo1_Click() {
    IgnoreFailure(File1.SetPattern(Combo1.Entry(Combo1.SelectedIndex())));
}

void FrmBrow::CmdRun_Click() { RunSelectedFile(desktop_, context_, File1); }

void FrmBrow::File1_DblClick() { RunSelectedFile(desktop_, context_, File1); }

void FrmBrow::Command1_Click() { DeleteSelectedFile(desktop_, File1); }

void FrmBrow::CmdPgm_Click() { ShowFileTypeHelp(desktop_, HelpCaller::Browser); }

void FrmBrow::CmdCancel_Click() { Close(); }

}  // namespace tavolin
