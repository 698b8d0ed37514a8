#!/usr/bin/env bash
# Runs one fuzz target for a bounded time over its committed seed corpus.
# usage: run-fuzz.sh TARGET CORPUS SECONDS
# New inputs go to a scratch folder, never into the committed corpus; a crash is saved
# beside the build as crash-<target>-<hash> and fails the run.
set -u
target=$1
corpus=$2
seconds=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
name=$(basename "$target")
"$target" "$scratch" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$(dirname "$target")/crash-$name-" 2>&1
rc=${PIPESTATUS[0]}
exit "$rc"
