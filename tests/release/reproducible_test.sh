#!/bin/bash
# Two builds of the same sources give the same bytes: Tavolin.exe built again
# from nothing in a folder of its own, with its ZIP and installer made there,
# against those of the 64-bit tree the other tests run, which scripts/package
# made. Where a file differs, the bytes that differ are shown.
#
#   reproducible_test.sh WINDOWS_BUILD STATE_DIR VERSION
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
first=$(realpath "$1")
second=$(realpath -m "$2")
release=Tavolin-$3-win64
cd "$root"

# The program as scripts/build builds it, with no date given; the releases
# dated as scripts/package dates them.
rm -rf "$second"
env -u SOURCE_DATE_EPOCH cmake --preset windows -B "$second" >/dev/null
env -u SOURCE_DATE_EPOCH cmake --build "$second" --target Tavolin -j "$(nproc)" >/dev/null
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
export SOURCE_DATE_EPOCH
cmake --build "$second" --target msi >/dev/null
(cd "$second" && cpack -G ZIP >/dev/null)

status=0
for file in Tavolin.exe "$release.zip" "$release.msi"; do
    if cmp -s "$first/$file" "$second/$file"; then
        echo "the same: $file, $(stat -c %s "$second/$file") bytes"
    else
        echo "different: $file (offset, octal bytes of the first build and the second)"
        cmp -l "$first/$file" "$second/$file" | head -n 20 || true
        status=1
    fi
done
rm -rf "$second"
exit $status
