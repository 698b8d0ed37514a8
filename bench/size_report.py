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


# Subsystem of each product library, as the source tree groups them.
SUBSYSTEMS = [
    ("quillane_dialog_access", "app: keyboard and screen reader"),
    ("quillane_app_rules", "app: messages and folder rules"),
    ("quillane_app", "app: dialog, picker, home page"),
    ("QuillaneSetup.dir", "app: entry, runtime hooks"),
    ("quillane_payload", "payload"),
    ("quillane_discovery", "discovery"),
    ("quillane_skin", "skin"),
    ("quillane_controls", "controls"),
    ("quillane_text", "text"),
]


def code_by_subsystem(map_path):
    """Bytes of .text, .rdata and .data in the linked image, by the subsystem they came from,
    read from the link map after the linker dropped what nothing uses."""
    if not map_path or not os.path.exists(map_path):
        return None
    with open(map_path) as f:
        text = f.read()
    at = text.find("Linker script and memory map")
    if at < 0:
        return None
    totals = {}
    section = None  # an input section whose name took the whole line; its figures follow
    for line in text[at:].splitlines():
        whole = re.match(
            r"^ ?(\.(?:text|rdata|data))\S*(?:\s+0x[0-9a-f]+\s+(0x[0-9a-f]+)\s+(\S+))?$", line)
        follow = re.match(r"^\s+0x[0-9a-f]+\s+(0x[0-9a-f]+)\s+(\S+)$", line)
        if whole and whole.group(2):
            name, size, source = whole.groups()
        elif follow and section:
            name, (size, source) = section, follow.groups()
        else:
            section = whole.group(1) if whole else None
            continue
        section = None
        group = next((label for key, label in SUBSYSTEMS if key in source), "system libraries")
        totals.setdefault(group, {}).setdefault(name, 0)
        totals[group][name] += int(size, 16)
    return totals


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
    imports = sum(len(d.imports) for d in getattr(pe, "DIRECTORY_ENTRY_IMPORT", []))
    print("      (.idata: %d functions imported from %d system DLLs)" %
          (imports, len(getattr(pe, "DIRECTORY_ENTRY_IMPORT", []))))
    by_subsystem = code_by_subsystem(args.map)
    if by_subsystem:
        print("    where the code and constants go (link map; .text / .rdata / .data):")
        for group, parts in sorted(by_subsystem.items(), key=lambda kv: -sum(kv[1].values())):
            print("      %-38s %6d  (%d / %d / %d)" % (
                group, sum(parts.values()), parts.get(".text", 0), parts.get(".rdata", 0),
                parts.get(".data", 0)))
    objects = runtime_objects(args.map)
    if objects is not None:
        print("    C++ runtime objects linked: %s" % (", ".join(objects) if objects else "none"))


if __name__ == "__main__":
    main()
