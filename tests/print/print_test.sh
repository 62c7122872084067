#!/bin/bash
# Printing the help on a real printer: a CUPS PDF printer of the test's own
# becomes Wine's default printer, the real Tavolin.exe prints its help twice
# (Alt+P, then the "&Print Help" command by the pointer), and both PDFs are
# read back; then, with the printer gone, printing must report the failure.
#
#   print_test.sh WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES
set -euo pipefail

if [[ $# -ne 4 ]]; then
    echo "usage: $0 WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES" >&2
    exit 2
fi
here=$(dirname "$(realpath "$0")")
wine_state=$(realpath -m "$1")
program=$(realpath -m "$2")/e2e_help.exe
state=$(realpath -m "$3")
help_lines=$(realpath "$4")
cups=$state/cups
out=$state/out

fail() { echo "print test: $*" >&2; exit 1; }

# The PDF backend runs only as root and reads its settings from /etc/cups.
if [[ $(id -u) -ne 0 ]] || ! command -v cupsd pdftotext >/dev/null ||
    [[ ! -x /usr/lib/cups/backend/cups-pdf ]]; then
    echo "print test: needs root, cupsd, cups-pdf and pdftotext; skipped" >&2
    exit 77
fi

# Wine's drive Z: is the Unix root.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

"$here/cups.sh" stop "$cups" 2>/dev/null || true
trap '"$here/cups.sh" stop "$cups"' EXIT
rm -rf "$out"
mkdir -p "$out"
"$here/cups.sh" start "$cups"
"$here/cups.sh" add-printer "$cups" "$out"
# Wine's printing reaches our server through this, in every process it starts.
source "$cups/env"
export TAVOLIN_PRINT_OUT=$(windows_path "$out") TAVOLIN_HELP_LINES=$(windows_path "$help_lines")

# Runs one test of the program; a filter that matches nothing, or a skipped
# test, must not pass for a success.
run_test() {
    local log=$state/$1.log
    "$here/../wine/run.sh" "$wine_state" "$program" --gtest_filter="HelpPrintingTest.$1" 2>&1 |
        tee "$log"
    grep -q 'PASSED  \] 1 test\.' "$log" && ! grep -q SKIPPED "$log" || fail "$1 did not pass"
}

run_test PrintsOneDocumentPerCommand
"$here/cups.sh" wait-idle "$cups"

mapfile -t documents < <(find "$out" -name '*.pdf' | sort)
[[ ${#documents[@]} -eq 2 ]] || fail "expected two documents, found ${#documents[@]} in $out"

# Words with their boxes in points, from the top left of the page: one line
# "page xMin yMin xMax yMax word" each.
words() {
    pdftotext -bbox "$1" - 2>/dev/null | awk '
        /<page / { page++ }
        /<word / {
            match($0, /xMin="[^"]*" yMin="[^"]*" xMax="[^"]*" yMax="[^"]*"/)
            box = substr($0, RSTART, RLENGTH); gsub(/[a-zA-Z]+="|"/, "", box)
            word = $0; sub(/.*">/, "", word); sub(/<\/word>.*/, "", word)
            print page, box, word
        }'
}

# The printed lines that carry text, blanks inside them kept: the page is
# read on a grid of the font's character width, the margin's indent taken
# off, trailing blanks (which leave no mark on paper) dropped. The
# PostScript path may turn "-" into a soft hyphen.
printed_text() {
    local width
    width=$(words "$1" | awk 'NR == 1 { printf "%.4f", ($4 - $2) / length($6) }')
    pdftotext -fixed "$width" "$1" - | sed -e 's/\xc2\xad/-/g' -e 's/\f//g' -e 's/ *$//' |
        grep -v '^$' | awk '
            { lines[NR] = $0; match($0, /^ */); if (NR == 1 || RLENGTH < indent) indent = RLENGTH }
            END { for (i = 1; i <= NR; i++) print substr(lines[i], indent + 1) }'
}

expected=$(sed -e 's/ *$//' "$help_lines" | grep -v '^$')
[[ $(wc -l <"$help_lines") -eq 43 ]] || fail "$help_lines does not hold 43 lines"

# The printer's sheet: 612 x 396 points, printable 18 points in from each edge.
for document in "${documents[@]}"; do
    name=$(basename "$document")
    diff -u <(echo "$expected") <(printed_text "$document") ||
        fail "$name does not show the help lines as expected"
    pages=$(pdfinfo "$document" | awk '/^Pages:/ { print $2 }')
    [[ $pages -ge 2 ]] || fail "$name has $pages page(s); the 61 lines need more than one"
    outside=$(words "$document" |
        awk '$2 < 17.5 || $3 < 17.5 || $4 > 594.5 || $5 > 378.5' | head -3)
    [[ -z $outside ]] || fail "$name prints outside the printable area: $outside"
done
cmp -s <(printed_text "${documents[0]}"; words "${documents[0]}") \
    <(printed_text "${documents[1]}"; words "${documents[1]}") ||
    fail "the two printed copies differ"

# No printer at all: the next program started finds none.
"$here/cups.sh" remove-printer "$cups"
run_test ReportsAMissingPrinterAndKeepsTheWindow
echo "print test: two identical copies of the help printed; a missing printer is reported"
