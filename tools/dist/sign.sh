#!/usr/bin/env bash
# Signs a Windows program in place: sign.sh CERT.pem KEY.pem FILE. The signing time is
# SOURCE_DATE_EPOCH, so the same input and key give the same signed bytes.
set -euo pipefail
cert=$1 key=$2 file=$3
osslsigncode sign -certs "$cert" -key "$key" -h sha256 -n Velnor \
  -time "${SOURCE_DATE_EPOCH:?}" -in "$file" -out "$file.signed" >/dev/null
mv "$file.signed" "$file"
