#!/bin/bash
# The installers under Wine, in a prefix of the test's own made afresh, on a
# virtual display of its own. For each architecture: the MSI installed for the
# user with /qn and STARTATSIGNIN=1; its files, Start menu shortcut,
# installed-programs entry and start at sign-in checked; the program started
# from the shortcut and by a sign-in, its bar seen; then msiexec /x, after
# which nothing of it is left. Then the upgrades: installed without
# STARTATSIGNIN, Tavolin does not start at sign-in; one architecture replaces
# the other, and a newer version the older, keeping the start at sign-in
# unless STARTATSIGNIN is given; an older version is refused; and the
# uninstall command of the installed-programs list removes it all.
#
#   install_test.sh STATE_DIR WINDOWS_BUILD WINDOWS32_BUILD VERSION
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root=$(realpath "$here/../..")
state=$(realpath -m "$1")
win64=$(realpath "$2")
win32=$(realpath "$3")
version=$4
# shellcheck source=../wine/lib.sh
source "$root/tests/wine/lib.sh"

fail() {
    echo "install test: $*" >&2
    exit 1
}

rm -rf "$state"
mkdir -p "$state"
log=$state/wine.log
"$root/tests/wine/session.sh" start "$state/session"
trap '"$root/tests/wine/session.sh" stop "$state/session"' EXIT
# shellcheck source=/dev/null
source "$state/session/env"
# The registry reaches its files when the server ends: the session's server,
# which stays up, goes, and each step's server is ended after it (settle),
# with what it still runs, none of which is Tavolin's.
settle() {
    wineserver -k 2>/dev/null || true
    timeout 60 wineserver -w
}
settle
wine_run() { timeout 120 wine "$@" </dev/null >>"$log" 2>&1; }
# msi /i|/x PACKAGE [PROPERTY=VALUE...], without a user interface.
msi() {
    local action=$1 package=$2
    shift 2
    wine_run msiexec "$action" "$(winepath -w "$package")" /qn "$@"
}

