#!/usr/bin/env bash
# Test emulator: runs one Windows executable under Wine in a private prefix.
# usage: wine-run.sh ARCH PREFIX PROGRAM.exe [ARGS...]   (ARCH: win32 or win64)
# The program's output goes through a file: Wine's background processes inherit the
# output descriptors and would otherwise hold the caller's pipe open.
set -u
arch=$1
prefix=$2
shift 2
# shellcheck source=scripts/wine-env.sh
. "$(dirname "$0")/wine-env.sh"
wine_env "$arch" "$prefix"
out=$(mktemp)
"$QUILLANE_WINE" "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
