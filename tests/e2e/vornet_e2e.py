"""The harness of the end-to-end journeys: Vornet runs under Wine in Xvfb (tools/test
prepares DISPLAY, WINEPREFIX and a warm server) and is looked at and poked
through vornet-driver.exe (its commands are listed at the top of driver.cpp) and xdotool.
Every wait polls for the state it expects until a deadline; no wait is a fixed time.
VORNET_E2E_TIMEOUT_SCALE stretches every deadline on a slow machine."""

import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.environ.get("VORNET_ROOT") or os.path.dirname(os.path.dirname(HERE))
EXE = os.environ.get("VORNET_EXE") or os.path.join(ROOT, "dist", "Vornet.exe")
DRIVER = os.environ.get("VORNET_DRIVER") or os.path.join(
    ROOT, "build", "cross", "tests", "e2e", "vornet-driver.exe")
SCALE = float(os.environ.get("VORNET_E2E_TIMEOUT_SCALE") or 1)

WM_COMMAND, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP = 0x111, 0x200, 0x201, 0x202
WM_USER, WM_KEYDOWN = 0x400, 0x100
IDOK, IDYES = 1, 6
IDM = dict(version=40002, exit=40008, delete=40010, sort=40015, edit=40018, properties=40020,
           backdated=40022)
FSIZE = 18
LIBFAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
WHITE, SILVER, BLACK = 0xFFFFFF, 0xC0C0C0, 0
# The Japanese journeys' own system: a prefix of their own, code page 932.
JAPANESE = {"WINEPREFIX": os.environ.get("VORNET_JA_WINEPREFIX") or
            os.path.join(ROOT, "build", "wineprefix-ja"), "LANG": "ja_JP.UTF-8"}
# Displays at 150% and 200%: prefixes whose LogPixels are 144 and 192.
AT_150 = {"WINEPREFIX": os.environ.get("VORNET_150_WINEPREFIX") or
          os.path.join(ROOT, "build", "wineprefix-150")}
AT_200 = {"WINEPREFIX": os.environ.get("VORNET_200_WINEPREFIX") or
          os.path.join(ROOT, "build", "wineprefix-200")}
DEFAULTS = (("current_task", 0), ("winX", 960), ("winY", 0), ("wintop", 1), ("fsize", FSIZE),
            ("fontface", "Arial"), ("ftype", 400), ("toumeido", 255),
            ("backR", 0), ("backG", 0), ("backB", 0), ("rectR", 192), ("rectG", 192),
            ("rectB", 192), ("text1R", 255), ("text1G", 255), ("text1B", 255),
            ("text2R", 192), ("text2G", 192), ("text2B", 192), ("hotkey", 1568))


class DriverError(Exception):
    pass


def wait_for(predicate, timeout=10, what="the expected state"):
    """Polls until predicate() gives something truthy and returns it."""
    deadline = time.monotonic() + timeout * SCALE
    while True:
        try:
            value = predicate()
            if value:
                return value
        except (OSError, DriverError):
            pass  # a file or a window not there yet
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout * SCALE:.0f} s waiting for {what}")
        time.sleep(0.02)


def settings_file(tasks=("Break",), extra=b"", encoding="cp1252", **fields):
    """setting.ini bytes as Vornet writes them: 50 slots, then the 21 keys."""
    def b(v):
        return v if isinstance(v, bytes) else str(v).encode(encoding)
    lines = [b"%02d=" % i + b(tasks[i] if i < len(tasks) else "") for i in range(50)]
    lines += [k.encode() + b"=" + b(fields.pop(k, v)) for k, v in DEFAULTS]
    assert not fields, f"unknown keys {fields}"
    return b"".join(line + b"\r\n" for line in lines) + extra


def log_rows(data, encoding="cp1252"):
    """(start, duration, seconds, name) of each timelog.csv line."""
    rows = [line.split(b",", 3) for line in (data or b"").split(b"\r\n")[:-1]]
    return [(s.decode(), d.decode(), int(n), name.decode(encoding)) for s, d, n, name in rows]


