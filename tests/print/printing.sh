# shellcheck shell=bash
# Shared by the tests that print from a Windows program in the Wine session:
# a CUPS PDF printer of the test's own becomes Wine's default printer, test
# programs run against it, and the help lines are read back from the PDFs.
# Sourced by a script that has set:
#   name        the test's name, for its messages
#   wine_state  the Wine session's state directory
#   state       the test's own state directory
#   help_lines  the file of the 43 expected help lines
#   here        this directory
# shellcheck disable=SC2154  # those are set by the sourcing script

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

# The document shows the help lines, on more than one page, within the
# printer's sheet: 612 x 396 points, printable 18 points in from each edge.
check_printed_help() {
    local document=$1 document_name expected pages outside
    document_name=$(basename "$document")
    [[ $(wc -l <"$help_lines") -eq 43 ]] || fail "$help_lines does not hold 43 lines"
    expected=$(sed -e 's/ *$//' "$help_lines" | grep -v '^$')
    diff -u <(echo "$expected") <(printed_text "$document") ||
        fail "$document_name does not show the help lines as expected"
    pages=$(pdfinfo "$document" | awk '/^Pages:/ { print $2 }')
    [[ $pages -ge 2 ]] || fail "$document_name has $pages page(s); the 61 lines need more than one"
    outside=$(words "$document" |
        awk '$2 < 17.5 || $3 < 17.5 || $4 > 594.5 || $5 > 378.5' | head -3)
    [[ -z $outside ]] || fail "$document_name prints outside the printable area: $outside"
}
