#include "launch/program_manager.h"

namespace tavolin {

void DriveProgramManager(Desktop& desktop, const std::wstring& keystrokes) {
    if (desktop.ActivateWindow(kProgramManager)) return;
    desktop.SendKeystrokes(keystrokes);
}

void CloseProgramManager(Desktop& desktop) {
    Outcome failure = desktop.ActivateWindow(kProgramManager);
    if (!failure) failure = desktop.SendKeystrokes(L"%{F4}");
    if (failure)
        desktop.ShowMessage(L"Error in closing Windows 95 Program Manager", mb::kQuestion, L"Error");
}

}  // namespace tavolin