class Driver:
    """One `wine vornet-driver.exe serve`, started again when it has ended (a session end
    ends every process of the prefix). A start under load can end before it answers: it is
    tried again until a deadline, its errors kept for the failure message."""

    def __init__(self, system=None, encoding="cp1252"):
        self.proc = None
        self.system = system or {}
        self.encoding = encoding

    def start(self):
        deadline = time.monotonic() + 60 * SCALE
        while True:
            self.errors = tempfile.TemporaryFile()
            self.proc = subprocess.Popen(["wine", DRIVER, "serve"], stdin=subprocess.PIPE,
                                         stdout=subprocess.PIPE, stderr=self.errors,
                                         env=dict(os.environ, **self.system))
            self.pending = b""
            try:
                return self.exchange("ping", deadline - time.monotonic())
            except DriverError:
                self.stop()
                if time.monotonic() > deadline:
                    self.errors.seek(0)
                    raise DriverError("the driver does not start: " + self.errors.read().decode(errors="replace"))

    def stop(self):
        if self.proc is not None and self.proc.poll() is None:
            self.proc.kill()
        if self.proc is not None:
            self.proc.wait()
        self.proc = None

    def exchange(self, line, timeout):
        self.proc.stdin.write(line.encode(self.encoding) + b"\n")
        self.proc.stdin.flush()
        deadline = time.monotonic() + max(timeout, 1)
        while b"\n" not in self.pending:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.proc.stdout], [], [], left)[0]:
                raise DriverError(f"no answer to {line!r}")
            chunk = os.read(self.proc.stdout.fileno(), 65536)
            if not chunk:
                raise DriverError(f"the driver ended without answering {line!r}")
            self.pending += chunk
        answer, _, self.pending = self.pending.partition(b"\n")
        return answer.decode(self.encoding).rstrip("\r")

    def __call__(self, *words):
        if self.proc is None or self.proc.poll() is not None:
            self.start()
        answer = self.exchange("\t".join(map(str, words)), 20 * SCALE).split("\t")
        if answer[0] != "ok":
            raise DriverError(f"{words[0]}: {' '.join(answer)}")
        unesc = lambda m: {"t": "\t", "r": "\r", "n": "\n"}.get(m.group(1), m.group(1))
        return [re.sub(r"\\(.)", unesc, f) for f in answer[1:]]

    def windows(self, cls):
        f = self("windows", cls)
        return [dict(hwnd=int(f[i]), pid=int(f[i + 1]), rect=tuple(map(int, f[i + 2:i + 6])),
                     text=f[i + 6]) for i in range(0, len(f), 7)]


DRIVE = Driver()
DRIVE_JA = Driver(JAPANESE, "cp932")
# One driver per prefix: it sees only the windows of its own.
DRIVERS = (DRIVE, DRIVE_JA, Driver(AT_150), Driver(AT_200))


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


