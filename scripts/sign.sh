#!/usr/bin/env bash
# Authenticode-signs the installer in place with osslsigncode, SHA-256 with page hashes.
# usage: sign.sh EXE CERT KEY [PASSWORD_FILE] [TIMESTAMP_URL]
# CERT and KEY are the publisher's own (PEM, or DER/SPC), kept outside the repository.
set -euo pipefail
exe=$1 cert=$2 key=$3 pass=${4:-} timestamp=${5:-}
for f in "$exe" "$cert" "$key"; do
  [ -f "$f" ] || { echo "sign: no file $f" >&2; exit 1; }
done
args=(sign -certs "$cert" -key "$key" -h sha256 -ph -n "Quillane Plugins"
      -i "https://www.quillane.example/")
[ -n "$pass" ] && args+=(-readpass "$pass")
[ -n "$timestamp" ] && args+=(-ts "$timestamp")
signed=$(mktemp "$(dirname "$exe")/.signing.XXXXXX")
trap 'rm -f "$signed"' EXIT
rm -f "$signed"
osslsigncode "${args[@]}" -in "$exe" -out "$signed" >/dev/null
# Replaced only once signing has succeeded, so a failure leaves the unsigned file whole.
mv "$signed" "$exe"
echo "signed $exe"
