#!/usr/bin/python3
"""Checks a built installer as Windows will load it, from the file alone (no Wine needed).

A GUI program of the expected machine that imports only system DLLs and carries, under
their names, the whole payload, the skin's pictures and cursor, the dialog, a manifest that
asks for administrator rights, the version information and the icon; linked with the
protections an elevated program needs, without a time stamp, for the oldest Windows its
manifest names. Prints one line per check and 'N passed, N failed'.
"""
import argparse
import os
import re
import sys

import pefile

# Known DLLs only: Windows maps these from the system folder whatever lies beside the
# program. Any other DLL imported by name is looked up in the program's own folder first,
# before the installer can restrict the search: a Downloads folder anyone can write to.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
               "msvcrt.dll", "ole32.dll", "oleaut32.dll", "comdlg32.dll", "shlwapi.dll"}
SKIN_BITMAPS = {117: "background.bmp", 128: "check_strip.bmp", 203: "button_cancel.bmp",
                213: "logo.bmp", 219: "button_install.bmp", 220: "button_enjoy.bmp"}
PAYLOAD_TYPE = 3000
US_ENGLISH = 1033
RT_CURSOR, RT_BITMAP, RT_ICON, RT_DIALOG = 1, 2, 3, 5
RT_GROUP_CURSOR, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 12, 14, 16, 24

# The systems a manifest's supportedOS entries name, as subsystem versions.
SUPPORTED_OS = {
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": (6, 1),  # Windows 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": (6, 2),  # Windows 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": (6, 3),  # Windows 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": (10, 0),  # Windows 10 and 11
}
DLL_FLAGS = pefile.DLL_CHARACTERISTICS

# The processor a manifest names for each machine type: Windows refuses to start a program
# whose own manifest names another.
MANIFEST_ARCH = {pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"]: "x86",
                 pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"]: "amd64"}

MACHINES = {
    "win32": (pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], pefile.OPTIONAL_HEADER_MAGIC_PE),
    "win64": (pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"],
              pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS),
}


def catalogue(source):
    """(resource name, file name) pairs of the payload, as the tests' catalogue lists them."""
    with open(os.path.join(source, "tests", "payload", "payload_catalogue.h")) as f:
        return re.findall(r'\{"([^"]+)", "([^"]+)"\}', f.read())


def resources(pe):
    """{(type, name): [(language, bytes)]}, names as upper-case text or numbers."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        type_id = kind.id if kind.name is None else str(kind.name)
        for entry in kind.directory.entries:
            name = entry.id if entry.name is None else str(entry.name).upper()
            for lang in entry.directory.entries:
                rva, size = lang.data.struct.OffsetToData, lang.data.struct.Size
                found.setdefault((type_id, name), []).append(
                    (lang.id, pe.get_data(rva, size)))
    return found


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if ok:
            self.passed += 1
        else:
            self.failed += 1


def hardening(t, pe, arch, manifest):
    """The linker's protections, asked for by name, and what makes two builds identical."""
    flags = pe.OPTIONAL_HEADER.DllCharacteristics
    wanted = ["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE", "IMAGE_DLLCHARACTERISTICS_NX_COMPAT",
              "IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE"]
    if arch == "win64":
        wanted.append("IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA")
    for name in wanted:
        t.check(flags & DLL_FLAGS[name], "linked with %s" % name)
    # A movable image needs its relocations, or the loader cannot move it after all.
    t.check(not pe.FILE_HEADER.Characteristics & pefile.IMAGE_CHARACTERISTICS[
        "IMAGE_FILE_RELOCS_STRIPPED"] and bool(getattr(pe, "DIRECTORY_ENTRY_BASERELOC", None)),
        "keeps its relocations, so it can be moved")
    t.check(pe.FILE_HEADER.TimeDateStamp == 0, "no link time stamp")
    stamps = [pe.DIRECTORY_ENTRY_RESOURCE.struct.TimeDateStamp] if hasattr(
        pe, "DIRECTORY_ENTRY_RESOURCE") else []
    stamps += [d.struct.TimeDateStamp for d in getattr(pe, "DIRECTORY_ENTRY_DEBUG", [])]
    t.check(all(stamp == 0 for stamp in stamps), "no time stamp in the resources or debug entries")
    named = [SUPPORTED_OS[g] for g in re.findall(r'supportedOS Id="([^"]+)"', manifest)
             if g in SUPPORTED_OS]
    oldest = min(named) if named else None
    version = (pe.OPTIONAL_HEADER.MajorSubsystemVersion, pe.OPTIONAL_HEADER.MinorSubsystemVersion)
    t.check(version == oldest, "subsystem version %d.%d is the manifest's oldest Windows %r" %
            (version + (oldest,)))

