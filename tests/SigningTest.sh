#!/bin/sh
# Signs a copy of Setup.exe with a throwaway certificate, checks the
# signature and that nothing else of the program changed, checks that a
# failed signing leaves the program alone, then installs and removes
# Varnolt with the signed copy under Wine.
#   tests/SigningTest.sh BUILD_DIR OBJDUMP
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$1 objdump=$2
work="$build/signing-test"
rm -rf "$work"
mkdir -p "$work/media"
passed=0 failed=0
check() {
    if [ "$1" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $2"; fi
}

openssl req -x509 -newkey rsa:2048 -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=Signing test" -passout pass:test-password >/dev/null 2>&1
openssl pkcs12 -export -in "$work/cert.pem" -inkey "$work/key.pem" -passin pass:test-password \
    -out "$work/cert.p12" -passout pass:test-password >/dev/null 2>&1
cp "$build/media/"* "$work/media/"
unsigned="$build/Setup.exe"

# PEM certificate and key; then a PKCS#12 file.
SIGN_PASSWORD=test-password "$root/scripts/sign" "$work/media/Setup.exe" "$work/cert.pem" "$work/key.pem" >/dev/null
check $? "signing with a PEM certificate and key"
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/media/Setup.exe" >"$work/verify.txt" 2>&1
check $? "the signature verifies against the certificate: $(tail -3 "$work/verify.txt")"
grep -q "Message digest algorithm *: *SHA256" "$work/verify.txt"
check $? "the digest is SHA-256"
# Resources (the version block among them) and code are the unsigned ones.
for section in .rsrc .text; do
    LC_ALL=C "$objdump" -s -j "$section" "$unsigned" | tail -n +4 >"$work/unsigned$section"
    LC_ALL=C "$objdump" -s -j "$section" "$work/media/Setup.exe" | tail -n +4 >"$work/signed$section"
    cmp -s "$work/unsigned$section" "$work/signed$section"
    check $? "section $section is unchanged by signing"
done
cp "$unsigned" "$work/p12.exe"
SIGN_PASSWORD=test-password "$root/scripts/sign" "$work/p12.exe" "$work/cert.p12" >/dev/null
check $? "signing with a PKCS#12 file"
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/p12.exe" >/dev/null 2>&1
check $? "the PKCS#12 signature verifies"

# Failures: non-zero, a message, the program untouched, nothing left over.
cp "$unsigned" "$work/wrong.exe"
SIGN_PASSWORD=wrong "$root/scripts/sign" "$work/wrong.exe" "$work/cert.p12" >/dev/null 2>"$work/wrong.txt"
[ $? -ne 0 ] && grep -q "sign: signing .* failed" "$work/wrong.txt"
check $? "a wrong password fails with a message"
cmp -s "$unsigned" "$work/wrong.exe"
check $? "a failed signing leaves the program as it was"
[ -z "$(find "$work" -name '*.signing.*')" ]
check $? "a failed signing leaves no temporary file"
"$root/scripts/sign" "$work/wrong.exe" "$work/missing.p12" 2>"$work/missing.txt"
[ $? -ne 0 ] && grep -q "no certificate" "$work/missing.txt"
check $? "a missing certificate fails with a message"

# The signed program does the whole road: install, product start, removal.
media=$(winepath -w "$work/media" 2>/dev/null)
"$root/scripts/wine-run" "$build/tests/demo_driver.exe" walk "$media" signed >/dev/null
check $? "the signed Setup.exe installs and removes Varnolt"
rm -rf "$WINEPREFIX/drive_c/Program Files/VarnX"

echo "signed Setup.exe: $(stat -c %s "$work/media/Setup.exe") bytes (unsigned $(stat -c %s "$unsigned"))"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
