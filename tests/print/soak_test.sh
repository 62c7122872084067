#!/bin/bash
# The soak test (e2e_soak.exe) with the printing test's PDF printer, on
# which it prints the help twenty times over.
#
#   soak_test.sh WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES
set -euo pipefail

if [[ $# -ne 4 ]]; then
    echo "usage: $0 WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES" >&2
    exit 2
fi
name="soak test"
here=$(dirname "$(realpath "$0")")
wine_state=$(realpath -m "$1")
program=$(realpath -m "$2")/e2e_soak.exe
state=$(realpath -m "$3")
help_lines=$(realpath "$4")
# shellcheck source=SCRIPTDIR/printing.sh
source "$here/printing.sh"

skip_without_printing
start_printer
run_test "$program" Soak.NothingGrowsWithUse
