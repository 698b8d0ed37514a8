#!/usr/bin/env bash
# Builds the installer twice from the same sources, in two folders of different names, and
# compares the SHA-256 of the two executables: a release must be rebuildable byte for byte.
# usage: reproducible-build.sh [TOOLCHAIN]   (default: the shipped 32-bit one)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
toolchain=${1:-cmake/mingw-i686.cmake}
work=$(mktemp -d /tmp/quillane-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT

sums=()
for place in first/src second-build-folder/quillane-source; do
  src=$work/$place
  mkdir -p "$src"
  # The tracked files only: what a checkout of the commit holds.
  if git -C "$top" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$top" ls-files -z | (cd "$top" && tar --null -T - -cf -) | tar -xf - -C "$src"
  else
    (cd "$top" && tar --exclude=./build -cf - .) | tar -xf - -C "$src"
  fi
  cmake -S "$src" -B "$src/out" -DCMAKE_TOOLCHAIN_FILE="$src/$toolchain" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$src/out" -j2 --target QuillaneSetup >/dev/null
  sum=$(sha256sum "$src/out/QuillaneSetup.exe" | cut -d' ' -f1)
  echo "$sum  $place/out/QuillaneSetup.exe"
  sums+=("$sum")
done
if [ "${sums[0]}" = "${sums[1]}" ]; then
  echo "reproducible: both builds are byte for byte the same"
else
  echo "NOT reproducible: the two builds differ"
  exit 1
fi
