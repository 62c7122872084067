# shellcheck shell=bash
# Shell helpers shared by the test scripts that start and end processes of
# their own (the Wine session, the printing test's CUPS server). Sourced:
#   source "$(dirname "$(realpath "$0")")/lib.sh"

# Polls a command every 0.1 s until it succeeds; fails after the given seconds.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [[ $tries -gt 0 ]] || return 1
        sleep 0.1
    done
}

# Whether the process runs: one that has ended but was not reaped yet does not.
pid_running() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    [[ ${stat##*) } != Z* ]]
}

# none_of CHECK PID...: no pid passes the check (a command given one pid).
none_of() {
    local check=$1 pid
    shift
    for pid in "$@"; do
        "$check" "$pid" && return 1
    done
    return 0
}

# end_pids CHECK PID...: ends the processes by TERM, and by KILL those that
# still pass the check 10 s later; fails if any still passes it after that.
end_pids() {
    local check=$1
    shift
    kill -TERM "$@" 2>/dev/null || true
    wait_for 10 none_of "$check" "$@" && return 0
    kill -KILL "$@" 2>/dev/null || true
    wait_for 10 none_of "$check" "$@"
}
