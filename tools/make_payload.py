#!/usr/bin/env python3
"""Writes the placeholder payload files into resources/payload/.

The maker's real filter modules, preset files, note and page are not ours to ship, so
each placeholder is made here, deterministically, at the size the catalogue gives it.
Dropping in a real file under the same name needs nothing else.
"""
import os
import random
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "payload")

MODULES = [  # file name, size
    ("Morvellane3d.8bf", 139264),
    ("ZentroveDemo.8bf", 176128),
    ("Vilo2000demo.8bf", 163840),
    ("Vilo3d.8bf", 131072),
    ("QuorvinTessmark.8bf", 151552),
    ("QuorvinKVdemo.8bf", 188416),
    ("WendaroFulgoDemo.8bf", 163840),
    ("TiraventBellcove.8bf", 184320),
    ("NimbaWendaro.8bf", 114688),
]

PRESETS = [  # file name, size, filter key, preset name stem, preset count, data bytes each
    ("Vilo2000deformations.reg", 4265, "Vilo2000", "Deformation", 57, 12),
    ("Vilo2000patterns.reg", 12127, "Vilo2000", "Pattern", 20, 180),
    ("QuorvinKVpresets Misc.reg", 3861, "Quorvin KV", "Misc", 17, 60),
    ("QuorvinKVpresets Surreal.reg", 949, "Quorvin KV", "Surreal", 4, 55),
]

NOTE = ("Additional presets for Vilo 2000 and Quorvin KV are not installed\r\n"
        "automatically: open each registry file to add its presets.\r\n"
        "\r\n"
        "Vilo2000deformations.reg - 57 presets\r\n"
        "Vilo2000patterns.reg - 20 presets\r\n"
        "QuorvinKVpresets Misc.reg - 17 presets\r\n"
        "QuorvinKVpresets Surreal.reg - 4 presets\r\n")
NOTE_SIZE = 291
PAGE_SIZE = 15899


def pe_module(name, size):
    """A minimal, valid 32-bit DLL image: headers, one data section, no code."""
    rng = random.Random(name)
    file_align, section_align = 0x200, 0x1000
    headers = 0x200
    raw = size - headers
    virt = (raw + section_align - 1) // section_align * section_align
    dos = bytearray(0x80)
    dos[0:2] = b"MZ"
    struct.pack_into("<H", dos, 0x02, 0x90)      # bytes on last page
    struct.pack_into("<H", dos, 0x04, 3)         # pages
    struct.pack_into("<H", dos, 0x08, 4)         # header paragraphs
    struct.pack_into("<H", dos, 0x18, 0x40)      # relocation table offset
    struct.pack_into("<I", dos, 0x3C, 0x80)      # e_lfanew
    stub = b"This is a Quillane filter module placeholder.\r\n$"
    dos[0x40:0x40 + len(stub)] = stub
    coff = struct.pack("<4sHHIIIHH", b"PE\0\0", 0x14C, 1, 0, 0, 0, 0xE0,
                       0x2102)  # executable image, 32-bit machine, DLL
    opt = struct.pack("<HBBIIIIIIIIIHHHHHHIIIIHHIIIIII",
                      0x10B, 1, 0, 0, raw, 0, 0, 0, 0,
                      0x10000000, section_align, file_align,
                      4, 0, 1, 0, 4, 0, 0,
                      section_align + virt, headers, 0, 2, 0x0140,
                      0x100000, 0x1000, 0x100000, 0x1000, 0, 16)
    opt += b"\0" * (16 * 8)
    section = struct.pack("<8sIIIIIIHHI", b".data\0\0\0", virt, section_align, raw, headers,
                          0, 0, 0, 0, 0xC0000040)
    head = bytes(dos) + coff + opt + section
    head += b"\0" * (headers - len(head))
    label = ("Quillane filter module placeholder: %s\0" % name).encode("ascii")
    body = label + bytes(rng.getrandbits(8) for _ in range(raw - len(label)))
    data = head + body
    assert len(data) == size
    return data


