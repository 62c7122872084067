#include "help/frm_help.h"

#include <string>

#include "help/help_text.h"
#include "help/print_help.h"
#include "resource.h"

namespace tavolin {

FrmHelp::FrmHelp(Desktop& desktop)
    : ui::Form({.title = L"Help",
                .place = {960, 1800, 7845, 3690},
                .iconId = IDI_BULB,
                .minimizeBox = true}),
      CloseMenu(*this, L"&Close"),
      PrintMenu(*this, L"&Print Help"),
      List1(*this, {15, 0, 7815, 3630}, 0, {L"MS Sans Serif", 9.75, true}),
      desktop_(desktop) {
    onLoad = [this] { FrmHelp_Load(); };
    CloseMenu.onClick = [this] { CloseMenu_Click(); };
    PrintMenu.onClick = [this] { PrintMenu_Click(); };
}

void FrmHelp::FrmHelp_Load() {
    for (std::wstring_view line : kHelpText) List1.Add(std::wstring(line));
}

void FrmHelp::CloseMenu_Click() { Close(); }

void FrmHelp::PrintMenu_Click() { PrintHelp(desktop_, List1); }

}  // namespace tavolin
