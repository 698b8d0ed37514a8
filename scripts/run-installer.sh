#!/usr/bin/env bash
# `make run`: starts the installer under Wine in its own prefix (build/run-prefix).
# Usage: run-installer.sh EXE [win32|win64]; win32, the shipped build, by default.
# On a display it runs there until the user closes it; on a headless machine it runs under
# Xvfb, waits for the window, saves build/screenshot.png and ends the installer.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
exe=$(realpath "$1")
arch=${2:-win32}
prefix=$top/build/run-prefix
[ "$arch" = win64 ] && prefix=$top/build/run-prefix-win64
shot=$top/build/screenshot.png
title="Quillane Plugins : Installation"

# shellcheck source=scripts/wine-env.sh
. "$here/wine-env.sh"

# The shipped installer is 32-bit: run by Wine's 32-bit loader, under qemu-user where this
# host cannot execute i386 programs.
if [ "$arch" = win32 ]; then
  mode=$(bash "$here/i386-mode.sh" 2>/dev/null)
  [ "$mode" = off ] && mode=emulated
  export QUILLANE_I386_MODE=$mode
  if [ "$mode" = emulated ]; then
    echo "This host cannot execute 32-bit programs: the installer runs under qemu-user emulation."
  fi
fi

if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  QUILLANE_DISPLAY=$DISPLAY wine_env "$arch" "$prefix"
  echo "Starting $exe on $DISPLAY"
  exec "$QUILLANE_WINE" "$exe"
fi

wine_env "$arch" "$prefix"
log=$(mktemp)
"$QUILLANE_WINE" "$exe" >"$log" 2>&1 </dev/null &
for _ in $(seq 1 150); do
  win=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.2
done
if [ -z "${win:-}" ]; then
  echo "The installer window did not appear." >&2
  cat "$log" >&2
  "$WINESERVER" -k || true
  exit 1
fi
# Discovery and the first paint finish before the window shows; give the paint a moment.
sleep 1
import -window "$win" "$shot"
"$WINESERVER" -k || true
wait || true
rm -f "$log"
echo "Screenshot of the installer window: $shot"
