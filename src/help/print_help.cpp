#include "help/print_help.h"

namespace tavolin {

namespace {

Outcome PrintDocument(Desktop& desktop, const ui::ListBox& list) {
    for (int p = 0; p < kPrintedLineCount; ++p)
        if (Outcome printed = desktop.PrintLine(list.Entry(p)); printed.failed()) return printed;
    return desktop.EndDocument();
}

}  // namespace

void PrintHelp(Desktop& desktop, const ui::ListBox& list) {
    if (const Outcome printed = PrintDocument(desktop, list); printed.failed()) {
        desktop.AbortDocument();
        desktop.ShowMessage(
            std::wstring(kPrintFailedPrompt) + L'\r' + printed.failure().description,
            mb::kExclamation, kPrintFailedTitle);
    }
}

}  // namespace tavolin
