// The help window: the help text in a scrolling list, with commands to close
// it and to print it.
#pragma once

#include "desktop/desktop.h"
#include "ui/controls.h"

namespace tavolin {

class FrmHelp : public ui::Form {
public:
    explicit FrmHelp(Desktop& desktop);

    ui::MenuCommand CloseMenu;
    ui::MenuCommand PrintMenu;
    ui::ListBox List1;

    void FrmHelp_Load();
    void CloseMenu_Click();
    void PrintMenu_Click();

private:
    Desktop& desktop_;
};

}  // namespace tavolin
