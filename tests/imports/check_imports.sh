#!/bin/bash
# Checks that a Tavolin.exe runs on the oldest Windows it is meant for, and is
# hardened as Windows expects: built for its architecture, Windows 7 (6.1)
# asked for in its header; loaded at a random address (DYNAMIC_BASE, with a
# relocation table to move it by, and HIGH_ENTROPY_VA when 64-bit) with no
# code run from its data (NX_COMPAT); importing only from known DLLs of
# Windows, which are never looked for beside it, and every function of its
# import table, as objdump reads it, in the list of functions that Windows 7
# offers.
#
#   check_imports.sh EXE FORMAT ALLOWED DLLS    (FORMAT: pei-x86-64 or pei-i386)
set -euo pipefail

if [[ $# -ne 4 ]]; then
    echo "usage: $0 EXE FORMAT ALLOWED DLLS" >&2
    exit 2
fi
exe=$1 format=$2 allowed=$3 dlls=$4
# MinGW-w64's objdump reads the 32-bit format as well as the 64-bit one.
objdump=x86_64-w64-mingw32-objdump

fail() { echo "imports: $exe: $*" >&2; exit 1; }

[[ -f $exe ]] || fail "does not exist (build it first)"
headers=$("$objdump" -p "$exe")
grep -q "file format $format\$" <<<"$headers" ||
    fail "is not $format but $(grep -m1 -o 'file format .*' <<<"$headers")"
for field in Subsystem OSystem; do
    version=$(awk -v field="$field" '$1 == "Major" field "Version" { major = $2 }
        $1 == "Minor" field "Version" { print major "." $2 }' <<<"$headers")
    [[ $version == 6.1 ]] || fail "its header's $field version is $version, not Windows 7's 6.1"
done

# objdump names each flag of DllCharacteristics on a line of its own below it.
flags=$(awk '/^DllCharacteristics/ { inside = 1; next } inside && /^\t\t/ { print $1; next }
             { inside = 0 }' <<<"$headers")
wanted=(DYNAMIC_BASE NX_COMPAT)
[[ $format != pei-x86-64 ]] || wanted+=(HIGH_ENTROPY_VA)
for flag in "${wanted[@]}"; do
    grep -qx "$flag" <<<"$flags" || fail "its header lacks $flag (has: $(tr '\n' ' ' <<<"$flags"))"
done
relocations=$(awk '$1 == "Entry" && $2 == 5 { print $4 }' <<<"$headers")
[[ -n $relocations && $((16#$relocations)) -gt 0 ]] ||
    fail "has no relocation table, so Windows cannot load it at another address"

foreign=$(awk '/^\tDLL Name:/ { print tolower($3) }' <<<"$headers" | sort -u |
    comm -23 - <(grep -v '^#' "$dlls" | grep . | sort -u))
[[ -z $foreign ]] ||
    fail "imports from DLLs that are not known DLLs, so looked for beside it first: $(tr '\n' ' ' <<<"$foreign")"

# One "dll function" a line; an import without a name (by ordinal) shows as
# its whole line, which no entry of the list matches.
imports=$(awk '
    /^\tDLL Name:/ { dll = tolower($3); next }
    /^$/ { dll = "" }
    dll == "" || /^\tvma:/ { next }
    /^\t[0-9a-f]+\t +[0-9]+  [^ ]+$/ { print dll, $3; next }
    { print dll, "(unnamed)" $0 }' <<<"$headers" | sort -u)
[[ -n $imports ]] || fail "no import read from its table"

missing=$(comm -23 <(echo "$imports") <(grep -v '^#' "$allowed" | grep . | sort -u))
if [[ -n $missing ]]; then
    echo "imports: $exe imports functions that are not known on Windows 7:" >&2
    sed 's/^/    /' <<<"$missing" >&2
    echo "check each one's minimum supported client; add it to $allowed only if" \
        "Windows 7 has it, else load it at run time with a fall-back" >&2
    exit 1
fi
echo "imports: $exe ($format): ${wanted[*]}, relocations;" \
    "$(wc -l <<<"$imports") functions of Windows' known DLLs, all on Windows 7"