def canary_checks(pe, map_path):
    """How many direct calls in the code go to the canaries' failure routine, which the link
    map locates: each function that checks its canary has one."""
    with open(map_path) as f:
        found = re.search(r"^\s+0x([0-9a-f]+)\s+__stack_chk_fail$", f.read(), re.M)
    if not found:
        return 0
    target = int(found.group(1), 16)
    calls = 0
    for section in pe.sections:
        if not section.Characteristics & 0x20000000:  # executable
            continue
        code = section.get_data()
        base = pe.OPTIONAL_HEADER.ImageBase + section.VirtualAddress
        at = code.find(b"\xe8")
        while 0 <= at <= len(code) - 5:
            if base + at + 5 + int.from_bytes(code[at + 1:at + 5], "little", signed=True) == target:
                calls += 1
            at = code.find(b"\xe8", at + 1)
    return calls


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--arch", choices=MACHINES, required=True)
    parser.add_argument("--source", required=True, help="the project's top folder")
    parser.add_argument("--map", required=True, help="the link map of the executable")
    args = parser.parse_args()

    pe = pefile.PE(args.exe)
    t = Checks()
    machine, magic = MACHINES[args.arch]
    t.check(pe.FILE_HEADER.Machine == machine, "machine is %s" % args.arch)
    t.check(pe.OPTIONAL_HEADER.Magic == magic, "optional header is %s" %
            ("PE32+" if args.arch == "win64" else "PE32"))
    t.check(pe.OPTIONAL_HEADER.Subsystem == pefile.SUBSYSTEM_TYPE["IMAGE_SUBSYSTEM_WINDOWS_GUI"],
            "a GUI program")

    imported = [e.dll.decode().lower() for e in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    t.check(bool(imported), "imports system DLLs")
    for dll in imported:
        t.check(dll in SYSTEM_DLLS, "imports only system DLLs: %s" % dll)

    res = resources(pe)
    payload = sorted(name for (kind, name) in res if kind == PAYLOAD_TYPE)
    expected = catalogue(args.source)
    t.check(payload == sorted(r for r, _ in expected),
            "the payload resources are exactly the catalogue's %d" % len(expected))
    for name, file_name in expected:
        with open(os.path.join(args.source, "resources", "payload", file_name), "rb") as f:
            content = f.read()
        t.check(res.get((PAYLOAD_TYPE, name)) == [(US_ENGLISH, content)],
                "%s is %s byte for byte, in US English" % (name, file_name))

    for number, file_name in SKIN_BITMAPS.items():
        with open(os.path.join(args.source, "resources", "art", file_name), "rb") as f:
            bmp = f.read()
        # A bitmap resource is the file without its 14-byte file header.
        data = [d for _, d in res.get((RT_BITMAP, number), [])]
        t.check(data == [bmp[14:]], "bitmap %d is %s" % (number, file_name))
    t.check((RT_GROUP_CURSOR, 120) in res, "the link cursor 120")
    t.check((RT_DIALOG, "MAIN") in res, "the dialog MAIN")
    t.check((RT_GROUP_ICON, 1) in res and any(k[0] == RT_ICON for k in res), "the icon")

    manifest = b"".join(d for _, d in res.get((RT_MANIFEST, 1), [])).decode("utf-8", "replace")
    t.check('level="requireAdministrator"' in manifest, "the manifest asks for administrator")
    t.check("supportedOS" in manifest, "the manifest names the supported systems")
    t.check("dpiAware" not in manifest, "no DPI awareness: the skin is drawn in pixels")
    named = re.findall(r'processorArchitecture="([^"]*)"', manifest)
    wanted = MANIFEST_ARCH.get(pe.FILE_HEADER.Machine)
    t.check(named == [wanted], "the manifest names the file's processor %r: %r" % (wanted, named))

    hardening(t, pe, args.arch, manifest)
    # Functions with local arrays check their canaries: dozens of them in the installer.
    calls = canary_checks(pe, args.map)
    t.check(calls >= 20, "built with stack canaries (%d calls to the failure routine)" % calls)

    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    t.check(strings.get("CompanyName") == "Quillane", "version: company Quillane")
    t.check(strings.get("ProductName") == "Quillane Plugins", "version: product Quillane Plugins")

    print("%d passed, %d failed" % (t.passed, t.failed))
    return 1 if t.failed or not t.passed else 0


if __name__ == "__main__":
    sys.exit(main())