profile=$(find "$WINEPREFIX/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public)
installed=$profile/AppData/Local/Programs/Tavolin
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tavolin.lnk"

# Every path under drive_c and every registry key and value name, hive by
# hive: what the prefix holds, whatever the values say.
snapshot() {
    (
        cd "$WINEPREFIX"
        find drive_c
        awk '/^\[/ { key = $0; sub(/\] [0-9]+$/, "]", key); print FILENAME ": " key; next }
             /^("|@)/ { name = $0; sub(/=.*/, "", name); print FILENAME ": " key " " name }' \
            user.reg system.reg userdef.reg
    ) | sort >"$1"
}
snapshot "$state/before"

# What is there after msiexec /x and was not before, but the installer
# service's own containers, left empty: its cache folders and the keys under
# which it registers products.
leftovers() {
    snapshot "$state/after"
    comm -13 "$state/before" "$state/after" | grep -v -x -E \
        -e 'drive_c/windows/Installer' \
        -e 'drive_c/users/[^/]+/AppData/Roaming/Microsoft/Installer' \
        -e 'user\.reg: \[Software\\\\Microsoft\\\\Installer\\\\(Features|Products|UpgradeCodes)\]' \
        -e 'system\.reg: \[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Installer\\\\(UpgradeCodes|UserData\\\\S-[0-9-]+\\\\(Components|Products))\]' ||
        true
}

# The lines of the registry key of the hive whose path ends so, written as in
# the file (backslashes doubled).
reg_key() {
    ending=$2 awk '/^\[/ { key = $0; sub(/\] [0-9]+$/, "]", key)
                          e = ENVIRON["ending"]
                          inside = substr(key, length(key) - length(e) + 1) == e; next }
                   inside' "$WINEPREFIX/$1"
}

# The version of each installed-programs entry named Tavolin, in either view
# of the registry.
entries() {
    awk 'function done() { if (named) print version; named = 0; version = "" }
         /^\[/ { done(); inside = index($0, "\\\\Uninstall\\\\{") > 0; next }
         inside && $0 == "\"DisplayName\"=\"Tavolin\"" { named = 1 }
         inside && /^"DisplayVersion"=/ { version = $0; sub(/^"DisplayVersion"="/, "", version)
                                          sub(/"$/, "", version) }
         END { done() }' "$WINEPREFIX/system.reg"
}

# The Run value that starts the installed program at sign-in, as the file
# writes it.
run_value() {
    local path
    path=$(winepath -w "$installed/Tavolin.exe")
    path=${path//\\/\\\\}
    echo "\"Tavolin\"=\"\\\"$path\\\"\""
}
starts_at_sign_in() { reg_key user.reg '\\CurrentVersion\\Run]' | grep -qxF "$(run_value)"; }

# The bar: the installed program's window, its client area at its stored
# place, with its pictures drawn (more than a few colours there).
bar_shown() {
    xwininfo -root -tree | grep -F '("tavolin.exe" ' | grep -q -E ' 607x55\+[0-9]+\+[0-9]+ +\+16\+399$' &&
        [[ $(import -window root -crop 607x55+16+399 +repage png:- | convert png:- -format %k info:) -gt 16 ]]
}
tavolin_pids() {
    local p
    for p in /proc/[0-9]*; do
        [[ $(cat "$p/comm" 2>/dev/null) == Tavolin.exe ]] || continue
        tr '\0' '\n' 2>/dev/null <"$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${p#/proc/}"
    done
    return 0
}
end_tavolin() {
    local pids
    mapfile -t pids < <(tavolin_pids)
    [[ ${#pids[@]} -eq 0 ]] || end_pids pid_running "${pids[@]}" || fail "Tavolin.exe does not end"
    wait_for 10 test -z "$(tavolin_pids)" || fail "Tavolin.exe still runs"
}
see_bar() {
    wait_for 30 bar_shown || fail "$1: no bar"
    "$root/tests/wine/session.sh" screenshot "$state/session" "$state/$2"
    end_tavolin
}

# expect_installed VERSION FORMAT STARTS: the installed-programs list holds
# Tavolin once, of this version; the program is of this architecture (its
# objdump format); it starts at sign-in (yes) or not (no).
expect_installed() {
    [[ $(entries) == "$1" ]] || fail "installed programs list: $(entries | tr '\n' ' ')"
    x86_64-w64-mingw32-objdump -f "$installed/Tavolin.exe" | grep -q "file format $2" ||
        fail "the installed program is not $2"
    if starts_at_sign_in; then [[ $3 == yes ]]; else [[ $3 == no ]]; fi ||
        fail "starts at sign-in: not $3"
}

# Installs, checks and removes one architecture's package.
install_and_remove() {
    local msi=$1 format=$2 extracted=$state/extracted code
    code=$(msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }')
    # For the user, asking for no elevation: no ALLUSERS, and the summary's
    # word count says that no elevated rights are needed (8).
    msiinfo export "$msi" Property | grep -q '^ALLUSERS' && fail "$msi installs for all users"
    local words
    words=$(msiinfo suminfo "$msi" | awk '$1 == "Source:" { print $2 }')
    ((words & 8)) || fail "$msi asks for administrator rights (word count $words)"
    msi /i "$msi" STARTATSIGNIN=1 || fail "$msi: msiexec /i failed"
    settle

    # The package's own files.
    rm -rf "$extracted"
    msiextract -C "$extracted" "$msi" >/dev/null
    for file in Tavolin.exe LICENSE; do
        cmp "$installed/$file" "$extracted/Programs/Tavolin/$file" || fail "$file not installed"
    done
    [[ -f $shortcut ]] || fail "no Start menu shortcut"

    # The installed-programs entry: Wine keeps it in HKLM (in its 32-bit view
    # for the 32-bit package), the icon in the installer's product record.
    expect_installed "$version" "$format" yes
    reg_key system.reg "\\\\Uninstall\\\\$code]" | grep -qxF '"Publisher"="The Tavolin authors"' ||
        fail "no publisher"
    local icon
    icon=$(grep -F '"ProductIcon"=' "$WINEPREFIX/user.reg" | grep -F "$code" |
        sed 's/^"ProductIcon"="//; s/"$//; s/\\\\/\\/g')
    [[ -n $icon ]] || fail "no product icon"
    cmp "$(winepath -u "$icon")" "$root/res/icons/shuttle.ico" || fail "the icon is not the shuttle"

    # The program, from its shortcut and at a sign-in (wineboot runs the Run
    # entries as a sign-in does).
    wine_run start /unix "$shortcut" || fail "the shortcut does not start"
    see_bar "from the shortcut" "bar-$format.png"
    wine_run wineboot || fail "wineboot failed"
    see_bar "at sign-in" "signed-in-$format.png"

    msi /x "$msi" || fail "$msi: msiexec /x failed"
    settle
    local left
    left=$(leftovers)
    [[ -z $left ]] || fail "left after msiexec /x:"$'\n'"$left"
    echo "install test: $(basename "$msi") installed, started and removed"
}

release=Tavolin-$version
install_and_remove "$win64/$release-win64.msi" pei-x86-64
install_and_remove "$win32/$release-win32.msi" pei-i386

# A newer version of each architecture, made from the same released programs.
IFS=. read -r major minor patch <<<"$version"
newer=$major.$minor.$((${patch:-0} + 1))
newer_msi() {
    cmake -DPROGRAM="$1/release/Tavolin.exe" -DARCH="$2" -DVERSION="$newer" \
        -DOUTPUT="$state/newer-$2.msi" -P "$root/cmake/msi.cmake"
}
newer_msi "$win64" x64
newer_msi "$win32" x86
msi /i "$win64/$release-win64.msi" || fail "msiexec /i $version failed"
settle
expect_installed "$version" pei-x86-64 no
msi /i "$win32/$release-win32.msi" STARTATSIGNIN=1 || fail "msiexec /i $version (32-bit) failed"
settle
expect_installed "$version" pei-i386 yes
msi /i "$state/newer-x64.msi" || fail "msiexec /i $newer failed"
settle
expect_installed "$newer" pei-x86-64 yes
if msi /i "$win64/$release-win64.msi"; then fail "an older version was installed over a newer one"; fi
settle
expect_installed "$newer" pei-x86-64 yes
msi /i "$state/newer-x86.msi" STARTATSIGNIN=0 || fail "msiexec /i $newer STARTATSIGNIN=0 failed"
settle
expect_installed "$newer" pei-i386 no
# Removed as the installed programs list removes it.
uninstall=$(awk '/^\[/ { inside = index($0, "\\\\Uninstall\\\\{") > 0; next }
                 inside && /^"UninstallString"=/' "$WINEPREFIX/system.reg")
[[ $uninstall =~ (MsiExec.exe /X\{[0-9A-F-]+\}) ]] || fail "no uninstall command: $uninstall"
read -ra command <<<"${BASH_REMATCH[1]}"
wine_run "${command[@]}" /qn || fail "${command[*]} failed"
settle
left=$(leftovers)
[[ -z $left ]] || fail "left after the upgrades and ${command[*]}:"$'\n'"$left"
echo "install test: each architecture of $version replaced the other, $newer replaced $version," \
    "each kept the start at sign-in unless STARTATSIGNIN was given; $version was refused over $newer"
