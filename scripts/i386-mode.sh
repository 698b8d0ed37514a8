#!/usr/bin/env bash
# Prints how this host runs 32-bit Windows programs: "native" when Wine's 32-bit loader
# starts, "emulated" when only qemu-user can run it, "off" when QUILLANE_NO_I386=1 asks for
# the 64-bit-only path.
if [ "${QUILLANE_NO_I386:-0}" = 1 ]; then
  echo off
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo native
else
  echo emulated
fi
