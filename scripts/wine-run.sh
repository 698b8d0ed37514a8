#!/usr/bin/env bash
# Test emulator: runs one Windows executable under Wine in a private prefix.
# usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# The program's output goes through a file: Wine's background processes inherit the
# output descriptors and would otherwise hold the caller's pipe open.
set -u
prefix=$1
shift
# shellcheck source=scripts/wine-env.sh
. "$(dirname "$0")/wine-env.sh"
wine_env "$prefix"
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
rc=$?
cat "$out"
rm -f "$out"
exit $rc
