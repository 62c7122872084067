// The file browser: drive, directory and file lists and a pattern box, in
// which one file is found and then run, opened or deleted.
#pragma once

#include <string>

#include "desktop/desktop.h"
#include "dialogs/file_lists.h"
#include "launch/launcher.h"
#include "ui/controls.h"

namespace tavolin {

class FrmBrow : public ui::Form {
public:
    FrmBrow(Desktop& desktop, const LaunchContext& context);

    ui::Button Command1;
    ui::ComboBox Combo1;
    ui::Button CmdPgm;
    DriveList Drive1;
    DirectoryList Dir1;
    FileList File1;
    ui::Button CmdRun;
    ui::Button CmdCancel;
    ui::Label Label2;
    ui::Label Label3;
    ui::Label Label4;
    ui::Label Label1;

    // The drive shown at opening, where an unreadable drive falls back to.
    std::wstring SavedDrive;

    void FrmBrow_Load();
    void Drive1_Change();
    void Dir1_Change();
    void Combo1_Click();
    void CmdRun_Click();
    void File1_DblClick();
    void Command1_Click();
    void CmdPgm_Click();
    void CmdCancel_Click();

private:
    void FallBackToReadableDrive();

    Desktop& desktop_;
    const LaunchContext& context_;
    // Set while a drive error is being recovered from, so that a saved drive
    // that cannot be read either does not start the fall-back again.
    bool fallingBack_ = false;
};

}  // namespace tavolin