def reg_text(key, stem, lengths, rng_seed):
    rng = random.Random(rng_seed)
    lines = ["REGEDIT4", "", "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quillane\\%s]" % key]
    for i, each in enumerate(lengths):
        prefix = '"%s %02d"=hex:' % (stem, i + 1)
        values = ["%02x" % rng.getrandbits(8) for _ in range(each)]
        # Wrapped like the registry editor's own export, with backslash continuations.
        line = prefix
        for j, v in enumerate(values):
            piece = v + ("," if j + 1 < len(values) else "")
            if len(line) + len(piece) > 76:
                lines.append(line + "\\")
                line = "  "
            line += piece
        lines.append(line)
    return "\r\n".join(lines) + "\r\n"


def reg_file(name, size, key, stem, count, each):
    lengths = [each] * count
    if len(reg_text(key, stem, lengths, name)) > size:
        raise SystemExit("%s: preset data too long for %d bytes" % (name, size))
    # Grow the presets one byte at a time, round robin, while the file still fits.
    i = 0
    while True:
        lengths[i % count] += 1
        if len(reg_text(key, stem, lengths, name)) > size:
            lengths[i % count] -= 1
            break
        i += 1
    text = reg_text(key, stem, lengths, name)
    short = size - len(text)
    # The last few bytes: blank lines, an odd one as a space.
    text += " " * (short % 2) + "\r\n" * (short // 2)
    data = text.encode("ascii")
    assert len(data) == size
    return data


def note():
    data = NOTE.encode("ascii")
    if len(data) > NOTE_SIZE:
        raise SystemExit("note is %d bytes, more than %d" % (len(data), NOTE_SIZE))
    data += b"\r\n" * ((NOTE_SIZE - len(data)) // 2) + b" " * ((NOTE_SIZE - len(data)) % 2)
    assert len(data) == NOTE_SIZE
    return data


def page():
    filters = [("Nimba Wendaro", "soft painterly glow with wind-swept strokes"),
               ("Wendaro Fulgo", "lightning and spark effects over any layer"),
               ("Vilo 3d", "extrudes a selection into shaded relief"),
               ("Vilo 2000", "deformations and patterns, with preset libraries"),
               ("Quorvin Tessmark", "tessellated mosaics from the image's own colours"),
               ("Quorvin KV", "kaleidoscopic mirrors, with misc and surreal presets"),
               ("Tiravent Bellcove", "curved lens and bell distortions"),
               ("Morvellane 3D", "three-dimensional texture mapping"),
               ("Zentrove", "calm gradient washes and vignettes")]
    rows = "\n".join('      <li><b>%s</b> &mdash; %s.</li>' % f for f in filters)
    head = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n  <meta charset=\"windows-1252\">\n"
            "  <title>Quillane Plugins</title>\n</head>\n<body>\n"
            "  <h1>Quillane Plugins</h1>\n"
            "  <p>Thank you for installing the Quillane filter pack. The filters appear in your\n"
            "  image editor's filter menu under the category &quot;Quillane&quot; once the\n"
            "  editor has been restarted.</p>\n"
            "  <h2>Filters in this pack</h2>\n    <ul>\n" + rows + "\n    </ul>\n"
            "  <h2>Additional presets</h2>\n"
            "  <p>Open the files Vilo2000deformations.reg, Vilo2000patterns.reg,\n"
            "  QuorvinKVpresets Misc.reg and QuorvinKVpresets Surreal.reg to add their presets.</p>\n")
    tail = "</body>\n</html>\n"
    core = head + "  <!--" + " " * 0 + "-->\n" + tail
    pad = PAGE_SIZE - len(core.encode("ascii"))
    # Reserve the page's exact size with a comment, so the real page can take its place.
    filler = ("\n" + " " * 71) * (pad // 72) + " " * (pad % 72)
    text = head + "  <!--" + filler + "-->\n" + tail
    data = text.encode("ascii")
    assert len(data) == PAGE_SIZE
    return data


def main():
    out = OUT
    if len(sys.argv) == 3 and sys.argv[1] == "--out":
        out = sys.argv[2]
    os.makedirs(out, exist_ok=True)
    files = {"Additional Ppresets.txt": note(), "QuillanePlugins.htm": page()}
    for name, size in MODULES:
        files[name] = pe_module(name, size)
    for args in PRESETS:
        files[args[0]] = reg_file(*args)
    for name, data in sorted(files.items()):
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    print("wrote %d files to %s" % (len(files), os.path.normpath(out)), file=sys.stderr)


if __name__ == "__main__":
    main()