class Journey(unittest.TestCase):
    """A fresh folder per test, Vornet started in it, and the looks and pokes a journey needs.
    A Western Windows (code page 1252); JapaneseJourney runs on a Japanese one."""
    system = {}
    encoding = "cp1252"

    def setUp(self):
        if not os.path.exists(EXE):
            self.skipTest(f"{EXE} not built")
        self.driver = next(d for d in DRIVERS if d.system == self.system)
        self.folder = tempfile.mkdtemp(prefix="vornet-e2e-")
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        self.procs = []
        self.addCleanup(self.stop_all)
        self.assertEqual([], self.driver.windows("Quernbox"), "a Vornet runs already")

    def stop_all(self):
        for proc in self.procs:  # the wine process is the Windows process
            proc.kill()
            proc.wait()

    def path(self, name):
        return os.path.join(self.folder, name)

    def windows_path(self, name):
        return "Z:" + self.path(name).replace("/", "\\")

    def file(self, name):
        try:
            with open(self.path(name), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def put(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data)

    def launch(self, env=None):
        """Starts a Vornet in the folder without waiting for it."""
        proc = subprocess.Popen(["wine", EXE], cwd=self.folder, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                env=dict(os.environ, **self.system, **(env or {})))
        self.procs.append(proc)
        return proc

    def start(self, settings=None, env=None, shown=True):
        """Starts Vornet, after writing setting.ini when given; waits for its window to show
        unless a box is expected first."""
        if settings is not None:
            self.put("setting.ini", settings)
        self.proc = self.launch(env)
        if shown:
            self.wait_shown()

    def wait_shown(self):
        self.hwnd = wait_for(lambda: [w["hwnd"] for w in self.driver.windows("Quernbox")], 30,
                             "the window")[0]

    def exit(self):
        self.command("exit")
        self.proc.wait(timeout=10 * SCALE)

    def command(self, name):
        self.driver("post", self.hwnd, WM_COMMAND, IDM[name], 0)

    def rect(self):
        return [w["rect"] for w in self.driver.windows("Quernbox")][0]

    def height(self):
        left, top, right, bottom = self.rect()
        return bottom - top

    def click(self, x=10, y=5):
        """Posted as the system delivers a click at a point of the client area."""
        for message, held in ((WM_MOUSEMOVE, 0), (WM_LBUTTONDOWN, 1), (WM_LBUTTONUP, 0)):
            self.driver("post", self.hwnd, message, held, (y << 16) | x)

    def hover_row(self, row):
        self.driver("post", self.hwnd, WM_MOUSEMOVE, 0, ((3 + row * FSIZE + FSIZE // 2) << 16) | 10)

    def open_list(self):
        if self.height() > FSIZE + 10:
            return  # open already
        self.click()
        wait_for(lambda: self.height() > FSIZE + 10 and self.height(), 10, "the list open")

    def switch_to(self, row, settle=True):
        """A click on a row; `settle`: wait for the strip (not when a box comes first)."""
        self.open_list()
        self.hover_row(row)
        self.click(10, 3 + row * FSIZE + FSIZE // 2)
        if settle:
            self.settle()

    def settle(self):
        wait_for(lambda: self.height() == FSIZE + 10, 10, "the strip alone")

    def edit_row(self, row, name, settle=True):
        """Edit task on a row of the open list; `settle`: wait for the dialog to close and
        the list with it (not when a box comes first)."""
        self.open_list()
        self.hover_row(row)
        self.command("edit")
        dialog, _ = self.dialog("Edit task")
        self.set_field(dialog, 1000, name)
        self.answer(dialog, IDOK, settle)
        if settle:
            self.settle()

    def dialog(self, title, timeout=10):
        """A dialog or message box of Vornet's: its handle and, for a box, its text."""
        found = wait_for(lambda: [w for w in self.driver.windows("#32770") if w["text"] == title],
                         timeout, f"the {title!r} window")[0]
        static = int(self.driver("child", found["hwnd"], 0xFFFF)[0])
        return found["hwnd"], self.driver("text", static)[0] if static else ""

    def answer(self, hwnd, button, settle=True):
        """Presses a button; `settle`: wait for the window to close (not when a box of its
        own comes first)."""
        self.driver("post", hwnd, WM_COMMAND, button, 0)
        if settle:
            wait_for(lambda: hwnd not in [w["hwnd"] for w in self.driver.windows("#32770")], 10,
                     "the window closed")

    def set_field(self, dialog, control, text):
        self.driver("settext", int(self.driver("child", dialog, control)[0]), text)

    def rows(self):
        return log_rows(self.file("timelog.csv"), self.encoding)

    def faked_clock(self):
        """The environment of a Vornet whose wall clock move_clock() moves: libfaketime shifts
        what its process reads (GetLocalTime reaches clock_gettime) by the offset in a file;
        timers, the monotonic clock and the times of files are left alone."""
        self.assertTrue(os.path.exists(LIBFAKETIME), "libfaketime (tools/setup installs it)")
        self.move_clock(0)
        return {"LD_PRELOAD": LIBFAKETIME, "FAKETIME_TIMESTAMP_FILE": self.path("clock-offset"),
                "FAKETIME_NO_CACHE": "1", "FAKETIME_DONT_FAKE_MONOTONIC": "1", "NO_FAKE_STAT": "1"}

    def move_clock(self, seconds):
        """Sets the offset whole at once: a file read half written would be no offset."""
        self.put("clock-offset.tmp", b"%+d\n" % seconds)
        os.replace(self.path("clock-offset.tmp"), self.path("clock-offset"))

    def strip_shows(self, name, colour=WHITE, face="Arial", size=FSIZE, weight=400, at=(5, 3)):
        """Waits until the strip shows `name` exactly as the same font draws it from Unicode."""
        def drawn():
            differ, inked = map(int, self.driver("textdiff", self.hwnd, face, size, weight, colour,
                                                 BLACK, name.encode("utf-8").hex(), *at))
            return differ == 0 and inked > 0
        wait_for(drawn, 10, f"{name!r} on the strip")


class JapaneseJourney(Journey):
    system = JAPANESE
    encoding = "cp932"


def main(argv):
    """Runs the named modules; 77 (ctest's skip code) when every test skipped."""
    result = unittest.TextTestRunner(verbosity=2).run(unittest.defaultTestLoader.loadTestsFromNames(argv))
    for driver in DRIVERS:
        driver.stop()
    if not result.wasSuccessful():
        return 1
    return 77 if result.testsRun and len(result.skipped) == result.testsRun else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
