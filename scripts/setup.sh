#!/usr/bin/env bash
# Installs what the build and the tests need, with apt-get, in two stages. First what the
# 64-bit path needs (the build, the native, fuzz and win64 suites, the host-side checks of the
# shipped executable): it must install, or the set-up stops with apt's message. Then Wine's
# 32-bit half, best effort: a registry whose i386 lists lag behind its amd64 ones can refuse
# it for a while, and the 64-bit build then carries the end-to-end tests.
# No step may remove a package. Quiet and quick when all is present.
set -uo pipefail

have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

need=()
have_cmd cmake || need+=(cmake)
have_cmd make || need+=(make)
have_cmd g++ || need+=(g++)
have_cmd i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686 binutils-mingw-w64-i686)
have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)
# The host-side check of the built executables reads them with Debian's python3.
have_pkg python3-pefile || need+=(python3-pefile)
have_pkg googletest || need+=(googletest)
have_pkg libgtest-dev || need+=(libgtest-dev)
have_pkg wine64 || need+=(wine64)
have_pkg fonts-wine || need+=(fonts-wine)
have_cmd Xvfb || need+=(xvfb)
have_cmd xdotool || need+=(xdotool)
have_cmd xauth || need+=(xauth)
have_pkg imagemagick || need+=(imagemagick)
have_cmd python3 || need+=(python3)
have_cmd flock || need+=(util-linux)
have_cmd objdump || need+=(binutils)
# The fuzz targets: Debian's clang and its libFuzzer and sanitizer runtimes.
have_cmd clang++ || need+=(clang)
have_pkg libclang-rt-14-dev || need+=(libclang-rt-14-dev)
# Authenticode signing of the release (make sign) and its test's throwaway certificate.
have_cmd osslsigncode || need+=(osslsigncode)
have_cmd openssl || need+=(openssl)

need32=()
have_pkg wine32:i386 || need32+=(wine32:i386)
have_pkg wine || need32+=(wine)
# Runs the 32-bit Wine loader on hosts that cannot execute i386 programs.
have_cmd qemu-i386 || need32+=(qemu-user)

if [ ${#need[@]} -eq 0 ] && [ ${#need32[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${need[*]} ${need32[*]} (run as root to install them)" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# An index that fails to download (a mirror in the middle of a sync) leaves apt with the
# lists it had; whether the packages then install is what counts.
apt_update() {
  if ! apt-get update -qq >"$log" 2>&1 || grep -q '^E:' "$log"; then
    echo "setup: warning: apt-get update could not read every package list; going on with the others:" >&2
    grep -E '^(E|W):' "$log" | sed 's/^/setup:   /' >&2
  fi
}

# apt's own reason for a refusal: its error lines, else its last line.
apt_reason() {
  local reason
  reason=$(grep -E '^E:' "$log" | sed 's/^E: *//' | paste -sd ' ' -)
  [ -n "$reason" ] || reason=$(tail -n 1 "$log")
  echo "$reason"
}

# Installs or refuses; never removes a package to make room for another.
apt_install() {
  apt-get install -y -qq --no-install-recommends --no-remove "$@" >"$log" 2>&1
}

if [ ${#need[@]} -ne 0 ]; then
  echo "setup: installing ${need[*]}"
  apt_update
  if ! apt_install "${need[@]}"; then
    cat "$log" >&2
    echo "setup: the packages the build needs could not be installed: $(apt_reason)" >&2
    exit 1
  fi
fi

[ ${#need32[@]} -eq 0 ] && exit 0

# A refusal is remembered for a while, so every make does not spend minutes asking again.
state=${QUILLANE_SETUP_STATE:-/var/cache/quillane-setup}
refused=$state/i386-refused
if [ "${QUILLANE_RETRY_I386:-0}" != 1 ] && [ -f "$refused" ]; then
  read -r when reason <"$refused" || true
  if [ -n "${when:-}" ] && [ $(($(date +%s) - when)) -lt 21600 ]; then
    echo "setup: the 32-bit Wine was refused $(((($(date +%s) - when)) / 60)) min ago ($reason); not asked again for six hours (QUILLANE_RETRY_I386=1 asks now): the 32-bit suite is off." >&2
    exit 0
  fi
fi

echo "setup: installing the 32-bit part: ${need32[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt_update
elif [ ${#need[@]} -eq 0 ]; then
  apt_update
fi
if apt_install "${need32[@]}"; then
  rm -f "$refused"
  exit 0
fi

# Multi-arch libraries must have the same version on both architectures. When an amd64
# library is at a version whose i386 twin is not in the lists (one suite's i386 index
# missing, or the machine's libraries older than the lists), ask for one version both
# architectures have, for every such library the 32-bit Wine depends on.
first_reason=$(apt_reason)
names=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
  --no-replaces --no-enhances "${need32[@]}" 2>/dev/null |
  sed -n 's/^\([^ <][^ ]*\):i386$/\1/p' | sort -u)
declare -A installed=()
# Only "Multi-Arch: same" libraries must match; a "foreign" one (dpkg) serves both.
while read -r pkg version multiarch; do
  [ "$multiarch" = same ] && installed[$pkg]=$version
done < <([ -n "$names" ] && dpkg-query -W -f='${Package} ${Version} ${Multi-Arch}\n' \
  $(sed 's/$/:amd64/' <<<"$names") 2>/dev/null)
pins=()
if [ ${#installed[@]} -ne 0 ]; then
  # "name | version | source suite/component arch Packages", newest first.
  offers=$(apt-cache madison $(printf '%s:i386 ' "${!installed[@]}") "${!installed[@]}" 2>/dev/null |
    awk -F' *[|] *' '{ n = $1; sub(/^ */, "", n); sub(/:.*/, "", n); k = split($3, w, " ");
                       print n, w[k - 1], $2 }')
  for pkg in $(printf '%s\n' "${!installed[@]}" | sort); do
    twins=$(awk -v p="$pkg" '$1 == p && $2 == "i386" { print $3 }' <<<"$offers")
    mine=$(awk -v p="$pkg" '$1 == p && $2 == "amd64" { print $3 }' <<<"$offers")
    if grep -qxF "${installed[$pkg]}" <<<"$twins"; then
      version=${installed[$pkg]}
    else
      version=$(grep -xF -f <(echo "$mine") <<<"$twins" | head -n 1)
    fi
    [ -n "$version" ] && pins+=("$pkg:amd64=$version" "$pkg:i386=$version")
  done
fi

if [ ${#pins[@]} -ne 0 ]; then
  echo "setup: the 32-bit part was refused ($first_reason); trying again with one version of each library for both architectures (${#pins[@]} pins)"
  if apt_install --allow-downgrades "${need32[@]}" "${pins[@]}"; then
    rm -f "$refused"
    exit 0
  fi
fi

reason=$(apt_reason)
mkdir -p "$state" && echo "$(date +%s) $reason" >"$refused"
echo "setup: the 32-bit Wine could not be installed ($reason): the 32-bit suite is off; the shipped installer is still built and checked from the file, and the 64-bit build carries the end-to-end tests." >&2
exit 0
