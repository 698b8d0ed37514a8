#!/usr/bin/env bash
# Builds, on the host, a program folder whose tree holds links to folders, as Wine shows host
# symbolic links: "loop" leads back to the program folder, "big" to a deep tree elsewhere.
# usage: make_link_tree.sh DIR
set -eu
dir=$1
rm -rf "$dir"
mkdir -p "$dir/app/sub" "$dir/elsewhere"
echo "[x]" >"$dir/app/photoshop.ini"
echo "[x]" >"$dir/app/sub/photos2.ini"
deep="$dir/elsewhere"
for i in 1 2 3 4 5 6 7 8; do
  for j in a b c; do mkdir -p "$deep/$j"; done
  deep="$deep/a"
done
echo "[x]" >"$deep/photos-elsewhere.ini"
ln -s .. "$dir/app/sub/loop"
ln -s ../elsewhere "$dir/app/big"
echo "link tree ready"
