#!/usr/bin/env python3
"""End-to-end tests of the real QuillaneSetup.exe under Wine and Xvfb.

The installer is started as a user would start it, in a private Wine prefix seeded with the
registry keys and settings files of several image editors, and driven with real mouse and
keyboard input (xdotool). What it did is checked on the prefix's disk; what it shows is read from another
process (installer_probe.exe) and from screenshots.
"""
import argparse
import filecmp
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback

CAPTION = "Quillane Plugins : Installation"
BROWSE = "******** BROWS ********"

# Client-area points of the installer's controls.
INSTALL = (278, 250)
CANCEL = (348, 250)
FINISH = (190, 220)
LINK_LABEL_OF_FIRST_BOX = (270, 16)
HOME_PAGE_LINK = (110, 20)
COMBO = (100, 218)
HOME_PAGE = "https://www.quillane.example/install.htm"

# Names of DLLs that programs, and the system's own DLLs, load late by name.
PLANTED = ["version.dll", "uxtheme.dll", "dwmapi.dll", "cryptbase.dll", "oleacc.dll",
           "comctl32.dll", "textshaping.dll", "propsys.dll", "profapi.dll", "winmm.dll",
           "msimg32.dll", "riched20.dll", "shfolder.dll", "mpr.dll", "sspicli.dll"]
BOX_TOP, BOX_STEP, BOX_X = 10, 20, 236

PAYLOAD = [
    "Additional Ppresets.txt", "Morvellane3d.8bf", "ZentroveDemo.8bf",
    "Vilo2000deformations.reg", "Vilo2000demo.8bf", "Vilo2000patterns.reg", "Vilo3d.8bf",
    "QuorvinTessmark.8bf", "QuorvinKVdemo.8bf", "QuorvinKVpresets Misc.reg",
    "QuorvinKVpresets Surreal.reg", "QuillanePlugins.htm", "WendaroFulgoDemo.8bf",
    "TiraventBellcove.8bf", "NimbaWendaro.8bf",
]


# What a screen reader reads (oleacc's role and state numbers).
ROLE_LINK, ROLE_PUSHBUTTON, ROLE_CHECKBUTTON = 30, 43, 44
FOCUSED, CHECKED, DEFAULT, INVISIBLE, LINKED, FOCUSABLE = 0x4, 0x10, 0x100, 0x8000, 0x400000, 0x100000
UNAVAILABLE = 0x1
LABELS = ["Nimba Wendaro", "Wendaro Fulgo demo", "Vilo 3d", "Vilo 2000 demo", "Quorvin Tessmark",
          "Quorvin KV demo", "Tiravent Bellcove", "Morvellane 3D", "Zentrove demo"]
INSTALL_CHILD, CANCEL_CHILD, FINISH_CHILD = 12, 13, 14
# Left out when Vilo 2000 demo and Morvellane 3D are cleared.
VILO_AND_MORVELLANE = {"Vilo2000demo.8bf", "Vilo2000deformations.reg", "Vilo2000patterns.reg",
                       "Morvellane3d.8bf"}
STATUS_AREA = (6, 242, 249, 262)


def module_head(machine):
    """The first bytes of a program or plug-in built for machine: a DOS header that points at
    "PE\\0\\0", the machine word, and the optional header's magic (PE32+ but for x86)."""
    magic, optional = (0x10B, 0xE0) if machine == 0x14C else (0x20B, 0xF0)
    return (b"MZ" + bytes(58) + struct.pack("<I", 64) + b"PE\0\0" +
            struct.pack("<HHIIIHHH", machine, 0, 0, 0, 0, optional, 0x22, magic) + bytes(446))


def box_point(k):
    return (BOX_X, BOX_TOP + BOX_STEP * k + 6)


class Failure(Exception):
    pass


class Skip(Exception):
    """A test that cannot run in this set-up; reported, not counted as passed."""


def wait_for(condition, timeout=15):
    """Polls until condition() holds; returns its last value."""
    deadline = time.time() + timeout
    while True:
        value = condition()
        if value or time.time() > deadline:
            return value
        time.sleep(0.2)


def check(condition, message):
    if not condition:
        raise Failure(message)


