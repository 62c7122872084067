#include "launch/program_manager.h"

namespace tavolin {

void DriveProgramManager(Desktop& desktop, const std::wstring& keystrokes) {
    // Keys sent to whatever window is in front would land anywhere.
    if (desktop.ActivateWindow(kProgramManager).failed()) return;
    // The Start menu's places have no message of their own when the keys fail.
    IgnoreFailure(desktop.SendKeystrokes(keystrokes));
}

void CloseProgramManager(Desktop& desktop) {
    Outcome closed = desktop.ActivateWindow(kProgramManager);
    if (closed.ok()) closed = desktop.SendKeystrokes(L"%{F4}");
    if (closed.failed())
        desktop.ShowMessage(L"Error in closing Windows 95 Program Manager", mb::kQuestion,
                            L"Error");
}

}  // namespace tavolin
