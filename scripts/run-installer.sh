#!/usr/bin/env bash
# `make run`: starts the installer under Wine in its own prefix (build/run-prefix).
# On a display it runs there until the user closes it; on a headless machine it runs under
# Xvfb, waits for the window, saves build/screenshot.png and ends the installer.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
exe=$(realpath "$1")
prefix=$top/build/run-prefix
shot=$top/build/screenshot.png
title="Quillane Plugins : Installation"

# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh"

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  QUILLANE_DISPLAY=$DISPLAY wine_env "$prefix"
  echo "Starting $exe on $DISPLAY"
  exec wine "$exe"
fi

wine_env "$prefix"
log=$(mktemp)
wine "$exe" >"$log" 2>&1 </dev/null &
for _ in $(seq 1 150); do
  win=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
if [ -z "${win:-}" ]; then
  echo "The installer window did not appear." >&2
  cat "$log" >&2
  wineserver -k || true
  exit 1
fi
# Discovery and the first paint finish before the window shows; give the paint a moment.
sleep 1
import -window "$win" "$shot"
wineserver -k || true
wait || true
rm -f "$log"
echo "Screenshot of the installer window: $shot"