class Wine:
    """A private prefix with its own display, as the project's Wine helpers set it up."""

    def __init__(self, scripts, arch, prefix):
        script = os.path.join(scripts, "wine-env.sh")
        out = subprocess.run(["bash", "-c", '. "$0" && wine_env "$1" "$2" && env -0', script, arch,
                              prefix],
                             stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, check=True).stdout
        self.env = dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)
        self.arch = arch
        self.prefix = self.env["WINEPREFIX"]
        self.drive_c = os.path.join(self.prefix, "drive_c")
        # The loader of the installer's bitness; never /usr/bin/wine, which may pick a
        # 32-bit loader this host cannot execute.
        self.loader = self.env["QUILLANE_WINE"]
        self.loader64 = os.path.join(os.path.dirname(self.loader), "wine64")

    def run(self, *args, timeout=60, loader=None):
        """Runs a Windows program to its end; returns its exit code and output."""
        # Output through a file: Wine's background processes would hold a pipe open.
        with tempfile.TemporaryFile() as out:
            rc = subprocess.run([loader or self.loader, *args], stdout=out, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL, env=self.env, timeout=timeout).returncode
            out.seek(0)
            return rc, out.read().decode("cp1252", "replace").replace("\r\n", "\n")

    def start(self, *args, env=None):
        log = tempfile.TemporaryFile()
        proc = subprocess.Popen([self.loader, *args], stdout=log, stderr=subprocess.STDOUT,
                                stdin=subprocess.DEVNULL, env=dict(self.env, **(env or {})))
        proc.log = log
        return proc

    def x(self, *args):
        return subprocess.run(list(args), env=self.env, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, timeout=30).stdout.decode()

    def restart(self):
        """Ends this prefix's Wine server and every Wine program in it; the next program
        starts a fresh one."""
        subprocess.run([self.env["WINESERVER"], "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run([self.env["WINESERVER"], "-w"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)

    def windows(self, unix_path):
        """The host file as Wine's programs see it."""
        return "Z:" + os.path.abspath(unix_path).replace("/", "\\")

    def unix(self, windows_path):
        assert windows_path[:3].upper() == "C:\\"
        return os.path.join(self.drive_c, *windows_path[3:].split("\\"))

    def regedit(self, text, both_views=False):
        """Imports registry text with the system's registry editor, which needs no 32-bit
        program. Machine and class keys go to the 32-bit view (Wow6432Node), where 32-bit
        editors register under Wine and where both builds of the installer look; with
        both_views, to the 64-bit view too."""
        native = text
        for root in ("HKEY_LOCAL_MACHINE\\Software\\", "HKEY_CLASSES_ROOT\\"):
            text = text.replace(root, root + "Wow6432Node\\")
        if both_views:
            text += "\n" + native
        with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False, encoding="cp1252",
                                         newline="\r\n") as f:
            f.write("REGEDIT4\n\n" + text)
        try:
            # Under load wine64's regedit now and then exits non-zero without a word, having
            # imported nothing: once more before the run counts as failed.
            for attempt in range(2):
                rc, out = self.run("C:\\windows\\regedit.exe", "/S",
                                   "Z:" + f.name.replace("/", "\\"), loader=self.loader64)
                if rc == 0:
                    break
                time.sleep(1)
            check(rc == 0, "regedit failed (exit %d): %s" % (rc, out))
        finally:
            os.unlink(f.name)


def read_ppm(path):
    """Width, height and RGB bytes of an image file, through ImageMagick."""
    raw = subprocess.run(["/usr/bin/convert", path, "-depth", "8", "ppm:-"], stdout=subprocess.PIPE,
                         check=True).stdout
    fields, at = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while raw[at:at + 1].isspace():
            at += 1
        end = at
        while not raw[end:end + 1].isspace():
            end += 1
        fields.append(raw[at:end])
        at = end
    return int(fields[1]), int(fields[2]), raw[at + 1:]


def output_of(proc):
    """What a program started with Wine.start has written so far."""
    proc.log.seek(0)
    return proc.log.read()


def reg_string(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


class Installer:
    """One running copy of the installer."""

    def __init__(self, suite, exe=None, env=None):
        self.suite = suite
        self.wine = suite.wine
        self.proc = self.wine.start(exe or suite.exe, env=env)
        deadline = time.time() + 60
        while time.time() < deadline:
            if self.proc.poll() is not None:
                raise Failure("the installer ended before showing its window")
            if self.probe("geometry")[0] == 0:
                break
            time.sleep(0.2)
        else:
            raise Failure("the installer's window did not appear")
        rc, out = self.probe("geometry")
        fields = dict((line.split()[0], [int(v) for v in line.split()[1:]]) for line in out.splitlines()
                      if line.split() and line.split()[0] in ("client", "window"))
        self.client = fields["client"]
        self.window = fields["window"]
        time.sleep(0.5)  # the first paint

    def probe(self, *args):
        return self.wine.run(self.suite.probe, *args)

    def click(self, point, button=1):
        x, y = self.client[0] + point[0], self.client[1] + point[1]
        # No --sync: it waits for a motion that never comes when the pointer is already there.
        self.wine.x("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        self.wine.x("xdotool", "click", str(button))
        time.sleep(0.4)  # posted notifications and the skin's paint cycle

    def key(self, *names):
        """Real key presses, to the window that has the keyboard focus."""
        for name in names:
            self.wine.x("xdotool", "key", name)
            time.sleep(0.15)
        time.sleep(0.4)

    def move_off_window(self):
        """Puts the pointer on the bare screen, clear of the installer's window."""
        x = max(2, self.window[0] - 40)
        self.wine.x("xdotool", "mousemove", str(x), "2")
        time.sleep(0.5)

    def press(self, child, ends=False):
        """A child's default action, done as a screen reader does it. A press that ends the
        installer may lose the call's reply: the process can be gone before the reply leaves
        it (RPC_S_CALL_FAILED), so the caller then checks the end instead."""
        out = self.probe_patiently("access", str(child))
        if ends and "pressed %d 800706be" % child in out:
            return
        check("pressed %d 00000000" % child in out, "the default action failed: " + out)

    def access(self):
        """The window as a screen reader reads it from another process: the focused child's
        identifier and, per child identifier, kind ("element" or "object"), role, state,
        screen rectangle, name and default action."""
        # A reading is retried when the reader itself failed: the emulated 32-bit Wine's COM
        # at times crashes or stalls in the reading process under load.
        for _ in range(3):
            out = self.probe_patiently("access")
            lines = out.splitlines()
            if any(line.startswith("child 14 ") for line in lines):
                break
        else:
            raise Failure("the accessible object could not be read: " + out)
        children, focus = {}, None
        for line in lines:
            if line.startswith("child "):
                head, name, action = line.split("|")
                f = head.split()
                children[int(f[1])] = dict(kind=f[2], role=int(f[3]), state=int(f[4], 16),
                                           rect=[int(v) for v in f[5:9]], name=name, action=action)
            elif line.startswith("focus "):
                focus = int(line.split()[1])
        return focus, children

    def probe_patiently(self, *args):
        """The probe's output, or what it printed before it stalled."""
        try:
            return self.wine.run(self.suite.probe, *args, timeout=40)[1]
        except subprocess.TimeoutExpired:
            return ""

    def combo(self):
        """The drop-down once the search has filled it (it holds at least the browse entry)."""
        deadline = time.time() + 60
        while True:
            rc, out = self.probe("combo")
            check(rc == 0, "the drop-down could not be read")
            if "\nentry " in "\n" + out or time.time() > deadline:
                break
            time.sleep(0.3)
        entries, selected, top = [], None, None
        for line in out.splitlines():
            word, _, rest = line.partition(" ")
            if word == "hidden":
                self.hidden_button_hidden = rest == "1"
            elif word == "entry":
                entries.append(rest)
            elif word == "selected":
                selected = int(rest)
            elif word == "top":
                top = int(rest)
        return entries, selected, top

    def message(self, dismiss=True):
        """The text of the installer's message box, waiting for it to appear."""
        deadline = time.time() + 20
        while time.time() < deadline:
            rc, out = self.probe("message", "dismiss" if dismiss else "look")
            if rc == 0:
                time.sleep(0.5)
                return out
            time.sleep(0.2)
        raise Failure("no message box appeared")

    def screenshot(self, name):
        path = os.path.join(self.suite.out, name)
        x, y, w, h = self.window
        self.wine.x("import", "-window", "root", "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", path)
        check(os.path.exists(path), "no screenshot " + path)
        return path

    def painted(self, name, point):
        """A screenshot, once the skin has drawn text right of and below point; else None."""
        path = self.screenshot(name)
        dark = [p for p in self.region(path, point[0], point[1], point[0] + 100, point[1] + 16)
                if sum(p) < 200]
        return path if len(dark) > 20 else None

    def pixel(self, path, point):
        """The colour of a client-area pixel of a screenshot, as (r, g, b)."""
        return self.region(path, point[0], point[1], point[0] + 1, point[1] + 1)[0]

    def region(self, path, left, top, right, bottom):
        """The client-area pixels [left, right) x [top, bottom) of a screenshot."""
        width, height, data = read_ppm(path)
        dx, dy = self.client[0] - self.window[0], self.client[1] - self.window[1]
        pixels = []
        for y in range(top + dy, bottom + dy):
            for x in range(left + dx, right + dx):
                check(0 <= x < width and 0 <= y < height, "pixel outside the screenshot")
                at = 3 * (y * width + x)
                pixels.append(tuple(data[at:at + 3]))
        return pixels

    def wait_end(self, timeout=20):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the installer did not end")

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


class Suite:
    def __init__(self, args):
        self.exe = args.exe
        self.probe = args.probe
        self.payload = args.payload
        self.out = args.out
        self.planted = args.planted
        self.control = args.control
        self.wine = Wine(args.scripts, args.arch, args.prefix)
        self.running = []
        self.repeat = 1
        # Under qemu-user the 32-bit Wine's COM stalls and crashes in both processes of a
        # cross-process call, so what a screen reader reads is checked with the 64-bit loader.
        self.reads_accessibility = not (args.arch == "win32" and
                                        self.wine.env.get("QUILLANE_I386_MODE") == "emulated")

    # --- the machine the installer finds ---------------------------------------------------

    EDITORS_REG = """\
[HKEY_CURRENT_USER\\Software\\Quillane]
"PlugInPath"={maker}

[HKEY_LOCAL_MACHINE\\Software\\Adobe\\Photoshop\\7.0]
"PluginPath"={photoshop}
"InstallPath"={photoshop_home}

[HKEY_CURRENT_USER\\Software\\iGrafx\\Image\\Settings]
"PluginDir"={igrafx}

[HKEY_CLASSES_ROOT\\PI3.Image\\shell\\open\\command]
@={pi3_command}
"""

    FOLDERS = {
        "maker": "C:\\Hosts\\Maker\\Plug-Ins",
        "photoshop": "C:\\Program Files\\Adobe\\Photoshop 7.0\\Plug-Ins\\",
        "photoshop_home": "C:\\Program Files\\Adobe\\Photoshop 7.0\\",
        "igrafx": "C:\\Programs\\iGrafx\\Plugins",
        "ulead": "C:\\Ulead\\Plugins",
        "pi3_plugin": "C:\\Hosts\\PI3\\plugin",
    }

    EXPECTED = [
        "C:\\Hosts\\Maker\\Plug-Ins\\Quillane\\",
        "C:\\Program Files\\Adobe\\Photoshop 7.0\\Plug-Ins\\Quillane\\",
        "C:\\Programs\\Igrafx\\Plugins\\",
        "C:\\Ulead\\Plugins\\Quillane\\",
        "C:\\Hosts\\Pi3\\Plugin\\Quillane\\",
        BROWSE,
    ]

    def seed(self):
        # As Windows ships: focus cues appear once the keyboard is used (Wine shows them always).
        rc, out = self.wine.run(self.probe, "cues", "off")
        check(rc == 0, "the keyboard cue setting could not be made: " + out)
        for path in self.FOLDERS.values():
            os.makedirs(self.wine.unix(path), exist_ok=True)
        values = {k: reg_string(v) for k, v in self.FOLDERS.items()}
        values["pi3_command"] = reg_string('"C:\\Hosts\\PI3\\pi3.exe" "%1"')
        self.wine.regedit(self.EDITORS_REG.format(**values))
        with open(os.path.join(self.wine.drive_c, "windows", "ulead32.ini"), "w", newline="\r\n") as f:
            f.write("[Settings]\nPlugInDir=%s\n" % self.FOLDERS["ulead"])

    def unseed(self):
        self.wine.regedit("[-HKEY_CURRENT_USER\\Software\\Quillane]\n"
                          "[-HKEY_LOCAL_MACHINE\\Software\\Adobe]\n"
                          "[-HKEY_CURRENT_USER\\Software\\iGrafx]\n"
                          "[-HKEY_CLASSES_ROOT\\PI3.Image]\n")
        for top in ("Hosts", "Program Files\\Adobe", "Programs", "Ulead", "Picked", "Downloads"):
            shutil.rmtree(self.wine.unix("C:\\" + top), ignore_errors=True)
        ini = os.path.join(self.wine.drive_c, "windows", "ulead32.ini")
        if os.path.exists(ini):
            os.unlink(ini)

    def launch(self, exe=None, env=None):
        installer = Installer(self, exe, env)
        self.running.append(installer)
        return installer

    def target(self):
        return self.wine.unix(self.EXPECTED[0])

    def installed(self, folder=None):
        folder = folder or self.target()
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []

    def same_as_shipped(self, folder, name):
        return filecmp.cmp(os.path.join(folder, name), os.path.join(self.payload, name), shallow=False)

    # --- the tests -------------------------------------------------------------------------

    def test_drop_down_lists_discovered_folders_in_probe_order(self):
        inst = self.launch()
        entries, selected, top = inst.combo()
        check(entries == self.EXPECTED, "drop-down entries: %r" % entries)
        check(selected == 0, "selected entry %r" % selected)
        check(top == 210, "drop-down at %r" % top)
        check(inst.hidden_button_hidden, "the dialog's hidden button is visible")
        check(inst.client[2:] == [383, 270], "client area %r" % inst.client[2:])
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")
        check(not os.path.exists(self.target()), "Cancel must write nothing")

    def test_install_everything_then_finish(self):
        inst = self.launch()
        # The first paint may still be on its way on a busy machine.
        shot = wait_for(lambda: inst.painted("screenshot-selection.png", (6, 190)))
        check(shot, "the selection screen was not painted")
        # A ticked box shows its green tick; the Install pill is orange; the prompt is text.
        greens = [p for p in inst.region(shot, 230, 10, 243, 23) if p[1] > 110 and p[1] > p[0] + 40]
        check(greens, "no ticked box in the first check box")
        orange = [p for p in inst.region(shot, 252, 242, 300, 246) if p[0] > 180 and p[0] > p[2] + 80]
        check(len(orange) > 100, "the Install button face is not orange")
        dark = [p for p in inst.region(shot, 6, 190, 120, 203) if sum(p) < 200]
        check(len(dark) > 20, "no text where the folder prompt stands")

        inst.click(INSTALL)
        folder = self.target()
        wait_for(lambda: inst.combo()[2] == 1000)
        check(self.installed(folder) == sorted(PAYLOAD), "installed: %r" % self.installed(folder))
        for name in PAYLOAD:
            check(self.same_as_shipped(folder, name), name + " differs from the shipped file")
        entries, selected, top = inst.combo()
        check(top == 1000, "the drop-down is still in sight on the completion screen")
        time.sleep(0.3)
        shot = wait_for(lambda: inst.painted("screenshot-completion.png", (20, 50)))
        check(shot, "the completion screen was not painted")
        dark = [p for p in inst.region(shot, 20, 50, 200, 66) if sum(p) < 200]
        check(len(dark) > 20, "no completion text")
        greens = [p for p in inst.region(shot, 230, 10, 243, 23) if p[1] > 110 and p[1] > p[0] + 40]
        check(not greens, "check boxes still drawn on the completion screen")
        # Clicking where the boxes were does nothing.
        inst.click(box_point(0))
        check(inst.proc.poll() is None, "the installer ended on a click where a box was")
        inst.click(FINISH)
        check(inst.wait_end() == 0, "Finish did not end with 0")

    def test_cleared_filters_are_not_installed(self):
        inst = self.launch()
        inst.click(box_point(3))  # Vilo 2000 demo
        inst.click(box_point(7))  # Morvellane 3D
        inst.click(LINK_LABEL_OF_FIRST_BOX)  # a label does not toggle its box
        inst.click(INSTALL)
        wait_for(lambda: inst.combo()[2] == 1000)
        left_out = {"Vilo2000demo.8bf", "Vilo2000deformations.reg", "Vilo2000patterns.reg",
                    "Morvellane3d.8bf"}
        check(self.installed() == sorted(set(PAYLOAD) - left_out), "installed: %r" % self.installed())
        # On the completion screen Enter ends the installer as Finish does.
        inst.click((100, 150))
        self.wine.x("xdotool", "key", "Return")
        check(inst.wait_end() == 0, "Enter did not end with 0")

    def test_install_does_nothing_until_a_box_is_ticked(self):
        inst = self.launch()
        for k in range(9):
            inst.click(box_point(k))
        inst.click(INSTALL)
        time.sleep(0.5)
        check(not os.path.exists(self.target()), "Install acted with every box cleared")
        check(inst.combo()[2] == 210, "left the selection screen with every box cleared")
        inst.click(box_point(8))  # Zentrove demo
        inst.click(INSTALL)
        wait_for(lambda: inst.combo()[2] == 1000)
        check(self.installed() == sorted(["Additional Ppresets.txt", "QuillanePlugins.htm",
                                          "ZentroveDemo.8bf"]), "installed: %r" % self.installed())
        inst.click(FINISH)
        check(inst.wait_end() == 0, "Finish did not end with 0")

    def test_one_copy_at_a_time(self):
        first = self.launch()
        second = self.wine.start(self.exe)
        try:
            rc = second.wait(timeout=20)
        except subprocess.TimeoutExpired:
            second.kill()
            raise Failure("a second copy kept running")
        check(rc == 0, "a second copy ended with %r" % rc)
        check(first.probe("message", "look")[0] != 0, "a second copy left a message box")
        check(first.proc.poll() is None, "the first copy ended")
        first.click(CANCEL)
        check(first.wait_end() == 0, "Cancel did not end with 0")
        again = self.launch()
        again.click(CANCEL)
        check(again.wait_end() == 0, "a new copy did not start after the first ended")

    def test_stack_canaries_guard_is_set_at_start(self):
        # The installer starts at its own entry, without the C runtime's start-up that would
        # set the canaries' guard: a guard left at 0 is one anyone can predict.
        symbols = {}
        with open(os.path.splitext(self.exe)[0] + ".map") as f:
            for line in f:
                fields = line.split()
                if len(fields) >= 2 and fields[1] in ("__stack_chk_guard", "__image_base__"):
                    symbols[fields[1]] = int(fields[0], 16)
        if "__stack_chk_guard" not in symbols:
            raise Skip("built without stack canaries")
        offset = "%x" % (symbols["__stack_chk_guard"] - symbols["__image_base__"])
        guards = []
        for _ in range(2):
            inst = self.launch()
            rc, out = inst.probe("value", offset)
            if rc != 0 and self.wine.env.get("QUILLANE_I386_MODE") == "emulated":
                inst.click(CANCEL)
                inst.wait_end()
                raise Skip("another process's memory cannot be read under the emulated 32-bit loader")
            check(rc == 0 and out.startswith("value "), "the guard could not be read: %r" % out)
            guards.append(int(out.split()[1], 16))
            inst.click(CANCEL)
            check(inst.wait_end() == 0, "Cancel did not end with 0")
        check(all(guards), "the canaries' guard is 0: %r" % guards)
        check(guards[0] != guards[1], "two starts got the same guard: %r" % guards)

    def test_folder_that_cannot_be_created_is_reported(self):
        maker = self.wine.unix(self.FOLDERS["maker"])
        with open(os.path.join(maker, "Quillane"), "w") as f:
            f.write("a file where the folder should go")
        inst = self.launch()
        inst.click(INSTALL)
        text = inst.message()
        check("C:\\Hosts\\Maker\\Plug-Ins\\Quillane\\" in text, "the message does not name the folder: " + text)
        reason = text.partition("can be neither opened nor created: ")[2].split("\n")[0]
        check(reason.strip(" .") != "", "the message gives no reason: " + text)
        # What is in the way is a file; that the name exists already says nothing useful.
        check("already exists" not in reason, "the message gives the wrong reason: " + text)
        check(inst.combo()[2] == 210, "left the selection screen")
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")

    def lock_an_older_plugin(self):
        """An older ZentroveDemo.8bf in the first folder, held open by another program."""
        folder = self.target()
        os.makedirs(folder)
        locked = os.path.join(folder, "ZentroveDemo.8bf")
        with open(locked, "w") as f:
            f.write("an older plug-in in use")
        holder = self.wine.start(self.probe, "lock", self.EXPECTED[0] + "ZentroveDemo.8bf", "60")
        check(wait_for(lambda: b"locked" in output_of(holder)), "the file could not be locked")
        return locked, holder

    def test_locked_file_is_reported_and_install_can_be_retried(self):
        folder = self.target()
        locked, holder = self.lock_an_older_plugin()
        try:
            inst = self.launch()
            inst.click(INSTALL)
            text = inst.message()
            check("ZentroveDemo.8bf" in text, "the message does not name the locked file: " + text)
            check(inst.combo()[2] == 210, "left the selection screen after a failed write")
            with open(locked) as f:
                check(f.read() == "an older plug-in in use", "the locked file was changed")
        finally:
            holder.kill()
            holder.wait()
        time.sleep(0.5)
        inst.click(INSTALL)
        wait_for(lambda: inst.combo()[2] == 1000)
        check(self.installed(folder) == sorted(PAYLOAD), "retry installed: %r" % self.installed(folder))
        check(self.same_as_shipped(folder, "ZentroveDemo.8bf"), "retry did not replace the file")
        inst.click(FINISH)
        check(inst.wait_end() == 0, "Finish did not end with 0")

    def test_keys_typed_during_the_install_are_dropped(self):
        def click_install_and_type():
            x, y = inst.client[0] + INSTALL[0], inst.client[1] + INSTALL[1]
            self.wine.x("xdotool", "mousemove", str(x), str(y))
            time.sleep(0.3)
            # As on a busy machine: the installer is held while the user clicks Install and
            # types Enter twice and Escape, so the keys are queued before the install ends.
            os.kill(inst.proc.pid, signal.SIGSTOP)
            try:
                self.wine.x("xdotool", "click", "1", "key", "Return", "Return", "Escape")
                time.sleep(0.3)
            finally:
                os.kill(inst.proc.pid, signal.SIGCONT)

        # A failed install: its message must stay up, not be dismissed by the queued keys.
        folder = self.target()
        locked, holder = self.lock_an_older_plugin()
        try:
            inst = self.launch()
            click_install_and_type()
            time.sleep(2)
            check(inst.proc.poll() is None, "the installer ended on keys typed during the install")
            text = inst.message()
            check("ZentroveDemo.8bf" in text, "the failure message did not stay: " + text)
        finally:
            holder.kill()
            holder.wait()
        time.sleep(0.5)
        # A good install: the completion screen must show whatever was typed meanwhile.
        click_install_and_type()
        time.sleep(2)
        check(inst.proc.poll() is None, "the installer ended on keys typed during the install")
        check(inst.combo()[2] == 1000, "the completion screen did not show")
        check(self.installed(folder) == sorted(PAYLOAD), "installed: %r" % self.installed(folder))
        self.wine.x("xdotool", "key", "Return")
        check(inst.wait_end() == 0, "Enter on the completion screen did not end with 0")

    def set_maker_folder(self, folder):
        self.wine.regedit("[HKEY_CURRENT_USER\\Software\\Quillane]\n\"PlugInPath\"=%s\n"
                          % reg_string(folder))

    def check_write_refused(self, shown, names, kept):
        """Installs into the first entry, which must be shown; every file of names must be
        reported by name with a reason, the selection screen kept, and each file of kept
        (path: content) left as it was, with no temporary file beside it."""
        inst = self.launch()
        check(inst.combo()[0][0] == shown, "first entry %r" % inst.combo()[0][0])
        inst.click(INSTALL)
        text = inst.message()
        print("message: " + text.strip().replace("\n", " | "), flush=True)
        for name in names:
            line = [l for l in text.split("\n") if l.startswith(name + ": ")]
            check(line and line[0][len(name) + 2:].strip(" .") != "",
                  "the message does not name %s with a reason: %s" % (name, text))
        check(inst.combo()[2] == 210, "left the selection screen")
        for path, content in kept.items():
            with open(path, "rb") as f:
                check(f.read() == content, path + " was changed")
            left = [n for n in os.listdir(os.path.dirname(path)) if n.lower().endswith(".tmp")]
            check(not left, "temporary files left: %r" % left)
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")
        return text

    def test_bad_disks_and_files_are_reported_by_name(self):
        # A read-only older plug-in: Windows refuses to replace it, and so does the installer.
        folder = self.target()
        os.makedirs(folder)
        read_only = os.path.join(folder, "Vilo3d.8bf")
        with open(read_only, "wb") as f:
            f.write(b"an older read-only plug-in")
        os.chmod(read_only, 0o444)
        self.check_write_refused(self.EXPECTED[0], ["Vilo3d.8bf"],
                                 {read_only: b"an older read-only plug-in"})
        os.chmod(read_only, 0o644)

        # Folder and file name longer than MAX_PATH: those files are refused, none is cut.
        long_folder = "C:\\Long\\" + "d" * 225
        os.makedirs(self.wine.unix(long_folder))
        self.set_maker_folder(long_folder)
        shown = "C:\\Long\\D" + "d" * 224 + "\\Quillane\\"  # as the list capitalises it
        too_long = [n for n in PAYLOAD if len(shown) + len(n) >= 260]
        check(too_long, "the folder is not long enough for the test")
        self.check_write_refused(shown, too_long, {})
        written = os.listdir(self.wine.unix(long_folder + "\\Quillane"))
        check(not set(written) & set(too_long), "written beyond MAX_PATH: %r" % written)

        # A full disk: a 1 MB file system mapped as drive Q:, an older plug-in on it.
        disk = os.path.join(self.out, "e2e-small-disk")
        os.makedirs(disk, exist_ok=True)
        if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=1m", "tmpfs", disk],
                          stderr=subprocess.DEVNULL).returncode != 0:
            print("NOTE full disk not tried: mounting a small file system needs root")
            return
        drive = os.path.join(self.wine.prefix, "dosdevices", "q:")
        try:
            if os.path.lexists(drive):
                os.unlink(drive)
            os.symlink(disk, drive)
            os.makedirs(os.path.join(disk, "Plugins", "Quillane"))
            older = os.path.join(disk, "Plugins", "Quillane", "TiraventBellcove.8bf")
            with open(older, "wb") as f:
                f.write(b"an older plug-in")
            with open(os.path.join(disk, "filler"), "wb") as f:
                f.write(bytes(800 * 1024))
            self.set_maker_folder("Q:\\Plugins")
            text = self.check_write_refused("Q:\\Plugins\\Quillane\\", [], {older: b"an older plug-in"})
            check("These files could not be written" in text, "no write failure reported: " + text)
            for name in os.listdir(os.path.dirname(older)):
                if name != "TiraventBellcove.8bf":
                    check(self.same_as_shipped(os.path.dirname(older), name), name + " is cut short")
        finally:
            if os.path.lexists(drive):
                os.unlink(drive)
            subprocess.run(["umount", disk])
            shutil.rmtree(self.wine.unix("C:\\Long"), ignore_errors=True)

    # --- a hostile machine: everything odd at once ------------------------------------------

    def hostile_seed(self):
        """Seeds odd registry values, keys and settings files; returns the folders the rules
        predict, in list order, before the 20-entry limit."""
        def folder(name):
            os.makedirs(self.wine.unix("C:\\Hostile\\" + name), exist_ok=True)
            return "C:\\Hostile\\" + name

        def raw_sz(text, zero):
            data = text.encode("cp1252") + (b"\0" if zero else b"")
            return "hex(1):" + ",".join("%02x" % b for b in data)

        def padded(name, size, zero):
            # A real folder, then junk that the trimming sheds, to exactly size bytes.
            text = folder(name)
            return raw_sz(text + ";" * (size - len(text) - (1 if zero else 0)), zero)

        # Value names sort in the order they are written, as Wine enumerates them sorted.
        found = []
        values = []
        values.append(("PlugIn1_255", padded("A255", 255, True)))
        found.append("C:\\Hostile\\A255")
        values.append(("PlugIn2_256", padded("B256", 256, True)))
        found.append("C:\\Hostile\\B256")
        values.append(("PlugIn3_257", padded("C257", 257, True)))  # too long: passed over
        values.append(("PlugIn4_NoZero", raw_sz(folder("NoZero"), False)))
        found.append("C:\\Hostile\\Nozero")
        # 256 bytes without a zero: Wine's RegEnumValueA wants room for the zero it adds and
        # reports the value as too long, so it is passed over like the 257-byte one.
        values.append(("PlugIn5_NoZero256", padded("D256", 256, False)))
        for kind in ("hex(2)", "hex(7)", "hex"):  # drive paths in other value types
            text = (folder("Typed") + "\0").encode("cp1252")
            values.append(("PlugIn6_" + kind, kind + ":" + ",".join("%02x" % b for b in text)))
        values.append(("PlugIn7_Dword", "dword:00000001"))
        values.append(("PlugIn8_Letters", reg_string(folder("Caf\u00e9 \u00c4rger"))))
        found.append("C:\\Hostile\\Caf\u00e9 \u00c4rger")
        values.append(("Plug" + "x" * 251, reg_string(folder("Name255"))))
        found.append("C:\\Hostile\\Name255")
        values.append(("Plug" + "y" * 252, reg_string(folder("Name256"))))  # name too long

        root = "HKEY_CURRENT_USER\\Software\\Quillane"
        reg = ["[%s]" % root] + ['"%s"=%s' % (n, v) for n, v in values] + [""]
        # Subkeys are walked in name order: Deep, Names, Wide.
        deep = root + "\\Deep"
        for level in range(2, 26):  # Deep is level 1 below the start key
            deep += "\\L%02d" % level
            reg.append("[%s]" % deep)
            # The walk goes 19 levels below its start key and no further.
            if level in (19, 20):
                reg.append('"PlugInPath"=%s' % reg_string(folder("Deep%02d" % level)))
        found.append("C:\\Hostile\\Deep19")
        reg.append("")
        reg += ["[%s\\Names\\%s]" % (root, "k" * 255), '"PlugInPath"=%s' % reg_string(folder("Key255")), ""]
        reg += ["[%s\\Names\\%s]" % (root, "m" * 256), '"PlugInPath"=%s' % reg_string(folder("Key256")), ""]
        for k in range(1000):
            reg.append("[%s\\Wide\\W%04d]" % (root, k))
        reg += ['"PlugInPath"=%s' % reg_string(folder("Wide")), ""]
        found.append("C:\\Hostile\\Wide")
        # An editor whose preference files are huge, and one of them locked.
        reg += ["[HKEY_CLASSES_ROOT\\Photoshop.PlugIn\\shell\\open\\command]",
                "@=%s" % reg_string('"%s\\photoshp.exe" "%%1"' % folder("Photoshop")), ""]
        reg += ["[HKEY_CLASSES_ROOT\\PainterFile\\shell\\open\\command]",
                "@=%s" % reg_string('"%s\\painter.exe" "%%1"' % folder("Painter")), ""]
        self.wine.regedit("\n".join(reg))

        prefs = self.wine.unix("C:\\Hostile\\Photoshop")
        # Links to folders in the searched tree: back to a parent, and to the whole host drive.
        os.symlink("..", os.path.join(prefs, "Up"))
        os.symlink("/", os.path.join(prefs, "Drive"))
        with open(os.path.join(prefs, "Photoshop Big.ini"), "wb") as f:
            line = (b"x=" + b"q" * 99997 + b"\n")
            for _ in range(100):
                f.write(line)
            f.write(b"PluginDirectory=%s" % folder("PsPlugins").encode())  # no final newline
        found.append("C:\\Hostile\\Psplugins")
        with open(os.path.join(prefs, "Photoshop Locked.ini"), "wb") as f:
            f.write(b"PluginDirectory=%s\n" % folder("Locked").encode())
        # Many more folders than the list holds.
        with open(os.path.join(self.wine.drive_c, "windows", "ulead32.ini"), "w", newline="\r\n") as f:
            for k in range(1, 26):
                f.write("PlugInDir=%s\n" % folder("Many%02d" % k))
                found.append("C:\\Hostile\\Many%02d" % k)
        # A binary settings file full of markers with lying length bytes, then one true record.
        data = b""
        lie = folder("Lie").encode()
        for k in range(2000):
            length = k % 256 if k % 256 != len(lie) else len(lie) + 1
            data += b"\x80" + bytes([length]) + lie + b"\x00\x80\x80"
        true = folder("PainterPlugins").encode()
        data += b"\x80" + bytes([len(true)]) + true + b"\x00" + b"\x80" * 1000
        with open(self.wine.unix("C:\\Hostile\\Painter\\painter.set"), "wb") as f:
            f.write(data)
        return found

    def hostile_unseed(self):
        self.wine.regedit("[-HKEY_CLASSES_ROOT\\Photoshop.PlugIn]\n[-HKEY_CLASSES_ROOT\\PainterFile]\n")
        shutil.rmtree(self.wine.unix("C:\\Hostile"), ignore_errors=True)

    def test_hostile_machine_lists_what_the_rules_predict_and_installs(self):
        self.unseed()
        try:
            found = self.hostile_seed()
            holder = self.wine.start(self.probe, "lock",
                                     "C:\\Hostile\\Photoshop\\Photoshop Locked.ini", "120")
            check(wait_for(lambda: b"locked" in output_of(holder)), "the file could not be locked")
            try:
                listed = [f + "\\Quillane\\" for f in found]
                inst = self.launch()
                entries = inst.combo()[0]
                check(entries == listed[:20] + [BROWSE],
                      "listed: %r\npredicted: %r" % (entries, listed[:20]))
                inst.click(INSTALL)
                check(wait_for(lambda: inst.combo()[2] == 1000), "no completion screen")
                target = self.wine.unix("C:\\Hostile\\A255\\Quillane")
                check(self.installed(target) == sorted(PAYLOAD), "installed: %r" % self.installed(target))
                inst.click(FINISH)
                check(inst.wait_end() == 0, "Finish did not end with 0")

                # Without the many folders, the binary settings file's true record shows.
                os.unlink(os.path.join(self.wine.drive_c, "windows", "ulead32.ini"))
                inst = self.launch()
                entries = inst.combo()[0]
                many = [e for e in listed if "Many" not in e]
                expected = many + ["C:\\Hostile\\Painterplugins\\Quillane\\", BROWSE]
                check(entries == expected, "listed: %r\npredicted: %r" % (entries, expected))
                inst.click(CANCEL)
                check(inst.wait_end() == 0, "Cancel did not end with 0")
            finally:
                holder.kill()
                holder.wait()
        finally:
            self.hostile_unseed()

    def pick_in_tmp(self, lead):
        """Picks, in the open folder picker, the host's /tmp folder whose name begins with
        lead, through Wine's "/" entry."""
        check(wait_for(lambda: self.wine.run(self.probe, "window", "Browse for Folder")[0] == 0),
              "no folder picker appeared")
        out = self.wine.x("xdotool", "search", "--name", "Browse for Folder", "getwindowgeometry")
        x, y = [int(v) for v in out.split("Position: ")[1].split()[0].split(",")]
        self.wine.x("xdotool", "mousemove", str(x + 70), str(y + 112))  # the "/" entry
        time.sleep(0.2)
        self.wine.x("xdotool", "click", "1")
        for keys in (["key", "Right"], ["type", "tmp"], ["key", "Right"], ["type", lead],
                     ["key", "Return"]):
            time.sleep(0.5)
            self.wine.x("xdotool", *keys)

    def test_picked_folder_the_code_page_cannot_spell_is_refused_by_name(self):
        self.unseed()
        # Reached in the picker through Wine's "/" entry: /tmp, then the folder by its first
        # letters, which name this run alone (another run on the machine may have its own).
        # Omega has no form in code page 1252.
        lead = "zzq%d" % os.getpid()
        picked = "/tmp/%s-quillane-\u03a9mega" % lead
        os.makedirs(picked, exist_ok=True)
        try:
            inst = self.launch()
            inst.click(INSTALL)
            self.pick_in_tmp(lead)
            text = inst.message()
            print("message: " + text.strip().replace("\n", " | "), flush=True)
            # The probe reads the text in code page 1252, where Omega shows as a look-alike.
            check("\\tmp\\%s-quillane-" % lead in text and "cannot be used" in text,
                  "the message does not name the folder: " + text)
            entries, selected, top = inst.combo()
            check(entries == [BROWSE] and top == 210, "the selection screen changed: %r" % entries)
            check(not os.path.exists("/tmp/%s-quillane-Omega" % lead), "a look-alike folder was made")
            inst.click(CANCEL)
            check(inst.wait_end() == 0, "Cancel did not end with 0")
        finally:
            shutil.rmtree(picked, ignore_errors=True)

    def test_install_asks_before_the_folder_of_a_64_bit_editor(self):
        # What the files on disk say of the folder's editor, and the question they give:
        # the program the open command names decides; else the plug-ins already there.
        rows = [  # program's machine (0: a registry value), plug-in's machine, picked, words
            (0x8664, None, False, "belongs to a 64-bit program:\n\nC:\\Hosts\\Pixa\\pixa.exe\n\n"),
            (0x014C, 0x8664, False, None),
            (0, 0x8664, False, "\n\nis in\n\nC:\\Hosts\\Pixa\\Plugin\\\n\nwhich holds only plug-ins "
                               "for 64-bit editors.\n\n"),
            (None, 0x8664, True, "\n\nholds only plug-ins for 64-bit editors.\n\n"),
        ]
        lead = "zzq%d-x64" % os.getpid()
        for program, plugin, picked, words in rows:
            self.unseed()
            shutil.rmtree("/tmp/" + lead, ignore_errors=True)
            editor = "/tmp/" + lead if picked else self.wine.unix("C:\\Hosts\\Pixa\\plugin")
            os.makedirs(editor)
            try:
                if program == 0:
                    self.set_maker_folder("C:\\Hosts\\Pixa\\plugin")
                elif program:
                    with open(self.wine.unix("C:\\Hosts\\Pixa\\pixa.exe"), "wb") as f:
                        f.write(module_head(program))
                    self.wine.regedit("[HKEY_CLASSES_ROOT\\PI3.Image\\shell\\open\\command]\n@=%s\n"
                                      % reg_string('"C:\\Hosts\\Pixa\\pixa.exe" "%1"'))
                if plugin:
                    with open(os.path.join(editor, "Editor.8bf"), "wb") as f:
                        f.write(module_head(plugin))
                target = editor if picked else os.path.join(editor, "Quillane")
                inst = self.launch()
                inst.click(INSTALL)
                if picked:
                    self.pick_in_tmp(lead)
                if words:
                    text = inst.message(dismiss=False).strip()
                    print("question: " + text.replace("\n", " | "), flush=True)
                    folder = inst.combo()[0][0]
                    check(text.startswith("The folder\n\n%s\n\n" % folder) and words in text and
                          text.endswith("These filters are 32-bit and will not appear in a 64-bit "
                                        "editor.\n\nInstall them there anyway?"),
                          "the question: %r" % text)
                    shown = inst.combo()
                    inst.key("Return")  # No, the default
                    check(wait_for(lambda: inst.probe("message", "look")[0] != 0), "No kept the question")
                    check(inst.combo() == shown, "No changed the selection screen: %r" % (inst.combo(),))
                    check(os.listdir(editor) == (["Editor.8bf"] if plugin else []),
                          "No wrote %r" % os.listdir(editor))
                    inst.click(INSTALL)
                    inst.message(dismiss=False)
                    inst.key("y")
                check(wait_for(lambda: inst.combo()[2] == 1000), "no completion screen")
                check(self.installed(target) == sorted(PAYLOAD + (["Editor.8bf"] if picked else [])),
                      "installed: %r" % self.installed(target))
                inst.click(FINISH)
                check(inst.wait_end() == 0, "Finish did not end with 0")
            finally:
                shutil.rmtree("/tmp/" + lead, ignore_errors=True)

    def test_a_reader_acts_on_nothing_under_the_64_bit_question(self):
        if not self.reads_accessibility:
            raise Skip("no cross-process COM under the emulated 32-bit loader")
        self.unseed()
        editor = self.wine.unix("C:\\Hosts\\Pixa\\plugin")
        os.makedirs(editor)
        with open(self.wine.unix("C:\\Hosts\\Pixa\\pixa.exe"), "wb") as f:
            f.write(module_head(0x8664))
        self.wine.regedit("[HKEY_CLASSES_ROOT\\PI3.Image\\shell\\open\\command]\n@=%s\n"
                          % reg_string('"C:\\Hosts\\Pixa\\pixa.exe" "%1"'))
        inst = self.launch()
        shown = inst.combo()
        inst.click(INSTALL)
        inst.message(dismiss=False)
        # The box "Nimba Wendaro", then Cancel, as Narrator or NVDA press them.
        for child in (1, CANCEL_CHILD):
            out = inst.probe_patiently("access", str(child))
            check("pressed %d 00000000" % child not in out, "acted on under the question: " + out)
            states = [line.split()[4] for line in out.splitlines() if line.startswith("child %d " % child)]
            check(states and int(states[0], 16) & UNAVAILABLE, "not unavailable: %r" % states)
        inst.key("Return")  # No, the default
        check(wait_for(lambda: inst.probe("message", "look")[0] != 0), "No kept the question")
        check(inst.proc.poll() is None, "the window ended under the question")
        check(inst.combo() == shown, "the selection screen changed: %r" % (inst.combo(),))
        _, children = inst.access()
        check(all(children[k]["state"] & CHECKED for k in range(1, 10)), "a box changed")
        check(os.listdir(editor) == [], "No wrote %r" % os.listdir(editor))
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")

    # --- a machine of today ---------------------------------------------------------------

    def user_folders(self):
        """The user's Documents, Roaming and Local application data as Wine's programs see
        them; Documents made a folder of the prefix's own where Wine links it to the host."""
        if not hasattr(self, "_user_folders"):
            rc, out = self.wine.run("C:\\windows\\system32\\cmd.exe", "/c", "echo %USERPROFILE%",
                                    loader=self.wine.loader64)
            profile = out.strip().splitlines()[-1].strip() if rc == 0 and out.strip() else ""
            check(profile[:3].upper() == "C:\\", "no user profile: %r" % out)
            self._user_folders = [profile + "\\Documents", profile + "\\AppData\\Roaming",
                                  profile + "\\AppData\\Local"]
            documents = self.wine.unix(self._user_folders[0])
            if os.path.islink(documents):
                os.unlink(documents)
            os.makedirs(documents, exist_ok=True)
        return self._user_folders

    def today_unseed(self):
        documents, roaming, local = self.user_folders()
        for folder in ("C:\\Program Files\\paint.net", "C:\\Filters",
                       documents + "\\paint.net App Files", documents + "\\paint.net User Files",
                       roaming + "\\GIMP", local + "\\PhotoDemon"):
            shutil.rmtree(self.wine.unix(folder), ignore_errors=True)

    def test_machine_of_today_lists_the_hosts_that_load_these_filters(self):
        def write(path, data=b""):
            os.makedirs(os.path.dirname(self.wine.unix(path)), exist_ok=True)
            with open(self.wine.unix(path), "wb") as f:
                f.write(data)

        def capitalized(path):
            # As the list writes a folder: lower case, upper case after every non-letter.
            text = list(path.lower())
            text[0] = text[0].upper()
            for i in range(len(text) - 1):
                if not text[i].isalpha():
                    text[i + 1] = text[i + 1].upper()
            return "".join(text)

        self.unseed()
        documents, roaming, local = self.user_folders()
        self.today_unseed()
        try:
            # Photoshop 2025 (64-bit): its program above the plug-in folder, its own modules
            # in a sub-folder of it; its plug-in folder named by the maker's key.
            photoshop = "C:\\Program Files\\Adobe\\Adobe Photoshop 2025"
            write(photoshop + "\\Photoshop.exe", module_head(0x8664))
            write(photoshop + "\\Plug-ins\\Filters\\Lighting Effects.8bf", module_head(0x8664))
            self.set_maker_folder(photoshop + "\\Plug-ins")
            # Paint.NET (64-bit), classic and Store app, each with PSFilterPdn.
            paint_net = "C:\\Program Files\\paint.net"
            write(paint_net + "\\PaintDotNet.exe", module_head(0x8664))
            write(paint_net + "\\Effects\\PSFilterPdn.dll", b"PSFilterPdn")
            write(documents + "\\paint.net App Files\\Effects\\PSFilterPdn\\PSFilterPdn.dll",
                  b"PSFilterPdn")
            # PSFilterPdn's settings: one folder that exists, one that does not (its parent
            # does, so a trimmed folder would show); sub-folders not searched.
            os.makedirs(self.wine.unix("C:\\Filters\\Old32"))
            write(documents + "\\paint.net User Files\\PSFilterPdn.xml",
                  ("\ufeff<?xml version=\"1.0\" encoding=\"utf-8\"?><PSFilterPdnSettings "
                   "xmlns:i=\"http://www.w3.org/2001/XMLSchema-instance\" "
                   "xmlns=\"http://schemas.datacontract.org/2004/07/PSFilterPdn\"><SearchDirectories "
                   "xmlns:d2p1=\"http://schemas.microsoft.com/2003/10/Serialization/Arrays\">"
                   "<d2p1:string>C:\\Filters\\Old32</d2p1:string>"
                   "<d2p1:string>C:\\Filters\\Missing</d2p1:string></SearchDirectories>"
                   "<SearchSubdirectories>false</SearchSubdirectories></PSFilterPdnSettings>")
                  .encode("utf-8"))
            # GIMP 2.10 with pspi, and PhotoDemon.
            os.makedirs(self.wine.unix("C:\\Filters\\Pspi"))
            write(roaming + "\\GIMP\\2.10\\gimprc",
                  b'# GIMP gimprc\n(pspi-path "C:\\\\Filters\\\\Pspi;C:\\\\Filters\\\\Gone")\n')
            os.makedirs(self.wine.unix(local + "\\PhotoDemon\\Data\\8bfPlugins"))

            expected = [
                "C:\\Program Files\\Adobe\\Adobe Photoshop 2025\\Plug-Ins\\Quillane\\",
                "C:\\Program Files\\Paint.Net\\Effects\\Quillane\\",
                capitalized(documents + "\\paint.net App Files\\Effects\\") + "Quillane\\",
                "C:\\Filters\\Old32\\",
                "C:\\Filters\\Pspi\\Quillane\\",
                capitalized(local + "\\PhotoDemon\\Data\\8bfPlugins\\") + "Quillane\\",
                BROWSE,
            ]
            inst = self.launch()
            entries, selected, _ = inst.combo()
            check(entries == expected, "listed: %r\npredicted: %r" % (entries, expected))
            # Photoshop's folder: the 64-bit question comes first, and No writes nothing.
            inst.click(INSTALL)
            text = inst.message(dismiss=False).strip()
            print("question: " + text.replace("\n", " | "), flush=True)
            check(text.startswith("The folder\n\n%s\n\n" % expected[0]) and "64-bit" in text,
                  "the question: %r" % text)
            inst.key("Return")  # No, the default
            check(wait_for(lambda: inst.probe("message", "look")[0] != 0), "No kept the question")
            # On the host the folders keep the case they were made in.
            check(not os.path.exists(self.wine.unix(photoshop + "\\Plug-ins\\Quillane")),
                  "No wrote into Photoshop's folder")
            # Paint.NET's Effects folder: written without a question.
            inst.click(COMBO)
            inst.key("Down", "Return")
            check(inst.combo()[1] == 1, "the Paint.NET entry is not selected: %r" % (inst.combo(),))
            inst.click(INSTALL)
            check(wait_for(lambda: inst.combo()[2] == 1000), "no completion screen for Paint.NET")
            effects = self.wine.unix(paint_net + "\\Effects\\Quillane")
            check(self.installed(effects) == sorted(PAYLOAD), "installed: %r" % self.installed(effects))
            inst.click(FINISH)
            check(inst.wait_end() == 0, "Finish did not end with 0")
        finally:
            self.today_unseed()

    def test_without_folders_install_opens_the_folder_picker(self):
        self.unseed()
        inst = self.launch()
        entries, selected, _ = inst.combo()
        check(entries == [BROWSE], "drop-down of an empty machine: %r" % entries)
        inst.click(INSTALL)
        deadline = time.time() + 20
        while inst.probe("window", "Browse for Folder")[0] != 0:
            check(time.time() < deadline, "no folder picker appeared")
            time.sleep(0.3)
        inst.probe("window", "Browse for Folder", "cancel")
        time.sleep(0.5)
        check(inst.combo()[0] == [BROWSE], "the drop-down changed after a cancelled pick")
        check(not os.path.exists(os.path.join(self.wine.drive_c, BROWSE)), "a folder named after the browse entry")
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")

    # --- keyboard and screen readers ---------------------------------------------------------

    def test_keyboard_only_install_with_two_filters_cleared(self):
        inst = self.launch()
        start = wait_for(lambda: inst.painted("screenshot-keys-start.png", (6, 190)))
        check(start, "the selection screen was not painted")
        # The focus starts on Install, but its rectangle shows only once the keyboard is used.
        ring_on_install = lambda shot: [p for p in inst.region(shot, 252, 243, 304, 244)
                                        if p[2] > p[0] + 50]
        check(not ring_on_install(start), "a focus rectangle before any key was pressed")
        # Install, Cancel, then the boxes top to bottom: the fourth is Vilo 2000 demo.
        inst.key("Tab", "Tab", "Tab", "Tab", "Tab", "space")
        box_shot = inst.screenshot("screenshot-focus-box.png")
        ring_line = (228, 68, 340, 69)  # top edge of the rectangle around box 3 and its label
        changed = [a for a, b in zip(inst.region(start, *ring_line), inst.region(box_shot, *ring_line))
                   if a != b]
        check(len(changed) > 20, "no focus rectangle around the focused box")
        greens = [p for p in inst.region(box_shot, 230, 70, 243, 83) if p[1] > 110 and p[1] > p[0] + 40]
        check(not greens, "Space did not clear the focused box")
        # On to Morvellane 3D, clear it, then Zentrove demo, the link, the drop-down, Install.
        inst.key("Tab", "Tab", "Tab", "Tab", "space", "Tab", "Tab", "Tab", "Tab")
        install_shot = inst.screenshot("screenshot-focus-install.png")
        check(len(ring_on_install(install_shot)) > 10, "no focus rectangle inside Install")
        check(inst.region(start, *ring_line) == inst.region(install_shot, *ring_line),
              "the focus rectangle left marks around the box it left")
        inst.key("Return")
        wait_for(lambda: inst.combo()[2] == 1000)
        check(self.installed() == sorted(set(PAYLOAD) - VILO_AND_MORVELLANE),
              "installed: %r" % self.installed())
        # The completion screen has the focus on Finish: Enter ends the installer.
        inst.key("Return")
        check(inst.wait_end() == 0, "Enter on the completion screen did not end with 0")

    def test_keys_move_backwards_and_escape_cancels(self):
        inst = self.launch()
        start = wait_for(lambda: inst.painted("screenshot-keys-back.png", (6, 190)))
        check(start, "the selection screen was not painted")
        reader = self.reads_accessibility
        if reader:
            check(inst.access()[0] == INSTALL_CHILD, "the focus does not start on Install")
        inst.key("shift+Tab")  # the drop-down, which has its own accessible object
        if reader:
            children = inst.access()[1]
            check(children[11]["kind"] == "object" and children[11]["state"] & FOCUSED,
                  "Shift+Tab from Install did not reach the drop-down")
        # Arrow keys go to the drop-down, every one of them: its focus is not taken away.
        inst.key("Down", "Down")
        check(inst.combo()[1] == 2, "two Down keys selected entry %r" % inst.combo()[1])
        inst.key("shift+Tab")
        if reader:
            check(inst.access()[0] == 10, "Shift+Tab from the drop-down did not reach the link")
        inst.key("shift+Tab", "space")  # Space on Zentrove demo clears it, as a click does
        shot = inst.screenshot("screenshot-keys-back-space.png")
        greens = [p for p in inst.region(shot, 230, 170, 243, 183) if p[1] > 110 and p[1] > p[0] + 40]
        check(not greens, "Space did not clear Zentrove demo")
        if reader:
            focus, children = inst.access()
            check(focus == 9 and not children[9]["state"] & CHECKED, "Space did not clear the box")
        inst.key("Escape")
        check(inst.wait_end() == 0, "Escape did not end with 0")
        check(not os.path.exists(self.target()), "Escape must write nothing")

    def test_screen_reader_reads_the_window_and_toggles_a_box(self):
        if not self.reads_accessibility:
            raise Skip("no cross-process COM under the emulated 32-bit loader")
        inst = self.launch()
        focus, children = inst.access()
        check(sorted(children) == list(range(1, 15)), "children: %r" % sorted(children))
        check(focus == INSTALL_CHILD, "focus on %r" % focus)
        cx, cy = inst.client[0], inst.client[1]
        expected = {k + 1: (ROLE_CHECKBUTTON, LABELS[k], CHECKED | FOCUSABLE, "Uncheck",
                            (230, 10 + 20 * k)) for k in range(9)}
        expected[10] = (ROLE_LINK, "www.quillane.example", LINKED | FOCUSABLE, "Jump", (96, 14))
        expected[12] = (ROLE_PUSHBUTTON, "Install", FOCUSED | DEFAULT | FOCUSABLE, "Press", (249, 240))
        expected[13] = (ROLE_PUSHBUTTON, "Cancel", FOCUSABLE, "Press", (319, 240))
        expected[14] = (ROLE_PUSHBUTTON, "Finish", INVISIBLE | 0x1, "Press", (161, 210))
        for child, (role, name, state, action, at) in expected.items():
            got = children[child]
            check((got["kind"], got["role"], got["name"], got["state"], got["action"]) ==
                  ("element", role, name, state, action), "child %d reads %r" % (child, got))
            check(got["rect"][:2] == [cx + at[0], cy + at[1]] and got["rect"][2] > 0,
                  "child %d is at %r on the screen" % (child, got["rect"]))
        check(children[11]["kind"] == "object", "the drop-down is not its own object")
        check(children[11]["rect"][:2] == [cx + 6, cy + 210], "the drop-down is at %r" % children[11]["rect"])

        events = self.wine.start(self.probe, "events", "12")
        check(wait_for(lambda: b"listening" in output_of(events)), "no event listener")
        inst.press(4)  # Vilo 2000 demo
        _, children = inst.access()
        check(not children[4]["state"] & CHECKED and children[4]["action"] == "Check",
              "the default action did not clear the box: %r" % children[4])
        inst.press(8)  # Morvellane 3D
        inst.press(INSTALL_CHILD)
        check(wait_for(lambda: inst.combo()[2] == 1000), "the Install action did not install")
        check(self.installed() == sorted(set(PAYLOAD) - VILO_AND_MORVELLANE),
              "installed: %r" % self.installed())
        focus, children = inst.access()
        check(all(children[k]["state"] & INVISIBLE for k in range(1, 10)), "boxes still readable")
        check(children[INSTALL_CHILD]["state"] & INVISIBLE, "Install still readable")
        check(children[11]["state"] & INVISIBLE, "the drop-down is still readable")
        check(children[FINISH_CHILD]["state"] == FOCUSED | FOCUSABLE and focus == FINISH_CHILD,
              "Finish does not have the focus: %r" % children[FINISH_CHILD])
        check(children[10]["state"] & LINKED and not children[10]["state"] & INVISIBLE,
              "the link is gone from the completion screen")
        inst.press(FINISH_CHILD, ends=True)
        check(inst.wait_end() == 0, "Finish did not end with 0")
        events.wait(timeout=30)
        heard = set(line.split(None, 1)[1] for line in output_of(events).decode().splitlines()
                    if line.startswith("event "))
        # State changes of both boxes, the screen change and the focus on Finish.
        for event in ("800a 4", "800a 8", "8003 1", "8003 12", "8002 14", "8005 14"):
            check(event in heard, "event %s not raised; heard %r" % (event, sorted(heard)))

    # --- behaviour of Windows controls ---------------------------------------------------------

    def test_double_click_on_a_box_toggles_it_twice(self):
        inst = self.launch()
        check(wait_for(lambda: inst.painted("screenshot-double-click.png", (6, 190))),
              "the selection screen was not painted")
        x, y = box_point(0)
        self.wine.x("xdotool", "mousemove", str(inst.client[0] + x), str(inst.client[1] + y))
        time.sleep(0.1)
        ticked = lambda name: [p for p in inst.region(inst.screenshot(name), 230, 10, 243, 23)
                               if p[1] > 110 and p[1] > p[0] + 40]
        self.wine.x("xdotool", "click", "--repeat", "2", "--delay", "80", "1")
        time.sleep(0.8)
        check(ticked("screenshot-double-click-2.png"), "a double-click left the box cleared")
        self.wine.x("xdotool", "click", "--repeat", "3", "--delay", "80", "1")
        time.sleep(0.8)
        check(not ticked("screenshot-double-click-3.png"), "three clicks left the box ticked")
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")

    def test_button_released_off_the_window_is_not_pressed(self):
        inst = self.launch()
        start = wait_for(lambda: inst.painted("screenshot-release-start.png", (6, 190)))
        face = (CANCEL[0] - 30, 240, CANCEL[0] + 30, 262)
        x, y = inst.client[0] + CANCEL[0], inst.client[1] + CANCEL[1]
        self.wine.x("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        self.wine.x("xdotool", "mousedown", "1")
        time.sleep(0.5)
        pressed = inst.screenshot("screenshot-release-pressed.png")
        check(inst.region(pressed, *face) != inst.region(start, *face), "Cancel did not look pressed")
        inst.move_off_window()
        self.wine.x("xdotool", "mouseup", "1")
        time.sleep(0.8)
        check(inst.proc.poll() is None, "a release off the window pressed Cancel")
        raised = inst.screenshot("screenshot-release-raised.png")
        check(inst.region(raised, *face) == inst.region(start, *face), "Cancel still looks pressed")
        # The next press and release on the button is a click again.
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")

    def test_status_text_goes_when_the_pointer_leaves_the_window(self):
        inst = self.launch()
        wait_for(lambda: inst.painted("screenshot-status-start.png", (6, 190)))
        dark = lambda shot: [p for p in inst.region(shot, *STATUS_AREA) if sum(p) < 200]
        x, y = box_point(0)
        self.wine.x("xdotool", "mousemove", str(inst.client[0] + x), str(inst.client[1] + y))
        time.sleep(0.6)
        check(len(dark(inst.screenshot("screenshot-status-shown.png"))) > 20, "no status text over a box")
        inst.move_off_window()
        check(not dark(inst.screenshot("screenshot-status-left.png")), "the status text stayed")
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")

    def test_home_page_opens_through_the_desktop_shell(self):
        # The browser is a recorder that writes the address and the program that started it.
        # Where 64-bit Wine programs cannot start 32-bit ones (the 32-bit loader runs under
        # emulation), it is the 64-bit command shell, which writes the bitness of whoever
        # started it: only the desktop's shell is 64-bit there, the installer is not.
        record = "C:\\browser.txt"
        if self.wine.arch == "win32":
            handler = ('C:\\windows\\system32\\cmd.exe /c "echo %%1>%s& echo '
                       '%%PROCESSOR_ARCHITECTURE%%>>%s"' % (record, record))
            shell = "amd64"
        else:
            handler = '"%s" record %s "%%1"' % (self.wine.windows(self.probe), record)
            shell = "explorer.exe"
        self.wine.regedit("[HKEY_CLASSES_ROOT\\https\\shell\\open\\command]\n@=%s\n"
                          % reg_string(handler), both_views=True)
        recorded = self.wine.unix(record)
        if os.path.exists(recorded):
            os.unlink(recorded)
        # Wine's COM service keeps the desktop shell's registration after that shell has
        # ended; a fresh Wine server starts with none, so the desktop shell is reachable.
        self.wine.restart()
        inst = self.launch()
        inst.click(HOME_PAGE_LINK)

        def recorded_lines():
            if not os.path.exists(recorded):
                return None
            with open(recorded) as f:
                lines = [line.strip() for line in f.read().splitlines() if line.strip()]
            return lines if len(lines) >= 2 else None

        lines = wait_for(recorded_lines, timeout=90)
        if not (lines and len(lines) == 2):
            rc, shown = inst.probe("message", "look")
            raise Failure("no browser was started for the link" +
                          (": the installer showed " + shown if rc == 0 else ""))
        check(lines[0].strip() == HOME_PAGE, "the browser was given %r" % lines[0])
        check(lines[1].strip().lower() == shell,
              "the browser was started by %r, not by the desktop's shell" % lines[1])
        # The request to the desktop's shell is answered on the window's thread; the window
        # must take input again once it has been answered.
        started = time.time()
        check(inst.combo()[2] == 210, "the window does not answer after the link")
        print("  the window answered %.1f s after the browser started" % (time.time() - started))
        check(inst.probe("message", "look")[0] != 0, "a message box although the page was opened")
        inst.click(CANCEL)
        check(inst.wait_end() == 0, "Cancel did not end with 0")

    def test_planted_dlls_beside_the_installer_are_not_loaded(self):
        downloads = self.wine.unix("C:\\Downloads\\")
        os.makedirs(downloads)
        for name in PLANTED:
            shutil.copy(self.planted, os.path.join(downloads, name))

        def markers():
            return sorted(n[:-len(".loaded")] for n in os.listdir(downloads) if n.endswith(".loaded"))

        # Without protection this Wine does load DLLs planted beside a program.
        shutil.copy(self.control, os.path.join(downloads, "control.exe"))
        rc, out = self.wine.run("C:\\Downloads\\control.exe", *PLANTED)
        loaded = markers()
        print("  an unprotected program loaded the planted %s" % ", ".join(loaded))
        check(loaded, "the unprotected control loaded no planted DLL, so this test cannot fail: " + out)
        for name in loaded:
            os.unlink(os.path.join(downloads, name + ".loaded"))
        rc, out = self.wine.run("C:\\Downloads\\control.exe", "protected", *PLANTED)
        check(not markers(), "the installer's start-up let these load: %r" % markers())

        # The real installer from that folder: start, folder picker, install, finish.
        # Wine puts its own build in place of most planted system DLLs, so its loader trace
        # also shows where each DLL was looked for.
        shutil.copy(self.exe, os.path.join(downloads, "QuillaneSetup.exe"))
        inst = self.launch("C:\\Downloads\\QuillaneSetup.exe", env={"WINEDEBUG": "+loaddll"})
        # Opening the drop-down and moving to its last entry, the browse entry, opens the picker.
        inst.click(COMBO)
        self.wine.x("xdotool", "key", "End")
        check(wait_for(lambda: inst.probe("window", "Browse for Folder")[0] == 0, 20),
              "no folder picker appeared")
        inst.probe("window", "Browse for Folder", "cancel")
        check(wait_for(lambda: inst.probe("window", "Browse for Folder")[0] != 0, 20),
              "the folder picker stayed open")
        inst.click(INSTALL)
        check(wait_for(lambda: inst.combo()[2] == 1000, 30), "the install did not finish")
        check(self.installed() == sorted(PAYLOAD), "installed: %r" % self.installed())
        inst.click(FINISH)
        check(inst.wait_end() == 0, "Finish did not end with 0")
        check(not markers(), "the installer loaded planted DLLs: %r" % markers())
        trace = output_of(inst.proc).decode("latin-1")
        native = re.findall(r'Loaded L"C:\\\\Downloads\\\\([^"]+)" at \w+: native', trace)
        check(native == ["QuillaneSetup.exe"], "code from the installer's folder ran: %r" % native)
        # Wine looks these up by name in the program's folder before the program starts (the
        # imports of its own DLLs) and in the picker's side-by-side lookup, then maps its own
        # build from the system folder: out of the program's reach, and no planted code runs.
        resolved = set(re.findall(r'Loaded L"C:\\\\Downloads\\\\([^"]+)"', trace))
        late = sorted(resolved - {"QuillaneSetup.exe", "version.dll", "comctl32.dll"})
        check(not late, "DLLs looked up in the installer's folder: %r" % late)

    def test_probed_and_chosen_folders_are_not_held_open(self):
        # An existing folder is entered by the install step, not created.
        target = self.EXPECTED[0].rstrip("\\")
        os.makedirs(self.wine.unix(target))
        inst = self.launch()

        def renamable(folder):
            rc, out = inst.probe("rename", folder, folder + "-renamed")
            if rc == 0:
                inst.probe("rename", folder + "-renamed", folder)
            return rc == 0, out.strip()

        for folder in self.FOLDERS.values():
            ok, out = renamable(folder.rstrip("\\"))
            check(ok, "%s cannot be renamed while the window is open: %s" % (folder, out))
        inst.click(INSTALL)
        check(wait_for(lambda: inst.combo()[2] == 1000, 30), "the install did not finish")
        check(self.installed() == sorted(PAYLOAD), "installed: %r" % self.installed())
        ok, out = renamable(target)
        check(ok, "the folder installed into cannot be renamed while the window is open: " + out)
        inst.click(FINISH)
        check(inst.wait_end() == 0, "Finish did not end with 0")

    def test_folder_texts_are_listed_only_as_install_takes_them(self):
        # Registry values that lead elsewhere through ".." steps, and that name a folder with
        # "/" and "." steps; the folders they lead to exist.
        os.makedirs(self.wine.unix("C:\\Hosts\\Slash\\Plug-Ins"), exist_ok=True)
        self.wine.regedit("[HKEY_CURRENT_USER\\Software\\Quillane]\n\"PlugInPath\"=%s\n\"PlugInSlash\"=%s\n"
                          % (reg_string("C:\\Hosts\\Maker\\Plug-Ins\\..\\..\\..\\Ulead\\Plugins"),
                             reg_string("C:/Hosts/./Slash/Plug-Ins")))
        inst = self.launch()
        entries = inst.combo()[0]
        check(not any(".." in e for e in entries), "a folder with .. steps is listed: %r" % entries)
        slash = "C:\\Hosts\\Slash\\Plug-Ins\\Quillane\\"
        check(entries[0] == slash, "first entry %r, not %r" % (entries[0], slash))
        inst.click(INSTALL)
        check(wait_for(lambda: inst.combo()[2] == 1000, 30), "the install did not finish")
        check(self.installed(self.wine.unix(slash)) == sorted(PAYLOAD), "not installed into " + slash)
        inst.click(FINISH)
        check(inst.wait_end() == 0, "Finish did not end with 0")

    def test_critical_error_boxes_are_off_before_the_window(self):
        # Wine's relay trace shows the installer's own calls, in order.
        debug = "[HKEY_CURRENT_USER\\Software\\Wine\\Debug]\n\"RelayInclude\"=%s\n"
        self.wine.regedit(debug % '"SetErrorMode;DialogBoxParamA"')
        try:
            inst = self.launch(env={"WINEDEBUG": "+relay"})
            inst.click(CANCEL)
            check(inst.wait_end() == 0, "Cancel did not end with 0")
        finally:
            self.wine.regedit(debug % "-")
        calls = [line for line in output_of(inst.proc).decode("latin-1").splitlines()
                 if ":Call " in line and ("SetErrorMode" in line or "DialogBoxParamA" in line)]
        check(any("DialogBoxParamA" in c for c in calls), "no relay trace of the dialog: %r" % calls)
        check("SetErrorMode(00008001)" in calls[0],
              "the critical-error boxes are not off before the window: %r" % calls[:2])

    def run(self):
        tests = [n for n in sorted(dir(self)) if n.startswith("test_") and callable(getattr(self, n))]
        # The empty-machine test unseeds; it runs last.
        tests.sort(key=lambda name: name == "test_without_folders_install_opens_the_folder_picker")
        tests = [name for name in tests for _ in range(self.repeat)]
        passed = failed = 0
        for name in tests:
            self.unseed()
            self.seed()
            started = time.time()
            try:
                getattr(self, name)()
                passed += 1
                print("PASS %s (%.1f s)" % (name, time.time() - started), flush=True)
            except Skip as reason:
                print("SKIP %s: %s" % (name, reason), flush=True)
            except Exception as error:  # a failed check or a broken run: report and go on
                failed += 1
                print("FAIL %s: %s" % (name, error), flush=True)
                if not isinstance(error, Failure):
                    traceback.print_exc()
            finally:
                for inst in self.running:
                    inst.kill()
                self.running = []
        self.unseed()
        print("%d passed, %d failed" % (passed, failed))
        return 1 if failed or not passed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    for name in ("exe", "probe", "prefix", "payload", "out", "scripts", "arch", "planted", "control"):
        parser.add_argument("--" + name, required=True)
    parser.add_argument("-k", dest="only", help="run only tests whose name contains this")
    parser.add_argument("--repeat", type=int, default=1, help="run each test this many times")
    args = parser.parse_args()
    suite = Suite(args)
    suite.repeat = args.repeat
    if args.only:
        for name in [n for n in dir(suite) if n.startswith("test_") and args.only not in n]:
            setattr(suite, name, None)
    return suite.run()


if __name__ == "__main__":
    sys.exit(main())
