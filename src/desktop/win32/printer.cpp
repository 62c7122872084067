// Placeholder until printing lands: every call fails.
#include "desktop/win32/printer.h"

namespace tavolin {

struct Win32Printer::Job {};
Win32Printer::Win32Printer() = default;
Win32Printer::~Win32Printer() = default;
Outcome Win32Printer::PrintLine(const std::wstring&) { return Failure{L"Printing is not available."}; }
Outcome Win32Printer::EndDocument() { return Failure{L"Printing is not available."}; }
void Win32Printer::AbortDocument() {}

}  // namespace tavolin
