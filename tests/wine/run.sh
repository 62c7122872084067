#!/bin/bash
# Runs a Windows program inside the Wine session of STATE_DIR and returns its
# exit code. TAVOLIN_WINE_TIMEOUT (seconds, default 240) bounds the run.
#
#   run.sh STATE_DIR PROGRAM.exe [ARGS...]
set -euo pipefail

if [[ $# -lt 2 ]]; then
    echo "usage: $0 STATE_DIR PROGRAM.exe [ARGS...]" >&2
    exit 2
fi
state=$(realpath -m "$1")
program=$(realpath -m "$2")
shift 2

if [[ ! -f $state/env ]]; then
    echo "run: no Wine session in $state (session.sh start $state)" >&2
    exit 1
fi
if [[ ! -f $program ]]; then
    echo "run: $program does not exist (build the Windows tree first)" >&2
    exit 1
fi
# shellcheck source=/dev/null
source "$state/env"

# The program's own directory is its current directory, as when started from
# the desktop.
cd "$(dirname "$program")"
exec timeout -k 10 "${TAVOLIN_WINE_TIMEOUT:-240}" wine "$program" "$@"
