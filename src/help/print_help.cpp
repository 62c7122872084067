#include "help/print_help.h"

namespace tavolin {

namespace {

Outcome PrintDocument(Desktop& desktop, const ui::ListBox& list) {
    for (int p = 0; p < kPrintedLineCount; ++p)
        if (Outcome failed = desktop.PrintLine(list.Entry(p))) return failed;
    return desktop.EndDocument();
}

}  // namespace

void PrintHelp(Desktop& desktop, const ui::ListBox& list) {
    if (Outcome failed = PrintDocument(desktop, list)) {
        desktop.AbortDocument();
        desktop.ShowMessage(std::wstring(kPrintFailedPrompt) + L'\r' + failed->description,
                            mb::kExclamation, kPrintFailedTitle);
    }
}

}  // namespace tavolin
