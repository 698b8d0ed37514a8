# Sourced by the Wine helpers: a private prefix, its own Xvfb display and a warm wineserver.
# Never touches the user's ~/.wine, and never uses /usr/bin/wine, which picks the 32-bit
# loader whenever it is installed, whether or not this host can execute it.

QUILLANE_LOADERS=$(cd "$(dirname "${BASH_SOURCE[0]}")/loaders" && pwd)

# wine_env ARCH PREFIX [XVFB_STATE_FILE]
# ARCH is win32 (the shipped i686 build) or win64. Exports WINEPREFIX, WINELOADER,
# WINESERVER, WINEDEBUG, WINEDLLOVERRIDES, DISPLAY and QUILLANE_WINE, the loader that runs
# programs of that ARCH; creates the prefix once (under a lock, so parallel tests wait for
# one creation), starts Xvfb if its display is not running, and keeps a persistent
# wineserver so each run starts quickly.
wine_env() {
  local arch=$1 prefix
  prefix=$(realpath -m "$2")
  local xstate=${3:-$prefix.xvfb}
  export WINEPREFIX=$prefix
  export WINEDEBUG=-all
  # No Mono or Gecko install prompts, no menu entries written to the host.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINESERVER=/usr/lib/wine/wineserver64
  if [ "$arch" = win32 ]; then
    : "${QUILLANE_I386_MODE:=$(bash "$QUILLANE_LOADERS/../i386-mode.sh" 2>/dev/null)}"
    [ "$QUILLANE_I386_MODE" = off ] && QUILLANE_I386_MODE=emulated
    export QUILLANE_I386_MODE
    export WINELOADER=$QUILLANE_LOADERS/wine
  else
    export WINELOADER=$QUILLANE_LOADERS/wine64
  fi
  export QUILLANE_WINE=$WINELOADER
  mkdir -p "$(dirname "$prefix")"

  exec {lockfd}>"$prefix.lock"
  flock "$lockfd"
  _wine_env_xvfb "$xstate" "$lockfd" || { exec {lockfd}>&-; return 1; }
  if [ ! -f "$prefix/.quillane-ready" ]; then
    rm -rf "$prefix"
    (
      exec {lockfd}>&-
      WINELOADER=$QUILLANE_LOADERS/wine64 "$QUILLANE_LOADERS/wine64" wineboot -i >/dev/null 2>&1
      # Without a window manager Wine otherwise waits for one and draws no caption.
      "$QUILLANE_LOADERS/wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >/dev/null 2>&1
      "$WINESERVER" -w
      [ "$arch" = win32 ] && _wine_env_wow64 "$prefix"
      "$WINESERVER" -w
    )
    touch "$prefix/.quillane-ready"
  fi
  # Debian's Wine does not look in its own font folder: without these, "MS Sans Serif" and
  # the other Windows faces fall back to DejaVu Sans and every text measures differently.
  if [ -d /usr/share/wine/fonts ] && [ ! -e "$prefix/drive_c/windows/Fonts/sserife.fon" ]; then
    cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  fi
  # A second persistent server for the same prefix exits at once.
  # Kept warm between runs, and gone ten minutes after the last one.
  (exec {lockfd}>&-; "$WINESERVER" -p600 >/dev/null 2>&1 </dev/null)
  exec {lockfd}>&-
}

# The prefix's 32-bit half. wineboot installs it only when it can start the 32-bit
# rundll32 itself; where the 32-bit loader runs under emulation, it is installed here
# through that loader.
_wine_env_wow64() {
  local prefix=$1 wow=$1/drive_c/windows/syswow64
  [ -e "$wow/rundll32.exe" ] && return 0
  mkdir -p "$wow"
  cp -n /usr/lib/i386-linux-gnu/wine/i386-windows/* "$wow/"
  "$QUILLANE_LOADERS/wine" 'C:\windows\syswow64\rundll32.exe' \
    setupapi,InstallHinfSection Wow64Install 128 '\\?\unix/usr/share/wine/wine.inf' >/dev/null 2>&1
}

_wine_env_xvfb() {
  local state=$1 lockfd=$2 n pid
  if [ -n "${QUILLANE_DISPLAY:-}" ]; then
    export DISPLAY=$QUILLANE_DISPLAY
    return
  fi
  if [ -f "$state" ]; then
    read -r n pid <"$state" || true
    if [ -n "${pid:-}" ] && kill -0 "$pid" 2>/dev/null; then
      export DISPLAY=:$n
      return
    fi
  fi
  # Two prefixes starting at once must not pick the same free display.
  local displayfd
  exec {displayfd}>/tmp/quillane-xvfb.lock
  flock "$displayfd"
  local free=
  for n in $(seq 90 999); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then free=$n; break; fi
  done
  if [ -z "$free" ]; then
    exec {displayfd}>&-
    echo "wine-env: no free X display between :90 and :999 (left-over Xvfb servers?)" >&2
    return 1
  fi
  (exec {lockfd}>&- {displayfd}>&-
   setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
   echo $! >"$state.pid")
  pid=$(cat "$state.pid"); rm -f "$state.pid"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  exec {displayfd}>&-
  # Another program's display would do for a while and then fail strangely: stop here.
  if ! kill -0 "$pid" 2>/dev/null || [ ! -e "/tmp/.X11-unix/X$n" ]; then
    echo "wine-env: Xvfb did not start on display :$n" >&2
    return 1
  fi
  echo "$n $pid" >"$state"
  export DISPLAY=:$n
  # A server started for another display would keep talking to that one.
  if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k >/dev/null 2>&1 || true; fi
}
