#!/bin/bash
# Signing the releases (cmake/sign.cmake) with a throwaway certificate
# authority and code-signing certificate made here by openssl, offline and
# without a timestamp: each architecture's released Tavolin.exe and installer,
# as scripts/package made them, signed (the 64-bit ones with a PKCS#12 file and
# its password file, the 32-bit ones with a PEM key and certificate), and
#   - osslsigncode verify, against the authority, passes for each;
#   - one byte changed in the signed program or installer fails it;
#   - the detached signature attached to the unsigned file gives the signed
#     file byte for byte, as it will for anyone who rebuilds the commit;
#   - without a key the file stays as it was, with no signature beside it.
#
#   sign_test.sh STATE_DIR WINDOWS_BUILD WINDOWS32_BUILD VERSION
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
state=$(realpath -m "$1")
win64=$(realpath "$2")
win32=$(realpath "$3")
version=$4

fail() {
    echo "sign test: $*" >&2
    exit 1
}

rm -rf "$state"
mkdir -p "$state"
cd "$state"
# The authority, and a code-signing certificate it issues.
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
    -subj "/CN=Tavolin test authority" \
    -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
    -subj "/CN=Tavolin test signer" 2>/dev/null
printf '%s\n' basicConstraints=CA:FALSE keyUsage=critical,digitalSignature \
    extendedKeyUsage=codeSigning >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
    -extfile signer.ext -out signer.pem 2>/dev/null
echo "throwaway password" >password
openssl pkcs12 -export -inkey signer.key -in signer.pem -passout file:password -out signer.pfx

# sign FILE KEY-ENVIRONMENT...: signs FILE as scripts/package does.
sign() {
    local file=$1
    shift
    env -u TAVOLIN_SIGN_PFX -u TAVOLIN_SIGN_KEY -u TAVOLIN_SIGN_CERT -u TAVOLIN_SIGN_PASSWORD_FILE \
        -u TAVOLIN_SIGN_TIMESTAMP_URL "$@" \
        cmake -DFILE="$file" -DSIGNATURE="$file.sig" -P "$root/cmake/sign.cmake" >/dev/null
}
verify() { osslsigncode verify -CAfile ca.pem -in "$1" >"$1.verify" 2>&1; }

# A copy of FILE with the byte at OFFSET changed.
flip() {
    cp "$1" "$3"
    local byte
    byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
    printf '%b' "\\$(printf %03o $(((byte + 1) % 256)))" | dd of="$3" bs=1 seek="$2" conv=notrunc status=none
}

# check NAME UNSIGNED CHANGED-OFFSET KEY-ENVIRONMENT...
check() {
    local name=$1 unsigned=$2 offset=$3
    shift 3
    cp "$unsigned" "$name"
    sign "$name" "$@"
    [[ -s $name.sig ]] || fail "$name: no detached signature"
    cmp -s "$name" "$unsigned" && fail "$name: not signed"
    verify "$name" || fail "$name: verification failed: $(cat "$name.verify")"
    flip "$name" "$offset" "changed-$name"
    if verify "changed-$name"; then fail "$name: verified with the byte at $offset changed"; fi
    osslsigncode attach-signature -sigin "$name.sig" -CAfile ca.pem -in "$unsigned" \
        -out "attached-$name" >/dev/null 2>&1 || fail "$name: the signature does not attach"
    cmp "attached-$name" "$name" || fail "$name: the attached signature gives other bytes"
    echo "sign test: $name signed and verified; changed, it fails; its signature attached gives it"
}

# Where a change must tell: in the program, a byte of its code (its first
# section's data); in the installer, one inside the cabinet of its files.
code_offset() {
    local offset
    offset=$(x86_64-w64-mingw32-objdump -h "$1" | awk '$2 == ".text" { print $6; exit }')
    echo $((16#$offset + 64))
}
cabinet_offset() { echo $(($(grep -obUaP 'MSCF\x00\x00\x00\x00' "$1" | head -n1 | cut -d: -f1) + 64)); }

pfx=(TAVOLIN_SIGN_PFX="$state/signer.pfx" TAVOLIN_SIGN_PASSWORD_FILE="$state/password")
pem=(TAVOLIN_SIGN_KEY="$state/signer.key" TAVOLIN_SIGN_CERT="$state/signer.pem")
for exe in "$win64/release/Tavolin.exe" "$win32/release/Tavolin.exe"; do
    osslsigncode extract-signature -in "$exe" -out unexpected.sig >/dev/null 2>&1 &&
        fail "$exe: already signed; make the releases without a key for this test"
done
check Tavolin-win64.exe "$win64/release/Tavolin.exe" "$(code_offset "$win64/release/Tavolin.exe")" "${pfx[@]}"
check Tavolin-win32.exe "$win32/release/Tavolin.exe" "$(code_offset "$win32/release/Tavolin.exe")" "${pem[@]}"
msi64=$win64/Tavolin-$version-win64.msi msi32=$win32/Tavolin-$version-win32.msi
check Tavolin-win64.msi "$msi64" "$(cabinet_offset "$msi64")" "${pfx[@]}"
check Tavolin-win32.msi "$msi32" "$(cabinet_offset "$msi32")" "${pem[@]}"

cp "$msi64" unsigned.msi
touch unsigned.msi.sig
sign unsigned.msi
cmp -s unsigned.msi "$msi64" || fail "changed without a key"
[[ ! -e unsigned.msi.sig ]] || fail "a signature left beside a file made without a key"
echo "sign test: without a key, nothing is signed"
cd /
rm -rf "$state"
