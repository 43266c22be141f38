#!/bin/sh
# Signs FILE in place with a SHA-256 digest:
#   sign.sh OSSLSIGNCODE PFX [-ts TIMESTAMP_URL] FILE
# The PKCS#12 file's password comes from the environment
# (TAVRIN_SIGNING_PASSWORD), never from a command line.
set -eu
tool=$1 pfx=$2
shift 2
stamp=""
if [ "$1" = -ts ]; then
    stamp=$2
    shift 2
fi
file=$1
if [ -z "${TAVRIN_SIGNING_PASSWORD+set}" ]; then
    echo "sign.sh: set TAVRIN_SIGNING_PASSWORD to the password of $pfx" >&2
    exit 1
fi
set -- -pkcs12 "$pfx" -readpass /dev/stdin -h sha256 -in "$file" -out "$file.signing"
[ -z "$stamp" ] || set -- "$@" -ts "$stamp"
rm -f "$file.signing"
printf '%s' "$TAVRIN_SIGNING_PASSWORD" | "$tool" sign "$@" >/dev/null
mv -f "$file.signing" "$file"
