#!/usr/bin/env bash
# The signed package, as a vendor makes it and a workstation receives it: a
# throwaway code-signing certificate, the package built with --sign, every
# signed file verified (its signature, its certificate's use, the SHA-256
# digest over the file), the package installed under Wine on a prefix of its
# own and the installed programs verified again, and a file changed after
# signing caught. Also: a build without a certificate says it is unsigned, and
# a wrong password stops the build.
#
#   tests/package/signing.sh SOURCE_ROOT BIN_DIR WORK_DIR
#
# The last line counts the checks: "N passed, N failed".
source "$(dirname "$0")/round_start.sh"
package="$source_root/tools/package/package.sh"

fails() { ! "$@"; }
contains() { grep -q -- "$2" <<<"$1" || { echo "  no \"$2\" in: $1"; return 1; }; }

# A file's Authenticode signature checked against the test certificate: the
# signature and the digest over the file, SHA-256, made by that certificate for
# code signing.
verified() {
    local file=$1 report signer
    report="$(osslsigncode verify -CAfile "$work/cert.pem" -in "$file" 2>&1)" || return 1
    contains "$report" "Message digest algorithm *: SHA256" || return 1
    contains "$report" "Signature verification: ok" || return 1
    rm -f "$work/signature.pem"
    osslsigncode extract-signature -pem -in "$file" -out "$work/signature.pem" >/dev/null 2>&1 || return 1
    signer="$(openssl pkcs7 -in "$work/signature.pem" -print_certs 2>/dev/null | openssl x509 -noout -fingerprint -sha256 -ext extendedKeyUsage 2>&1)"
    contains "$signer" "Code Signing" && contains "$signer" "$(openssl x509 -in "$work/cert.pem" -noout -fingerprint -sha256)"
}

echo "== A throwaway code-signing certificate"
password="throwaway $RANDOM"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 \
    -subj "/CN=Zelvacorin test signer" -addext "keyUsage=critical,digitalSignature" \
    -addext "extendedKeyUsage=codeSigning" >/dev/null 2>&1
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/signer.pfx" \
    -passout "pass:$password" >/dev/null 2>&1
check "the certificate is made" test -s "$work/signer.pfx"

tree="$work/tree"
cp -r "$source_root/install" "$tree"
mkdir -p "$tree/Tessalo/Images" && printf 'stand-in picture' >"$tree/Tessalo/Images/3iaoftt.jpg"

echo "== Unsigned, signed, and a wrong password"
said="$("$package" 1.0.3 "$tree" "$bin" "$work/unsigned.msi" 2>&1)"
check "a build without a certificate says it is unsigned" contains "$said" "UNSIGNED"
check "an unsigned package carries no signature" fails verified "$work/unsigned.msi"
ZELVA_SIGN_PASSWORD="not $password" "$package" 1.0.3 "$tree" "$bin" "$work/wrong.msi" --sign "$work/signer.pfx" >"$work/wrong.log" 2>&1
check "a wrong password stops the build" test $? -ne 0
check "a wrong password is said" contains "$(cat "$work/wrong.log")" "could not sign"
ZELVA_SIGN_PASSWORD="$password" "$package" 1.0.3 "$tree" "$bin" "$work/signed.msi" --sign "$work/signer.pfx" >"$work/signed.log" 2>&1
check "the signed build succeeds" test $? -eq 0
check "the package is signed" verified "$work/signed.msi"
check "the built programs are left unsigned" fails verified "$bin/Zelvacorin.dll"

echo "== Every program in the package"
mkdir -p "$work/files" "$work/streams"
msiextract -C "$work/files" "$work/signed.msi" >/dev/null
(cd "$work/streams" && msidump -s "$work/signed.msi" >/dev/null 2>&1)
# The custom action's library is the package's Binary stream SetupActions (make_wxs.py).
for packed in "files/Program Files/Ombrivale/Tessalo/Zelvacorin.dll" \
    "files/Program Files/Ombrivale/Tessalo/zelva-tables.exe" "streams/_Streams/Binary.SetupActions"; do
    check "$(basename "$packed") is in the package" test -f "$work/$packed"
    check "$(basename "$packed") is signed in the package" verified "$work/$packed"
done

echo "== Installed under Wine"
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
wine msiexec /i "$(winepath -w "$work/signed.msi")" /qn >/dev/null 2>&1
check "the signed package installs" test $? -eq 0
for program in Zelvacorin.dll zelva-tables.exe; do
    check "$program verifies as installed" verified "$installed/$program"
done
wine msiexec /x "$(winepath -w "$work/signed.msi")" /qn >/dev/null 2>&1
wineserver -w

echo "== Changed after signing"
cp "$work/files/Program Files/Ombrivale/Tessalo/Zelvacorin.dll" "$work/changed.dll"
printf '\x90' | dd of="$work/changed.dll" bs=1 seek=4096 conv=notrunc 2>/dev/null
check "a changed byte in the DLL fails verification" fails verified "$work/changed.dll"
cp "$work/signed.msi" "$work/changed.msi"
msibuild "$work/changed.msi" -q "UPDATE Property SET Value = '9.9.9' WHERE Property = 'ProductVersion'"
check "a changed package fails verification" fails verified "$work/changed.msi"

echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
