// The Run Program dialog: a typed command line, started through the
// launcher; the file browser and the file-type help are reached from it.
#pragma once

#include "desktop/desktop.h"
#include "launch/launcher.h"
#include "ui/controls.h"

namespace tavolin {

class FrmRun : public ui::Form {
public:
    FrmRun(Desktop& desktop, const LaunchContext& context);

    ui::Button CmdPgm;
    ui::Button CmdBrw;
    ui::Button CmdCancel;
    ui::Button CmdOk;
    ui::TextBox Text1;
    ui::Label Label1;

    void CmdOk_Click();
    void Text1_KeyPress(wchar_t code);
    void CmdCancel_Click();
    void CmdBrw_Click();
    void CmdPgm_Click();

private:
    // Starts the typed command line and clears the box; false, after telling
    // the user, when the box is empty.
    bool RunCommandLine();

    Desktop& desktop_;
    const LaunchContext& context_;
};

}  // namespace tavolin
