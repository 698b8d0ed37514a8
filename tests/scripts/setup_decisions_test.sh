#!/usr/bin/env bash
# The set-up's decisions against stand-ins for apt-get, apt-cache, dpkg and dpkg-query that
# answer as the package registry did on a bad day. No registry is asked, nothing installed.
set -uo pipefail
setup=$(cd "$(dirname "$0")/../.." && pwd)/scripts/setup.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

cmds64="cmake make g++ i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix Xvfb xdotool
  xauth python3 flock objdump clang++ osslsigncode openssl"
pkgs64="python3-pefile googletest libgtest-dev wine64 fonts-wine imagemagick libclang-rt-14-dev"
pkgs32="wine32:i386 wine"
gst=libgstreamer-plugins-base1.0-0

# make_case DIR: the stand-ins, answering from the files of DIR (see each case below).
make_case() {
  local dir=$1 bin=$1/bin tool
  mkdir -p "$bin"
  for tool in bash env grep sed awk mktemp paste tail head sort cat rm date mkdir; do
    ln -s "$(command -v "$tool")" "$bin/$tool"
  done
  printf '#!/bin/sh\necho 0\n' >"$bin/id"
  cat >"$bin/apt-get" <<EOF
#!/bin/bash
echo "apt-get \$*" >>"$dir/apt.log"
case \$1 in
  update) [ -f "$dir/update.out" ] && cat "$dir/update.out"; exit \$(cat "$dir/update.rc" 2>/dev/null || echo 0);;
  install)
    n=\$(( \$(cat "$dir/attempts" 2>/dev/null || echo 0) + 1 )); echo \$n >"$dir/attempts"
    answer=\$(sed -n "\${n}p" "$dir/install.answers")
    case \$answer in
      ok) exit 0;;
      # apt's answer when the 32-bit half would take the 64-bit Wine away
      removes) if [[ " \$* " == *" --no-remove "* ]]; then
                 echo "E: Packages need to be removed but remove is disabled."; exit 100; fi
               echo "REMOVED wine64 libwine:amd64" >>"$dir/apt.log"; exit 0;;
      *) echo "E: \$answer"; exit 100;;
    esac;;
esac
EOF
  cat >"$bin/apt-cache" <<EOF
#!/bin/bash
case \$1 in
  depends) cat "$dir/depends" 2>/dev/null;;
  madison) cat "$dir/madison" 2>/dev/null;;
esac
EOF
  cat >"$bin/dpkg" <<EOF
#!/bin/bash
echo "dpkg \$*" >>"$dir/apt.log"
[ "\$1" = --print-foreign-architectures ] && echo i386
exit 0
EOF
  cat >"$bin/dpkg-query" <<EOF
#!/bin/bash
format=\$2; shift 2
for p in "\$@"; do
  if [[ \$format == *Status* ]]; then
    grep -qxF "\$p" "$dir/installed" && printf 'install ok installed' && exit 0; exit 1
  fi
  grep "^\${p%:amd64} " "$dir/versions" 2>/dev/null
