#!/usr/bin/env bash
# Writes the installer's icon, resources/app/quillane.ico: an orange "Q" ring at 16, 32
# and 48 pixels, drawn from shapes so it needs no font. Each size is stored as a PNG, which
# Windows reads in icons since Vista: a third of the bytes of the same pixels uncompressed.
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
  $convert "$tmp/big.png" -resize ${s}x${s} -depth 8 -strip -define png:color-type=6 \
    -define png:compression-level=9 -define png:exclude-chunks=date,time "$tmp/q$s.png"
done
/usr/bin/python3 - "$out" "$tmp"/q16.png "$tmp"/q32.png "$tmp"/q48.png <<'PY'
import struct, sys
out, pngs = sys.argv[1], [open(p, "rb").read() for p in sys.argv[2:]]
head = struct.pack("<HHH", 0, 1, len(pngs))
offset, entries = 6 + 16 * len(pngs), b""
for png in pngs:
    width, height = struct.unpack(">II", png[16:24])
    entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(png), offset)
    offset += len(png)
open(out, "wb").write(head + entries + b"".join(pngs))
PY
echo "wrote $out"
