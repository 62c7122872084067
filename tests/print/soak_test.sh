#!/bin/bash
# The soak test (e2e_soak.exe) with the printing test's PDF printer, on
# which it prints the help twenty times over.
#
#   soak_test.sh WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES
set -euo pipefail

name="soak test"
here=$(dirname "$(realpath "$0")")
# shellcheck source=SCRIPTDIR/printing.sh
source "$here/printing.sh" e2e_soak.exe "$@"

skip_without_printing
start_printer
run_test "$program" Soak.NothingGrowsWithUse
