#!/bin/bash
# Printing the help on a real printer: a CUPS PDF printer of the test's own
# becomes Wine's default printer, the real Tavolin.exe prints its help twice
# (Alt+P, then the "&Print Help" command by the pointer), and both PDFs are
# read back; then, with the printer gone, printing must report the failure.
#
#   print_test.sh WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES
set -euo pipefail

name="print test"
here=$(dirname "$(realpath "$0")")
# shellcheck source=SCRIPTDIR/printing.sh
source "$here/printing.sh" e2e_help.exe "$@"

skip_without_printing
start_printer

run_test "$program" HelpPrintingTest.PrintsOneDocumentPerCommand
"$here/cups.sh" wait-idle "$cups"

mapfile -t documents < <(printed_documents)
[[ ${#documents[@]} -eq 2 ]] || fail "expected two documents, found ${#documents[@]} in $out"
for document in "${documents[@]}"; do
    check_printed_help "$document"
done
cmp -s <(printed_lines "${documents[0]}"; words "${documents[0]}") \
    <(printed_lines "${documents[1]}"; words "${documents[1]}") ||
    fail "the two printed copies differ"

# No printer at all: the next program started finds none.
"$here/cups.sh" remove-printer "$cups"
run_test "$program" HelpPrintingTest.ReportsAMissingPrinterAndKeepsTheWindow
echo "print test: two identical copies of the help printed; a missing printer is reported"
