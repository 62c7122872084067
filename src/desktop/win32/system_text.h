// The system's own description of an error, as failures carry it.
#pragma once

#include <string>

#include "desktop/desktop.h"

namespace tavolin {

// The system's message for an error code, without its line end.
std::wstring SystemText(unsigned long error);
// A failure with the system's text for the calling thread's last error.
Failure LastFailure();

}  // namespace tavolin