done
EOF
  chmod +x "$bin"/*
}

present() { # present DIR CMD... : the commands the set-up checks for
  local c
  for c in "${@:2}"; do printf '#!/bin/sh\n' >"$1/bin/$c"; chmod +x "$1/bin/$c"; done
}

# check NAME DIR RC_EXPECTED 'out-pattern|...' 'apt-pattern|...' ['absent-pattern']
check() {
  local name=$1 dir=$2 want_rc=$3 out_pats=$4 apt_pats=$5 absent=${6:-} rc fault=
  PATH=$dir/bin QUILLANE_SETUP_STATE=$dir/state "$(command -v bash)" "$setup" >"$dir/out" 2>&1
  rc=$?
  [ "$rc" -eq "$want_rc" ] || fault+=" exit $rc, wanted $want_rc;"
  local IFS='|' p
  for p in $out_pats; do grep -qF -- "$p" "$dir/out" || fault+=" no output line with '$p';"; done
  for p in $apt_pats; do grep -qF -- "$p" "$dir/apt.log" 2>/dev/null || fault+=" apt not asked '$p';"; done
  if [ -n "$absent" ] && grep -qF -- "$absent" "$dir/out" "$dir/apt.log" 2>/dev/null; then
    fault+=" '$absent' seen;"
  fi
  # Never a removal, and every install refuses to make room by removing.
  if grep -qE 'REMOVED| remove | purge | autoremove ' "$dir/apt.log" 2>/dev/null ||
    grep 'apt-get install' "$dir/apt.log" 2>/dev/null | grep -qv -- '--no-remove'; then
    fault+=" a package was removed or could be;"
  fi
  if [ -n "$fault" ]; then
    failed=$((failed + 1))
    echo "FAIL: $name:$fault"
    sed 's/^/    out: /' "$dir/out"
    sed 's/^/    log: /' "$dir/apt.log" 2>/dev/null
  else
    passed=$((passed + 1))
    echo "ok: $name"
  fi
}

# One case a row: name, what is missing, apt update's answer, the install attempts' answers.
new_case() { # new_case NAME MISSING_CMDS MISSING_PKGS UPDATE_RC ANSWERS...
  local dir=$work/$1 p
  make_case "$dir"
  present "$dir" qemu-i386 $(tr ' ' '\n' <<<"$cmds64" | grep -vxF -f <(tr ' ' '\n' <<<"$2"))
  for p in $pkgs64 $pkgs32; do grep -qxF "$p" <<<"$(tr ' ' '\n' <<<"$3")" || echo "$p"; done >"$dir/installed"
  echo "$4" >"$dir/update.rc"
  [ "$4" -ne 0 ] && printf '%s\n' \
    "E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" \
    "E: Some index files failed to download. They have been ignored, or old ones used instead." \
    >"$dir/update.out"
  printf '%s\n' "${@:5}" >"$dir/install.answers"
  # The 32-bit Wine's one library whose amd64 twin is at a version the i386 lists lack.
  printf '%s\n' "wine32:i386" "  Depends: libwine:i386" "libwine:i386" "  Depends: $gst:i386" \
    "$gst:i386" "<libfoo:i386>" >"$dir/depends"
  printf '%s\n' "$gst 1.22.0-3+deb12u7 same" "libwine 8.0~repack-4 same" >"$dir/versions"
  printf '%s\n' "$gst:i386 | 1.22.0-3+deb12u6 | http://deb.example/debian bookworm/main i386 Packages" \
    "libwine:i386 | 8.0~repack-4 | http://deb.example/debian bookworm/main i386 Packages" \
    "   $gst | 1.22.0-3+deb12u7 | http://deb.example/debian-security bookworm-security/main amd64 Packages" \
    "   $gst | 1.22.0-3+deb12u6 | http://deb.example/debian bookworm/main amd64 Packages" \
    "   libwine | 8.0~repack-4 | http://deb.example/debian bookworm/main amd64 Packages" \
    >"$dir/madison"
  echo "$dir"
}

d=$(new_case present "" "" 0)
check "everything present: nothing asked, nothing said" "$d" 0 "" "" "setup"

d=$(new_case index-fails "xdotool" "" 100 ok)
check "an index fails in update: a warning with apt's line, then the install" "$d" 0 \
  "warning|File has unexpected size" "apt-get update|apt-get install -y -qq --no-install-recommends --no-remove xdotool"

d=$(new_case pinned-retry "" "$pkgs32" 0 removes ok)
check "the 32-bit part refused, then installed with one version for both architectures" "$d" 0 \
  "remove is disabled" \
  "--allow-downgrades wine32:i386 wine $gst:amd64=1.22.0-3+deb12u6 $gst:i386=1.22.0-3+deb12u6 libwine:amd64=8.0~repack-4" \
  "could not be installed"

d=$(new_case refused-twice "" "$pkgs32" 0 removes "Unable to correct problems, you have held broken packages.")
check "the 32-bit part refused twice: one line, the 32-bit suite off" "$d" 0 \
  "the 32-bit Wine could not be installed (Unable to correct problems, you have held broken packages.): the 32-bit suite is off" \
  "--allow-downgrades"
rm -f "$d/apt.log"
check "a refusal is not asked again at the next make" "$d" 0 "not asked again" "" "apt-get install"

d=$(new_case base-refused "xdotool" "$pkgs32" 0 "Unable to locate package xdotool")
check "the 64-bit part refused: stop with apt's message" "$d" 1 \
  "E: Unable to locate package xdotool|could not be installed: Unable to locate package xdotool" "" "wine32:i386"

echo "setup-decisions: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
