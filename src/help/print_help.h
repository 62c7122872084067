// Printing the help list on the default printer.
#pragma once

#include "desktop/desktop.h"
#include "ui/controls.h"

namespace tavolin {

// Lines in every printed copy, whatever the list holds; positions past its
// end print empty.
inline constexpr int kPrintedLineCount = 61;

inline constexpr wchar_t kPrintFailedPrompt[] = L"The help could not be printed:";
inline constexpr wchar_t kPrintFailedTitle[] = L"Print Help";

// Prints the list as one document. A printer failure abandons the document,
// so no partial copy comes out, and is reported in a message box.
void PrintHelp(Desktop& desktop, const ui::ListBox& list);

}  // namespace tavolin
