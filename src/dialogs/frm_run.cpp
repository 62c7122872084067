#include "dialogs/frm_run.h"

#include "dialogs/file_actions.h"
#include "dialogs/frm_brow.h"

namespace tavolin {

namespace {

constexpr wchar_t kCarriageReturn = L'\r';

}  // namespace

FrmRun::FrmRun(Desktop& desktop, const LaunchContext& context)
    : ui::Form({.title = L"Run Program", .place = {90, 5085, 4080, 1620}}),
      CmdPgm(*this, {1680, 360, 375, 255}, L"&?", 5),
      CmdBrw(*this, {2745, 1140, 1095, 345}, L"&Browse", 4),
      CmdCancel(*this, {1515, 1155, 1095, 330}, L"&Cancel ", 3),
      CmdOk(*this, {240, 1155, 1095, 330}, L"&Run", 2),
      Text1(*this, {105, 690, 3855, 375}, 1),
      Label1(*this, {90, 360, 1695, 255}, L"&Command Line: ", ui::kWindowBackground,
             ui::kWindowText, 0),
      desktop_(desktop),
      context_(context) {
    Label1.Names(Text1);
    CmdPgm.onClick = [this] { CmdPgm_Click(); };
    CmdBrw.onClick = [this] { CmdBrw_Click(); };
    CmdCancel.onClick = [this] { CmdCancel_Click(); };
    CmdOk.onClick = [this] { CmdOk_Click(); };
    Text1.onKeyPress = [this](wchar_t code) { Text1_KeyPress(code); };
}

void FrmRun::CmdOk_Click() {
    if (RunCommandLine()) Close();
}

// Enter runs the line but keeps the dialog open for the next one.
void FrmRun::Text1_KeyPress(wchar_t code) {
    if (code == kCarriageReturn) RunCommandLine();
}

void FrmRun::CmdCancel_Click() { Close(); }

void FrmRun::CmdBrw_Click() {
    FrmBrow browser(desktop_, context_);
    browser.ShowModal();
}

void FrmRun::CmdPgm_Click() { ShowFileTypeHelp(desktop_, HelpCaller::RunDialog); }

bool FrmRun::RunCommandLine() {
    // Only a truly empty line is refused: blanks are handed on as typed.
    if (Text1.Text().empty()) {
        desktop_.ShowMessage(L"Enter the path and program to run", mb::kStop, L"Error");
        return false;
    }
    LaunchProgram(desktop_, context_, Text1.Text(), L"");
    Text1.SetText(L"");
    return true;
}

}  // namespace tavolin
