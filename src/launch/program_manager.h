// Reaching places of the shell by typing into its "Program Manager" window.
#pragma once

#include <string>

#include "desktop/desktop.h"

namespace tavolin {

inline constexpr wchar_t kProgramManager[] = L"Program Manager";

// Activates "Program Manager" and types the keys; sends nothing when the
// window cannot be activated, and shows no message.
void DriveProgramManager(Desktop& desktop, const std::wstring& keystrokes);

// Alt+F4 on "Program Manager", which opens the shell's Shut Down dialog;
// reports a failure in a message box.
void CloseProgramManager(Desktop& desktop);

}  // namespace tavolin
