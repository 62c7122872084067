// A program's main form, one a sign-in session.
#pragma once

#include <string>

#include "ui/controls.h"

namespace ui {

// Runs the main form as Run does, unless the program already runs in this
// sign-in session under this name: then brings that program's main form to
// the front instead (restored if minimised, or the window over it that waits
// for an answer) and returns without a window of its own.
void RunAlone(Form& main, const std::wstring& name);

}  // namespace ui
