#!/bin/bash
# The Wine session shared by the Windows tests: Xvfb, openbox, a persistent
# wineserver and a prefix of its own, all kept in STATE_DIR.
#
#   session.sh start STATE_DIR
#   session.sh stop STATE_DIR
#   session.sh screenshot STATE_DIR FILE.png
set -euo pipefail

usage() {
    echo "usage: $0 start|stop STATE_DIR | screenshot STATE_DIR FILE.png" >&2
    exit 2
}
[[ $# -ge 2 ]] || usage
action=$1
state=$(realpath -m "$2")
pids_file=$state/pids
env_file=$state/env

# shellcheck source=SCRIPTDIR/lib.sh
source "$(dirname "$(realpath "$0")")/lib.sh"

log() { echo "session: $*" >&2; }
die() { log "$*"; exit 1; }

# Only our own kinds of process, so a recycled pid is never signalled; one
# that has ended but was not reaped yet counts as gone.
ours() {
    local comm
    pid_running "$1" || return 1
    comm=$(cat "/proc/$1/comm" 2>/dev/null) || return 1
    [[ $comm == Xvfb || $comm == openbox || $comm == wineserver* ]]
}

alive_pids() {
    [[ -f $pids_file ]] || return 0
    local pid
    while read -r pid; do
        [[ -n $pid ]] && ours "$pid" && echo "$pid"
    done <"$pids_file"
    return 0
}

# Ends the wine processes of the prefix, then every process in pids.
stop_session() {
    if [[ -d $state/prefix ]]; then
        WINEPREFIX=$state/prefix WINEDEBUG=-all timeout 20 wineserver -k 2>/dev/null || true
    fi
    local pids
    mapfile -t pids < <(alive_pids)
    if [[ ${#pids[@]} -gt 0 ]]; then
        end_pids ours "${pids[@]}" || die "processes ${pids[*]} do not end"
    fi
    rm -f "$pids_file" "$env_file"
}

running() {
    [[ -f $env_file && -f $pids_file ]] || return 1
    local count
    count=$(grep -c . "$pids_file" || true)
    [[ $(alive_pids | grep -c .) -eq 3 && $count -eq 3 ]] || return 1
    # shellcheck source=/dev/null
    (source "$env_file" && xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id')
}

# Xvfb on a free display, answering; the next free number is tried when one
# does not come up (seen now and then on a busy machine). Without -noreset the
# server resets when its last client (the probe below) leaves, and refuses the
# next one (openbox) for that moment.
start_xvfb() {
    local number xvfb_pid
    for number in $(seq 20 40); do
        [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
        Xvfb ":$number" -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset \
            </dev/null >"$state/xvfb.log" 2>&1 &
        xvfb_pid=$!
        echo "$xvfb_pid" >>"$pids_file"
        export DISPLAY=:$number
        # Ours only if it holds the display's lock: another server may have
        # taken the number in the meantime.
        ours_answers() {
            [[ $(tr -d ' ' <"/tmp/.X$number-lock") == "$xvfb_pid" ]] && xprop -root
        }
        wait_for 20 ours_answers && return 0
        log "display $DISPLAY did not answer (see $state/xvfb.log)"
        end_pids ours "$xvfb_pid" || return 1
    done
    return 1
}

start_session() {
    if running; then
        log "already running on $(grep DISPLAY "$env_file")"
        return 0
    fi
    # A crashed session may have left its processes behind.
    stop_session

    mkdir -p "$state"
    : >"$pids_file"

    start_xvfb || die "no display came up"

    # Without a window manager Wine closes top-level windows after a click and
    # focus given from outside does not hold.
    openbox --sm-disable </dev/null >"$state/openbox.log" 2>&1 &
    echo $! >>"$pids_file"
    wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
    wait_for 20 wm_ready || die "openbox did not come up (see $state/openbox.log)"

    export WINEPREFIX=$state/prefix WINEDEBUG=-all
    # No Mono or Gecko installers and no menu entries for the test programs.
    export WINEDLLOVERRIDES='mscoree=;mshtml=;winemenubuilder.exe=d'
    mkdir -p "$WINEPREFIX"

    if [[ ! -f $WINEPREFIX/system.reg ]]; then
        timeout 120 wineboot -i </dev/null >"$state/wineboot.log" 2>&1 ||
            die "wineboot failed (see $state/wineboot.log)"
        timeout 60 wineserver -w || die "the prefix's first wineserver does not end"
    fi

    # Drives are read when the first program of a server starts, so they are
    # in place before the session's server comes up.
    mkdir -p "$state/drive_t"
    rm -rf "$state/missing_u"
    ln -sfn "$state/drive_t" "$WINEPREFIX/dosdevices/t:"
    ln -sfn "$state/missing_u" "$WINEPREFIX/dosdevices/u:"

    # A server that stays up between programs: one started while the last one
    # shuts down fails oddly.
    wineserver -f -p </dev/null >"$state/wineserver.log" 2>&1 &
    echo $! >>"$pids_file"
    # The server works in its own directory, where it makes its socket.
    wait_for 20 test -S "/proc/$!/cwd/socket" ||
        die "wineserver did not come up (see $state/wineserver.log)"

    # A crashing test program ends at once instead of waiting in a dialog.
    # This first program also starts the prefix's services for the session.
    timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
        /t REG_DWORD /d 0 /f </dev/null >"$state/services.log" 2>&1 ||
        die "could not switch off the crash dialog (see $state/services.log)"
    # The desktop process starts with the first program that asks for the
    # desktop window and keeps that program's output open: let it be ours,
    # not a test's, whose output CTest reads to the end.
    # On a prefix just made, the first try now and then finds the prefix
    # still being brought up to date and fails; the next one works.
    start_desktop() {
        timeout 60 wine rundll32.exe user32.dll,GetDesktopWindow </dev/null \
            >>"$state/services.log" 2>&1
    }
    start_desktop || start_desktop || start_desktop ||
        die "the desktop did not start (see $state/services.log)"

    local name
    for name in DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES; do
        printf 'export %s=%q\n' "$name" "${!name}"
    done >"$env_file"
    log "running on $DISPLAY with prefix $WINEPREFIX"
}

screenshot() {
    local file=$1
    [[ -f $env_file ]] || die "no session in $state"
    # shellcheck source=/dev/null
    source "$env_file"
    if command -v import >/dev/null; then
        import -window root "$file"
    else
        xwd -root -silent | convert xwd:- "$file"
    fi
}

case $action in
start)
    # A start that fails half-way leaves nothing running.
    # shellcheck disable=SC2154  # rc is set inside the trap
    trap 'rc=$?; [[ $rc -eq 0 ]] || stop_session; exit $rc' EXIT
    start_session
    ;;
stop) stop_session ;;
screenshot)
    [[ $# -eq 3 ]] || usage
    screenshot "$3"
    ;;
*) usage ;;
esac
