#!/bin/bash
# A CUPS server of the printing test's own, with a PDF printer whose files
# land in a directory of the test. Everything lives in STATE_DIR; clients
# reach the server through CUPS_SERVER=STATE_DIR/cups.sock (see `env`).
#
#   cups.sh start STATE_DIR              # cupsd in the foreground, its pid kept
#   cups.sh add-printer STATE_DIR OUT    # default printer, PDFs written into OUT
#   cups.sh wait-idle STATE_DIR          # until no job is pending
#   cups.sh remove-printer STATE_DIR     # no printer left, none default
#   cups.sh stop STATE_DIR               # printer removed, cupsd ended by its pid
set -euo pipefail

usage() {
    echo "usage: $0 start|add-printer|wait-idle|remove-printer|stop STATE_DIR [OUT]" >&2
    exit 2
}
[[ $# -ge 2 ]] || usage
action=$1
state=$(realpath -m "$2")
socket=$state/cups.sock
pid_file=$state/cupsd.pid
printer=TavolinPDF
# The PDF backend reads /etc/cups/cups-pdf-<name>.conf for a device
# "cups-pdf:/<name>", so the test's settings leave the system's own alone.
# The name is the state directory's own: test runs of other trees on the
# same machine would otherwise send each other's printouts astray.
backend_name=tavolin-test-$(md5sum <<<"$state" | cut -c1-12)
backend_conf=/etc/cups/cups-pdf-$backend_name.conf
# The printer's paper, in points: width and height, and its printable area.
short_size="612 396"
short_printable="18 18 594 378"
short_setup="<</PageSize[612 396]/ImagingBBox null>>setpagedevice"

export CUPS_SERVER=$socket

# shellcheck source=SCRIPTDIR/../wine/lib.sh
source "$(dirname "$(realpath "$0")")/../wine/lib.sh"

log() { echo "cups: $*" >&2; }
die() { log "$*"; exit 1; }

# The pid of our cupsd while it runs; a recycled pid is never taken for it.
server_pid() {
    [[ -f $pid_file ]] || return 1
    local pid
    pid=$(cat "$pid_file")
    [[ $(cat "/proc/$pid/comm" 2>/dev/null) == cupsd ]] || return 1
    echo "$pid"
}

answers() { lpstat -r | grep -q 'is running'; }
idle() { [[ -z $(lpstat -o 2>/dev/null) ]]; }

start_server() {
    if server_pid >/dev/null; then
        log "already running (pid $(server_pid))"
        return 0
    fi
    rm -rf "$state"
    mkdir -p "$state"/{conf/ppd,conf/ssl,spool/tmp,cache,run,log}
    cat >"$state/conf/cups-files.conf" <<EOF
ServerRoot $state/conf
RequestRoot $state/spool
TempDir $state/spool/tmp
CacheDir $state/cache
StateDir $state/run
AccessLog $state/log/access_log
ErrorLog $state/log/error_log
PageLog $state/log/page_log
SystemGroup root
EOF
    # Only a local socket, no sharing, no authentication: a private server.
    cat >"$state/conf/cupsd.conf" <<EOF
LogLevel info
Listen $socket
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
    cat >"$state/env" <<EOF
export CUPS_SERVER=$socket
EOF
    cupsd -f -c "$state/conf/cupsd.conf" -s "$state/conf/cups-files.conf" \
        </dev/null >"$state/log/cupsd.out" 2>&1 &
    echo $! >"$pid_file"
    wait_for 20 answers || die "cupsd did not come up (see $state/log)"
    log "running (pid $(server_pid)) on $socket"
}

add_printer() {
    local out=$1
    server_pid >/dev/null || die "no server in $state (cups.sh start $state)"
    mkdir -p "$out" "$state/cups-pdf-spool"
    # Label 1 puts the job number in front of each file name, so printing the
    # same document twice gives two files.
    cat >"$backend_conf" <<EOF
Out $out
Label 1
Spool $state/cups-pdf-spool
Log $state/log
EOF
    # Paper short enough that the help needs two pages, with margins, so that
    # page breaks and the printable area's origin are both exercised.
    sed -e 's/^\*Default\(PageSize\|PageRegion\|ImageableArea\|PaperDimension\): A4$/*Default\1: TestSheet/' \
        -e "/^\\*PageSize A4\\//a *PageSize TestSheet/Test sheet: \"$short_setup\"" \
        -e "/^\\*PageRegion A4\\//a *PageRegion TestSheet/Test sheet: \"$short_setup\"" \
        -e "/^\\*ImageableArea A4\\//a *ImageableArea TestSheet/Test sheet: \"$short_printable\"" \
        -e "/^\\*PaperDimension A4\\//a *PaperDimension TestSheet/Test sheet: \"$short_size\"" \
        /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$state/short-sheet.ppd"
    [[ $(grep -c TestSheet "$state/short-sheet.ppd") -eq 8 ]] || die "could not make the printer's PPD"
    lpadmin -p "$printer" -v "cups-pdf:/$backend_name" -E -P "$state/short-sheet.ppd" 2>/dev/null
    lpadmin -d "$printer"
    [[ $(lpstat -d) == *": $printer" ]] || die "$printer did not become the default printer"
}

remove_printer() {
    if server_pid >/dev/null && lpstat -p "$printer" >/dev/null 2>&1; then
        lpadmin -x "$printer"
    fi
    rm -f "$backend_conf"
}

stop_server() {
    remove_printer
    local pid
    if pid=$(server_pid); then
        end_pids pid_running "$pid" || die "cupsd $pid does not end"
    fi
    rm -f "$pid_file" "$socket"
}

case $action in
start) start_server ;;
add-printer)
    [[ $# -eq 3 ]] || usage
    add_printer "$(realpath -m "$3")"
    ;;
wait-idle) wait_for 120 idle || die "jobs still pending: $(lpstat -o)" ;;
remove-printer) remove_printer ;;
stop) stop_server ;;
*) usage ;;
esac
