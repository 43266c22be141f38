#!/bin/sh
# Signs FILE in place: sign.sh OSSLSIGNCODE PFX TIMESTAMP_URL FILE, with a
# SHA-256 digest; the PKCS#12 file's password comes from the environment
# (TAVRIN_SIGNING_PASSWORD), never from a command line. TIMESTAMP_URL may
# be empty.
set -eu
tool=$1 pfx=$2 stamp=$3 file=$4
if [ -z "${TAVRIN_SIGNING_PASSWORD+set}" ]; then
    echo "sign.sh: set TAVRIN_SIGNING_PASSWORD to the password of $pfx" >&2
    exit 1
fi
set -- -pkcs12 "$pfx" -readpass /dev/stdin -h sha256 -in "$file" -out "$file.signing"
[ -z "$stamp" ] || set -- "$@" -ts "$stamp"
rm -f "$file.signing"
printf '%s' "$TAVRIN_SIGNING_PASSWORD" | "$tool" sign "$@" >/dev/null
mv -f "$file.signing" "$file"
