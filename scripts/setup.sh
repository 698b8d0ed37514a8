#!/usr/bin/env bash
# Installs what the build and the tests need, with apt-get. Quiet and quick when all is present.
set -euo pipefail

need=()
have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

have_cmd cmake || need+=(cmake)
have_cmd make || need+=(make)
have_cmd g++ || need+=(g++)
have_cmd i686-w64-mingw32-g++-posix || need+=(g++-mingw-w64-i686 binutils-mingw-w64-i686)
have_cmd x86_64-w64-mingw32-g++-posix || need+=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64)
# Runs the 32-bit Wine loader on hosts that cannot execute i386 programs.
have_cmd qemu-i386 || need+=(qemu-user)
# The host-side check of the built executables reads them with Debian's python3.
have_pkg python3-pefile || need+=(python3-pefile)
have_pkg googletest || need+=(googletest)
have_pkg libgtest-dev || need+=(libgtest-dev)
have_pkg wine64 || need+=(wine64)
have_pkg wine32:i386 || need+=(wine32:i386)
have_pkg wine || need+=(wine)
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

if [ ${#need[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${need[*]} (run as root to install them)" >&2
  exit 1
fi

echo "setup: installing ${need[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
