#!/usr/bin/env bash
# make bench: every figure of the benchmark in one run, each the median of several runs with
# its minimum and maximum, every ratio taken pair by pair. The timed programs are those of the
# build this host runs natively: the 32-bit one where it executes i386 programs, else the
# 64-bit one under wine64. The shipped 32-bit executable is always built for its size.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
runs=${QUILLANE_BENCH_RUNS:-5}
# A start of the installer takes a fraction of a second and now and then one takes twice as
# long as the others: more of them keep the medians of section 1 steady.
window_runs=$((runs * 2 + 1))

if [ "$(QUILLANE_NO_I386=0 bash scripts/i386-mode.sh 2>/dev/null)" = native ]; then
  preset=windows arch=win32
else
  preset=win64 arch=win64
fi
build=$root/build/$preset

echo "Building the benchmark ($preset preset) and the shipped 32-bit installer..."
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j2 --target QuillaneSetup installer_probe discovery_bench \
  paint_bench extraction_bench large_payload seed_machine >/dev/null
if [ "$preset" != windows ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows -j2 --target QuillaneSetup >/dev/null
fi

# shellcheck source=scripts/wine-env.sh
. scripts/wine-env.sh
xstate=$build/bench.xvfb
empty=$build/bench-empty
large=$build/bench-large
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# Runs a Windows program of the build in a prefix; its output through a file, as Wine's
# background processes would hold a pipe open.
in_prefix() {
  local prefix=$1
  shift
  WINEPREFIX=$prefix "$QUILLANE_WINE" "$@" >"$out" 2>&1 </dev/null || { cat "$out"; return 1; }
  cat "$out"
}

# wine_env's status is that of its last step, starting a server that may already run.
(wine_env "$arch" "$empty" "$xstate" || :)
if [ ! -f "$large/.quillane-bench-seeded" ]; then
  echo "Seeding the large synthetic machine (once per build folder)..."
  rm -rf "$large"
  # The server is stopped afterwards: it writes the seeded registry (tens of megabytes) out
  # then, not on its own timer in the middle of the timed starts.
  (wine_env "$arch" "$large" "$xstate" || :
   in_prefix "$large" "$build/bench/seed_machine.exe" | sed 's/^/  /'
   WINEPREFIX=$large "$WINESERVER" -k >/dev/null 2>&1 || :)
  python3 bench/seed_files.py --drive-c "$large/drive_c"
  touch "$large/.quillane-bench-seeded"
fi
wine_env "$arch" "$large" "$xstate" || :
wine_env "$arch" "$empty" "$xstate" || :

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo
echo "Quillane benchmark, $(date -u '+%Y-%m-%d %H:%M UTC'), commit $(git rev-parse --short HEAD 2>/dev/null || echo none)"
echo "Machine: ${cpu:-unknown CPU}, $(nproc) cores, $(uname -sr), $(/usr/lib/wine/wine64 --version 2>/dev/null || echo Wine)"
echo "Timed build: $preset preset ($arch, mingw-w64 $(x86_64-w64-mingw32-g++-posix -dumpversion), Release),"
if [ "$arch" = win64 ]; then loader="Wine's 64-bit loader (wine64)"; else loader="Wine's 32-bit loader"; fi
echo "  run by $loader in private prefixes on an Xvfb display; $runs runs each ($window_runs for section 1)"
echo

echo "1. Time to window (process start to the finished paint of the selection screen, from outside)"
python3 bench/time_to_window.py --exe "$build/QuillaneSetup.exe" \
  --probe "$build/tests/app/installer_probe.exe" --background resources/art/background.bmp \
  --empty "$empty" --large "$large" --runs "$window_runs"
echo

echo "2. Discovery on the large machine (HostProbeSequence in a harness) against its floor"
in_prefix "$large" "$build/bench/discovery_bench.exe" "$runs" 'C:\Corel' 'C:\Adobe\Photoshop'
echo

echo "3. Paint (the real dialog, empty machine)"
in_prefix "$empty" "$build/bench/paint_bench.exe" "$runs" 'C:\bench-paint\'
echo

echo "4. Extraction against CopyFileA"
in_prefix "$empty" "$build/bench/extraction_bench.exe" "$runs" 'C:\bench-extract\' \
  "Z:$build/bench/large_payload.dll"
echo

echo "5. Cancel during the search on the large machine (Escape to the process's end, from outside)"
python3 bench/cancel_to_end.py --exe "$build/QuillaneSetup.exe" \
  --probe "$build/tests/app/installer_probe.exe" --large "$large" --runs "$runs"
echo

echo "6. Size"
/usr/bin/python3 bench/size_report.py --exe build/windows/QuillaneSetup.exe \
  --map build/windows/QuillaneSetup.map --label "shipped 32-bit installer (windows preset)"
if [ "$preset" != windows ]; then
  /usr/bin/python3 bench/size_report.py --exe "$build/QuillaneSetup.exe" \
    --map "$build/QuillaneSetup.map" --label "64-bit build ($preset preset)"
fi
