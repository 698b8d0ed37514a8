#!/usr/bin/env bash
# Mounts, or unmounts, a small nearly full file system for the full-disk test: a 1 MB tmpfs
# holding an older plug-in and a filler that leaves about 200 KB free.
# usage: small_disk.sh mount|unmount DIR, or small_disk.sh run DIR COMMAND... to run the test
# only where the file system is mounted.
set -u
dir=$2
case $1 in
  run)
    if ! mountpoint -q "$dir"; then
      echo "no small file system: mounting needs root"
      exit 0
    fi
    shift 2
    exec "$@"
    ;;
  mount)
    mountpoint -q "$dir" && umount "$dir"
    mkdir -p "$dir"
    if ! mount -t tmpfs -o size=1m tmpfs "$dir" 2>/dev/null; then
      echo "no small file system: mount needs root; the full-disk test is skipped"
      exit 0
    fi
    printf 'an older plug-in' >"$dir/TiraventBellcove.8bf"
    head -c $((800 * 1024)) /dev/zero >"$dir/filler"
    echo "small file system mounted at $dir"
    ;;
  unmount)
    mountpoint -q "$dir" && umount "$dir"
    rmdir "$dir" 2>/dev/null
    echo "small file system gone"
    ;;
esac
