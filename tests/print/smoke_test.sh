#!/bin/bash
# The smoke test of a build that the other end-to-end tests do not run (the
# 32-bit one): its short sitting (e2e_tour.exe), with the help printed on the
# printing test's PDF printer and read back.
#
#   smoke_test.sh WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES
set -euo pipefail

name="smoke test"
here=$(dirname "$(realpath "$0")")
# shellcheck source=SCRIPTDIR/printing.sh
source "$here/printing.sh" e2e_tour.exe "$@"

skip_without_printing
start_printer
run_test "$program" ShortSitting.EveryTitleOneProgramEachKindOfWindowAndThePrintedHelp
"$here/cups.sh" wait-idle "$cups"

mapfile -t documents < <(printed_documents)
[[ ${#documents[@]} -eq 1 ]] || fail "expected one document, found ${#documents[@]} in $out"
check_printed_help "${documents[0]}"
echo "smoke test: $(basename "$(dirname "$program")")/Tavolin.exe sat through, its help printed"
