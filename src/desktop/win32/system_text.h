// The system's own description of an error, as failures carry it.
#pragma once

#include <string>

#include "desktop/desktop.h"

namespace tavolin {

// The system's message for an error code, without its line end. Some
// messages name what failed through an insert ("%1 is not a valid
// application."): it is filled with the subject, or left out with the blank
// before it when there is none, so that no insert mark is ever shown.
std::wstring SystemText(unsigned long error, const std::wstring& subject = L"");
// A failure with the system's text for the calling thread's last error.
Failure LastFailure(const std::wstring& subject = L"");

}  // namespace tavolin
