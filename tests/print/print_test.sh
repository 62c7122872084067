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

# The printer's sheet: 612 x 396 points, printable 18 points in from each edge.
sheet_top=18
printable_height=360

# The step from one printed line to the next, in points: the smallest gap
# between the tops of two lines of one page.
line_height() {
    words "$1" | awk '{ print $1, $3 }' | sort -u -k1,1n -k2,2n | awk '
        $1 == page && $2 - last > 0.5 && (step == 0 || $2 - last < step) { step = $2 - last }
        { page = $1; last = $2 }
        END { printf "%.4f", step }'
}

# The top of each page's first text: "page:top" pairs.
first_tops() {
    words "$1" | awk '!($1 in top) || $3 < top[$1] { top[$1] = $3 }
        END { for (page in top) printf "%d:%s ", page, top[page] }'
}

# The document as printed, one line a printed line, whole pages: each page
# read by pdftotext -layout on a grid of the font's character width, so
# that runs of blanks keep their width; the empty lines above and below its
# text put back (they leave no mark: the first text's place tells how many
# stand above it); the margin's indent taken off. Blanks at the end of a
# line leave no mark either. The PostScript path may turn "-" into a soft
# hyphen.
printed_lines() {
    local width pages
    width=$(words "$1" | awk 'NR == 1 { printf "%.4f", ($4 - $2) / length($6) }')
    pages=$(pdfinfo "$1" | awk '/^Pages:/ { print $2 }')
    pdftotext -layout -fixed "$width" "$1" - | sed -e 's/\xc2\xad/-/g' -e 's/ *$//' |
        awk -v RS='\f' -v pages="$pages" -v height="$(line_height "$1")" -v top="$sheet_top" \
            -v room="$printable_height" -v firsts="$(first_tops "$1")" '
            BEGIN {
                per_page = int(room / height + 0.001)
                count = split(firsts, pairs, " ")
                for (i = 1; i <= count; i++) { split(pairs[i], pair, ":"); first[pair[1]] = pair[2] }
            }
            NR <= pages {
                last = split($0, lines, "\n")
                while (last > 0 && lines[last] == "") last--
                start = 1
                while (start <= last && lines[start] == "") start++
                on_page = 0
                if (start <= last)
                    for (above = int((first[NR] - top) / height); on_page < above; on_page++) out[++n] = ""
                for (i = start; i <= last; i++) { out[++n] = lines[i]; on_page++ }
                for (; on_page < per_page; on_page++) out[++n] = ""
            }
            END {
                indent = -1
                for (i = 1; i <= n; i++) {
                    if (out[i] == "") continue
                    match(out[i], /^ */)
                    if (indent < 0 || RLENGTH < indent) indent = RLENGTH
                }
                for (i = 1; i <= n; i++) print substr(out[i], indent + 1)
            }'
}

# What the paper must show: the 43 help lines as the list holds them, then
# 18 empty lines, on whole pages of this many lines.
expected_lines() {
    local per_page=$1 line
    for line in $(seq 1 61); do
        if [[ $line -le 43 ]]; then sed -n "${line}p" "$help_lines" | sed -e 's/ *$//'; else echo; fi
    done
    for ((line = 61; line % per_page != 0; line++)); do echo; done
}

[[ $(wc -l <"$help_lines") -eq 43 ]] || fail "$help_lines does not hold 43 lines"

for document in "${documents[@]}"; do
    name=$(basename "$document")
    per_page=$(awk -v height="$(line_height "$document")" -v room="$printable_height" \
        'BEGIN { print int(room / height + 0.001) }')
    diff -u <(expected_lines "$per_page") <(printed_lines "$document") ||
        fail "$name does not show the help lines as expected"
    pages=$(pdfinfo "$document" | awk '/^Pages:/ { print $2 }')
    [[ $pages -ge 2 ]] || fail "$name has $pages page(s); the 61 lines need more than one"
    outside=$(words "$document" |
        awk '$2 < 17.5 || $3 < 17.5 || $4 > 594.5 || $5 > 378.5' | head -3)
    [[ -z $outside ]] || fail "$name prints outside the printable area: $outside"
done
cmp -s <(printed_lines "${documents[0]}"; words "${documents[0]}") \
    <(printed_lines "${documents[1]}"; words "${documents[1]}") ||
    fail "the two printed copies differ"

# No printer at all: the next program started finds none.
"$here/cups.sh" remove-printer "$cups"
run_test ReportsAMissingPrinterAndKeepsTheWindow
echo "print test: two identical copies of the help printed; a missing printer is reported"
