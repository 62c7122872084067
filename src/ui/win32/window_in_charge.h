// For the program's own message boxes, which the desktop shows: the window
// they stand over.
#pragma once

#include "win32/windows_h.h"

namespace ui::win32 {

// The window of the form the user is dealing with (ui::FormInCharge), or
// null when no form is open.
HWND WindowInCharge();

}  // namespace ui::win32
