#!/usr/bin/env bash
# Prints how this host runs 32-bit Windows programs: "native" when Wine's 32-bit loader
# starts, "emulated" when it is installed but only qemu-user can run it, "off" when there is
# no way to run it or QUILLANE_NO_I386=1 asks for the 64-bit-only path. Why it is off goes to
# standard error.
loader=/usr/lib/wine/wine
if [ "${QUILLANE_NO_I386:-0}" = 1 ]; then
  echo "QUILLANE_NO_I386=1" >&2
  echo off
elif [ ! -x "$loader" ] || [ ! -d /usr/lib/i386-linux-gnu/wine ]; then
  echo "the 32-bit Wine (wine32:i386) is not installed" >&2
  echo off
elif "$loader" --version >/dev/null 2>&1; then
  echo native
elif ! command -v qemu-i386 >/dev/null 2>&1; then
  echo "this host cannot execute i386 programs and qemu-user is not installed" >&2
  echo off
else
  echo emulated
fi
