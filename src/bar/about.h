#pragma once

#include <string>

#include "desktop/desktop.h"

namespace tavolin {

// The About box's text: eleven lines, each ended by a lone carriage return
// but the last.
std::wstring AboutText();

// Shows the About box and waits until it is closed.
void ShowAbout(Desktop& desktop);

}  // namespace tavolin
