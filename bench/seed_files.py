#!/usr/bin/env python3
"""The large synthetic machine's files, written from the host into a prefix's drive C: a
program-folder tree of 100,000 files under the parent of a searched program folder, settings
and preference files of 10 MB, and the plug-in folders that the seeded registry names."""
import argparse
import getpass
import os

TEN_MB = 10 * 1000 * 1000


def text_file(path, last_line):
    """About 10 MB of settings lines, the one that matters at the very end."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    line = b"recentfile%06d=C;notes\\draft %06d.txt (size 12345)\r\n"
    with open(path, "wb") as f:
        written, n = 0, 0
        while written < TEN_MB:
            chunk = line % (n, n)
            f.write(chunk)
            written += len(chunk)
            n += 1
        f.write(last_line.encode() + b"\r\n")


def binary_file(path):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    block = bytes((i * 37 + 11) & 0xFF for i in range(4096))
    with open(path, "wb") as f:
        for _ in range(TEN_MB // len(block)):
            f.write(block)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--drive-c", required=True)
    args = ap.parse_args()
    c = args.drive_c

    for editor in ("quillane", "adobe", "jasc", "megalux", "computerinsel", "igrafx", "corel"):
        os.makedirs(os.path.join(c, "Editors", editor, "plug-ins"), exist_ok=True)
    os.makedirs(os.path.join(c, "Editors", "photodraw", "photodraw", "plugins"), exist_ok=True)
    for editor in ("Photoshop", "Windows"):
        os.makedirs(os.path.join(c, "Editors", editor.lower(), "plug-ins"), exist_ok=True)

    # 10 x 10 x 10 x 10 folders of 10 files each below C:\Corel, whose Programs folder the
    # Corel probe searches from one level up; its preference file at the far end.
    corel = os.path.join(c, "Corel")
    os.makedirs(os.path.join(corel, "Programs"), exist_ok=True)
    for a in range(10):
        for b in range(10):
            for d in range(10):
                for e in range(10):
                    folder = os.path.join(corel, "Data", "d%d" % a, "d%d" % b, "d%d" % d,
                                          "d%d" % e)
                    os.makedirs(folder, exist_ok=True)
                    for f in range(10):
                        open(os.path.join(folder, "f%d.dat" % f), "wb").close()
    text_file(os.path.join(corel, "Data", "d9", "d9", "d9", "d9", "photopnt.ini"),
              "Dirs1=C:\\Editors\\corel\\plug-ins")
    text_file(os.path.join(c, "Adobe", "Photoshop", "photoshop.ini"),
              "PluginDirectory=C:\\Editors\\photoshop\\plug-ins")
    text_file(os.path.join(c, "windows", "ulead32.ini"),
              "PluginDir=C:\\Editors\\windows\\plug-ins")
    binary_file(os.path.join(c, "Painter", "painter.set"))
    binary_file(os.path.join(c, "PClassic", "pclassic.set"))

    # The hosts of today, their settings files 10 MB long: Paint.NET with PSFilterPdn, whose
    # settings name folders that do not exist, one after another, and a gimprc whose
    # pspi-path comes after 10 MB of other lines. Reading stops at a fixed size, so the
    # pspi-path is never reached.
    effects = os.path.join(c, "Program Files", "paint.net", "Effects")
    os.makedirs(effects, exist_ok=True)
    open(os.path.join(effects, "PSFilterPdn.dll"), "wb").close()
    profile = os.path.join(c, "users", getpass.getuser())
    documents = os.path.join(profile, "Documents")
    if os.path.islink(documents):  # Wine may link it to the host's home
        os.unlink(documents)
    settings = os.path.join(documents, "paint.net User Files")
    os.makedirs(settings, exist_ok=True)
    entry = b"<d2p1:string>C:\\Editors\\Filters%07d</d2p1:string>"
    with open(os.path.join(settings, "PSFilterPdn.xml"), "wb") as f:
        f.write(b'<PSFilterPdnSettings><SearchDirectories xmlns:d2p1="a">')
        written, n = 0, 0
        while written < TEN_MB:
            chunk = entry % n
            f.write(chunk)
            written += len(chunk)
            n += 1
        f.write(b"</SearchDirectories></PSFilterPdnSettings>")
    text_file(os.path.join(profile, "AppData", "Roaming", "GIMP", "2.10", "gimprc"),
              '(pspi-path "C:\\\\Editors\\\\pspi")')


if __name__ == "__main__":
    main()
