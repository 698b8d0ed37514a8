#!/usr/bin/python3
"""Prints the size figures of a built installer: file size, payload bytes, art bytes, program
bytes (size - payload - art), each section's size, and what the link map says of the C++
runtime library."""
import argparse
import os
import re

import pefile

PAYLOAD_TYPE = 3000
RT_CURSOR, RT_BITMAP, RT_GROUP_CURSOR = 1, 2, 12
GOAL_PROGRAM_BYTES = 32 * 1024


def resource_bytes(pe):
    payload = art = 0
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for entry in kind.directory.entries:
            for lang in entry.directory.entries:
                size = lang.data.struct.Size
                if kind.id == PAYLOAD_TYPE:
                    payload += size
                elif kind.id in (RT_BITMAP, RT_CURSOR, RT_GROUP_CURSOR):
                    art += size
    return payload, art


def runtime_objects(map_path):
    """Objects the link took from the C++ runtime and its unwinder."""
    if not map_path or not os.path.exists(map_path):
        return None
    found = set()
    with open(map_path) as f:
        for line in f:
            m = re.search(r"(libstdc\+\+|libsupc\+\+|libgcc_eh)\.a\(([^)]+)\)", line)
            if m:
                found.add(m.group(1) + ":" + m.group(2))
    return sorted(found)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--exe", required=True)
    ap.add_argument("--label", required=True)
    ap.add_argument("--map")
    args = ap.parse_args()
    size = os.path.getsize(args.exe)
    pe = pefile.PE(args.exe)
    payload, art = resource_bytes(pe)
    program = size - payload - art
    print("  %s (%s)" % (args.label, args.exe))
    print("    file size        %10d bytes" % size)
    print("    payload          %10d bytes" % payload)
    print("    art              %10d bytes" % art)
    print("    program          %10d bytes (%.1f KiB; goal <= 32 KiB: %s)" %
          (program, program / 1024.0, "met" if program <= GOAL_PROGRAM_BYTES else "MISSED"))
    print("    sections (raw size in the file):")
    for s in pe.sections:
        print("      %-8s %10d" % (s.Name.rstrip(b"\0").decode(), s.SizeOfRawData))
    rsrc_other = next((s.SizeOfRawData for s in pe.sections
                       if s.Name.startswith(b".rsrc")), 0) - payload - art
    print("      (.rsrc without payload and art: %d: dialog, icon, manifest, version, "
          "directory)" % rsrc_other)
    objects = runtime_objects(args.map)
    if objects is not None:
        print("    C++ runtime objects linked: %s" % (", ".join(objects) if objects else "none"))


if __name__ == "__main__":
    main()
