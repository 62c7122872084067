# shellcheck shell=bash
# Shared by the tests that print from a Windows program in the Wine session:
# a CUPS PDF printer of the test's own becomes Wine's default printer, test
# programs run against it, and the help lines are read back from the PDFs.
# Sourced by a script that has set name (the test's name, for its messages)
# and here (this directory), with the test program's file name and the
# script's own arguments:
#   source printing.sh PROGRAM.exe WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES
# It sets wine_state, program, state and help_lines from them.
# shellcheck disable=SC2154  # name and here are set by the sourcing script

if [[ $# -ne 5 ]]; then
    echo "usage: $0 WINE_STATE WINDOWS_BUILD STATE_DIR HELP_LINES" >&2
    exit 2
fi
wine_state=$(realpath -m "$2")
# shellcheck disable=SC2034  # for the sourcing script
program=$(realpath -m "$3")/$1
state=$(realpath -m "$4")
help_lines=$(realpath "$5")

cups=$state/cups
out=$state/out

fail() { echo "$name: $*" >&2; exit 1; }

# The PDF backend runs only as root and reads its settings from /etc/cups.
skip_without_printing() {
    if [[ $(id -u) -ne 0 ]] || ! command -v cupsd pdftotext >/dev/null ||
        [[ ! -x /usr/lib/cups/backend/cups-pdf ]]; then
        echo "$name: needs root, cupsd, cups-pdf and pdftotext; skipped" >&2
        exit 77
    fi
}

# Wine's drive Z: is the Unix root.
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }

# The server and its printer, ended when the script ends; the programs run
# afterwards print there and are told where the PDFs land.
start_printer() {
    "$here/cups.sh" stop "$cups" 2>/dev/null || true
    trap '"$here/cups.sh" stop "$cups"' EXIT
    rm -rf "$out"
    mkdir -p "$out"
    "$here/cups.sh" start "$cups"
    "$here/cups.sh" add-printer "$cups" "$out"
    # Wine's printing reaches our server through this, in every process it starts.
    # shellcheck source=/dev/null
    source "$cups/env"
    TAVOLIN_PRINT_OUT=$(windows_path "$out")
    TAVOLIN_HELP_LINES=$(windows_path "$help_lines")
    export TAVOLIN_PRINT_OUT TAVOLIN_HELP_LINES
}

# run_test PROGRAM.exe TEST: runs one test of the program; a filter that
# matches nothing, or a skipped test, must not pass for a success.
run_test() {
    local log=$state/${2//./-}.log
    "$here/../wine/run.sh" "$wine_state" "$1" --gtest_filter="$2" 2>&1 | tee "$log"
    grep -q 'PASSED  \] 1 test\.' "$log" && ! grep -q SKIPPED "$log" || fail "$2 did not pass"
}

# The PDFs printed so far, one path a line, in the order they were printed.
printed_documents() { find "$out" -name '*.pdf' | sort; }

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

# The document shows the 61 lines, blanks and empty lines in place, on
# whole pages within the printer's sheet.
check_printed_help() {
    local document=$1 document_name per_page pages outside
    document_name=$(basename "$document")
    [[ $(wc -l <"$help_lines") -eq 43 ]] || fail "$help_lines does not hold 43 lines"
    per_page=$(awk -v height="$(line_height "$document")" -v room="$printable_height" \
        'BEGIN { print int(room / height + 0.001) }')
    diff -u <(expected_lines "$per_page") <(printed_lines "$document") ||
        fail "$document_name does not show the help lines as expected"
    pages=$(pdfinfo "$document" | awk '/^Pages:/ { print $2 }')
    [[ $pages -ge 2 ]] || fail "$document_name has $pages page(s); the 61 lines need more than one"
    outside=$(words "$document" |
        awk '$2 < 17.5 || $3 < 17.5 || $4 > 594.5 || $5 > 378.5' | head -3)
    [[ -z $outside ]] || fail "$document_name prints outside the printable area: $outside"
}
