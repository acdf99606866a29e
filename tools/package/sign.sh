#!/usr/bin/env bash
# Signs Windows files in place with Authenticode (SHA-256), with the code-signing
# certificate and key of a PKCS#12 file:
#
#   tools/package/sign.sh PFX FILE...
#
# The PFX's password is taken from the environment variable ZELVA_SIGN_PASSWORD
# (empty when unset) and handed to osslsigncode on its standard input, never on
# a command line. ZELVA_SIGN_TIMESTAMP, when set, names an RFC 3161 time-stamp
# server: a time-stamped signature stays valid after the certificate expires.
set -euo pipefail

if [[ $# -lt 2 ]]; then
    echo "usage: $0 PFX FILE..." >&2
    exit 2
fi
pfx=$1
shift
[[ -r "$pfx" ]] || { echo "sign.sh: cannot read the certificate file $pfx" >&2; exit 2; }
timestamp=()
[[ -n "${ZELVA_SIGN_TIMESTAMP:-}" ]] && timestamp=(-ts "$ZELVA_SIGN_TIMESTAMP")

for file in "$@"; do
    signed="$file.signed"
    rm -f "$signed"
    if ! printf '%s' "${ZELVA_SIGN_PASSWORD:-}" |
        osslsigncode sign -pkcs12 "$pfx" -readpass /dev/stdin -h sha256 \
            -n "Zelvacorin" "${timestamp[@]}" -in "$file" -out "$signed" >"$signed.log" 2>&1; then
        cat "$signed.log" >&2
        rm -f "$signed" "$signed.log"
        echo "sign.sh: could not sign $file (wrong password, or no code-signing key in $pfx?)" >&2
        exit 1
    fi
    rm -f "$signed.log"
    mv "$signed" "$file"
    echo "sign.sh: signed $(basename "$file")"
done
