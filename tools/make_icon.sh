#!/usr/bin/env bash
# Writes the installer's icon, resources/app/quillane.ico: an orange "Q" ring at 16, 32
# and 48 pixels, drawn from shapes so it needs no font.
set -euo pipefail
out=$(cd "$(dirname "$0")/.." && pwd)/resources/app/quillane.ico
convert=/usr/bin/convert
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
$convert -size 192x192 xc:none \
  -fill '#e87a1e' -stroke '#8a3c08' -strokewidth 6 -draw 'circle 92,92 92,16' \
  -fill '#fff4e0' -stroke '#8a3c08' -strokewidth 6 -draw 'circle 92,92 92,52' \
  -stroke '#8a3c08' -strokewidth 26 -draw 'line 118,118 170,170' \
  -stroke '#e87a1e' -strokewidth 14 -draw 'line 120,120 166,166' \
  "$tmp/big.png"
for s in 16 32 48; do
  $convert "$tmp/big.png" -resize ${s}x${s} -define png:exclude-chunks=date,time "$tmp/q$s.png"
done
$convert "$tmp/q16.png" "$tmp/q32.png" "$tmp/q48.png" "$out"
echo "wrote $out"
