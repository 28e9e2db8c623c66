"""Helpers for Vornet's end-to-end tests: the program runs under Wine in Xvfb and is driven
through real X input (xdotool) and through vornet-driver.exe, a Win32 helper that inspects
and pokes its windows from another process (see the command list at the top of driver.cpp).

Expected environment (tools/test and tests/e2e/run set it): DISPLAY, WINEPREFIX (prepared,
server warm), WINEDEBUG, WINEDLLOVERRIDES; VORNET_ROOT is the repository. VORNET_EXE and
VORNET_DRIVER override the program's and the driver's paths. VORNET_E2E_TIMEOUT_SCALE
stretches every time-out (e.g. 3 on a slow machine).

Every wait polls for the state it expects until a deadline; nothing sleeps a fixed time.

The pieces:
- VornetTestCase: per test a fresh folder (self.folder, the program's current directory),
  a Driver (self.driver), start(settings=None) -> waits for the visible window, exit()
  -> Exit command and wait for the process; whatever is left at the end is killed.
  Files: write_settings, read_file, settings_bytes, settings_lines, settings, timelog_bytes,
  timelog, wait_for_file. Tray and menus: tray_icon_center, tray_press, tray_callback,
  open_tray_menu, open_window_menu, choose_menu_item. wait_for / assertEventually.
- Driver: one `wine vornet-driver.exe serve`; a method per driver command (window, rect,
  client, region, topmost, alpha, post, command, key, dialogs, wait_dialog, controls,
  get_text, set_text, dlg_click, combo, scroll, hscroll, msgbox, msgbox_ok, tray, tray_has,
  tray_delete, tooltip, menu, wait_menu, pixel, hold_file, kill, ...); call() for any other.
- X: mousemove, click, mousedown, mouseup, key (real input, through xdotool); screenshot()
  and screen_pixel() (ImageMagick's import as PPM); Compositor (xcompmgr, for alpha blends).
- Files: settings_file(tasks, extra, **fields) builds a setting.ini; split_crlf,
  parse_settings, parse_timelog read them.
- Menus: MENU_LIST_OPEN, MENU_STRIP, which_menu(rect), menu_item_center(rect, layout, text).
- Run: `python3 vornet_e2e.py test_module ...` (what ctest runs; exit 77 when all skipped).
"""

import os
import select
import shutil
import subprocess
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.environ.get("VORNET_ROOT") or os.path.dirname(os.path.dirname(HERE))
EXE = os.environ.get("VORNET_EXE") or os.path.join(ROOT, "dist", "Vornet.exe")
DRIVER = os.environ.get("VORNET_DRIVER") or os.path.join(
    ROOT, "build", "cross", "tests", "e2e", "vornet-driver.exe")
TIMEOUT_SCALE = float(os.environ.get("VORNET_E2E_TIMEOUT_SCALE") or 1)

# Window messages and command ids the tests use.
WM_CLOSE = 0x0010
WM_KEYDOWN = 0x0100
WM_KEYUP = 0x0101
WM_COMMAND = 0x0111
WM_MOUSEMOVE = 0x0200
WM_LBUTTONDOWN = 0x0201
WM_LBUTTONUP = 0x0202
WM_RBUTTONDOWN = 0x0204
WM_USER = 0x0400
VK_RETURN = 0x0D
VK_ESCAPE = 0x1B
VK_DOWN = 0x28
VK_UP = 0x26
VK_DELETE = 0x2E
IDOK = 1
IDCANCEL = 2
TRAY_ID = 111

CMD_VERSION = 40002
CMD_SWITCH_KEEP_OPEN = 40004
CMD_CLOSE_LIST = 40007
CMD_EXIT = 40008
CMD_DELETE = 40010
CMD_ENTER = 40012
CMD_ESCAPE = 40013
CMD_SORT = 40015
CMD_EDIT = 40018
CMD_PROPERTIES = 40020
CMD_BACKDATED = 40022

SCREEN_WIDTH = 1920
SCREEN_HEIGHT = 1080

# The two context menus as the user sees them (None = separator). Wine draws popup menus
# with a 3-pixel border, 16-pixel text items and 9-pixel separators (measured here), so the
# height of the "#32768" window tells which one is open; their items cannot be read from
# another process under Wine.
MENU_LIST_OPEN = ("Edit task", "Change task with a time back", None, "Close List\tESC",
                  "Delete task\tDEL", None, "Sort", None, "Properties", "Version", None, "Exit")
MENU_STRIP = ("Properties", "Version", None, "Exit")
MENU_BORDER = 3
MENU_ITEM_HEIGHT = 16
MENU_SEPARATOR_HEIGHT = 9

# The 70 lines of setting.ini, in order, with the values of a first run on this screen.
DEFAULT_FIELDS = (
    ("current_task", 0), ("winX", SCREEN_WIDTH // 2), ("winY", 0), ("wintop", 1),
    ("fsize", 18), ("fontface", "Arial"), ("ftype", 400), ("toumeido", 255),
    ("backR", 0), ("backG", 0), ("backB", 0),
    ("rectR", 192), ("rectG", 192), ("rectB", 192),
    ("text1R", 255), ("text1G", 255), ("text1B", 255),
    ("text2R", 192), ("text2G", 192), ("text2B", 192),
)

ENCODING = "cp1252"  # the ANSI code page under Wine here


def scaled(seconds):
    return seconds * TIMEOUT_SCALE


class WaitTimeout(AssertionError):
    pass


def wait_for(predicate, timeout=10.0, what="the expected state", interval=0.02):
    """Polls predicate() until it returns something truthy and returns that; fails with
    `what` in the message once `timeout` seconds (scaled) have passed."""
    deadline = time.monotonic() + scaled(timeout)
    last_error = None
    while True:
        try:
            value = predicate()
            if value:
                return value
        except (OSError, DriverError) as error:  # e.g. a file not written yet, a window not up
            last_error = error
        if time.monotonic() >= deadline:
            detail = f" (last error: {last_error})" if last_error else ""
            raise WaitTimeout(f"timed out after {scaled(timeout):.1f} s waiting for {what}{detail}")
        time.sleep(interval)


# ---------------------------------------------------------------- driver protocol

class DriverError(Exception):
    pass


def quote(text):
    """Quotes one argument for the driver: C escapes inside double quotes."""
    if isinstance(text, bytes):
        raw = text
    else:
        raw = str(text).encode(ENCODING, "surrogateescape")
    out = ['"']
    for byte in raw:
        ch = chr(byte)
        if ch == "\\":
            out.append("\\\\")
        elif ch == '"':
            out.append('\\"')
        elif ch == "\n":
            out.append("\\n")
        elif ch == "\r":
            out.append("\\r")
        elif ch == "\t":
            out.append("\\t")
        elif byte < 0x20 or byte >= 0x7F:
            out.append(f"\\x{byte:02X}")
        else:
            out.append(ch)
    out.append('"')
    return "".join(out)


def split_answer(line):
    """Splits an answer line into words; quoted words are unescaped (text is cp1252)."""
    words = []
    data = line.encode(ENCODING, "surrogateescape")
    i = 0
    n = len(data)
    while i < n:
        while i < n and data[i] in b" \t\r":
            i += 1
        if i >= n:
            break
        word = bytearray()
        if data[i] == ord('"'):
            i += 1
            while i < n and data[i] != ord('"'):
                c = data[i]
                i += 1
                if c != ord("\\") or i >= n:
                    word.append(c)
                    continue
                e = chr(data[i])
                i += 1
                if e == "n":
                    word.append(10)
                elif e == "r":
                    word.append(13)
                elif e == "t":
                    word.append(9)
                elif e == "x":
                    word.append(int(data[i:i + 2], 16))
                    i += 2
                else:
                    word.append(ord(e))
            i += 1  # closing quote
        else:
            while i < n and data[i] not in b" \t\r":
                word.append(data[i])
                i += 1
        words.append(word.decode(ENCODING, "surrogateescape"))
    return words


def parse_int(word):
    return int(word, 16) if word.lower().startswith(("0x", "-0x")) else int(word)


class Driver:
    """One `wine vornet-driver.exe serve` process; call() sends one command and returns the
    words of its "ok" answer, or raises DriverError with the "err" text."""

    def __init__(self, cwd=None, driver=DRIVER):
        if not os.path.exists(driver):
            raise FileNotFoundError(f"driver not built: {driver}")
        self.proc = subprocess.Popen(
            ["wine", driver, "serve"], cwd=cwd, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL)
        self._fd = self.proc.stdout.fileno()
        self._buffer = b""
        self.call("ping", timeout=30)  # the first answer also waits for Wine to load it

    # -- protocol

    def raw(self, line, timeout=None):
        """Sends one command line as is; returns the answer line."""
        if self.proc.poll() is not None:
            raise DriverError(f"driver has ended (exit code {self.proc.returncode})")
        self.proc.stdin.write(line.encode(ENCODING, "surrogateescape") + b"\n")
        self.proc.stdin.flush()
        return self._read_line(scaled(timeout if timeout is not None else 10))

    def _read_line(self, timeout):
        deadline = time.monotonic() + timeout
        while b"\n" not in self._buffer:
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                self.close()
                raise DriverError(f"no answer from the driver within {timeout:.1f} s")
            ready, _, _ = select.select([self._fd], [], [], remaining)
            if ready:
                chunk = os.read(self._fd, 65536)
                if not chunk:
                    raise DriverError("the driver ended without answering")
                self._buffer += chunk
        line, _, self._buffer = self._buffer.partition(b"\n")
        return line.decode(ENCODING, "surrogateescape").rstrip("\r")

    def call(self, command, *args, timeout=None):
        """Runs one command; args are quoted unless they are ints. `timeout` (seconds) is
        how long to wait for the answer; wait-commands add their own time to it."""
        words = [command] + [str(a) if isinstance(a, int) else quote(a) for a in args]
        answer = self.raw(" ".join(words), timeout=timeout)
        if answer == "ok":
            return []
        if answer.startswith("ok "):
            return split_answer(answer[3:])
        if answer.startswith("err"):
            raise DriverError(f"{command}: {answer[4:]}")
        raise DriverError(f"{command}: unexpected answer {answer!r}")

    def _wait(self, command, timeout, *args):
        ms = int(scaled(timeout) * 1000)
        return self.call(command, *args, ms, timeout=timeout + 10)

    def close(self):
        if self.proc.poll() is None:
            try:
                self.proc.stdin.close()
                self.proc.wait(timeout=scaled(5))
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
                self.proc.wait()
        for stream in (self.proc.stdin, self.proc.stdout):
            try:
                stream.close()
            except OSError:
                pass

    # -- the main window

    def window(self):
        return parse_int(self.call("window")[0])

    def wait_window(self, timeout=15):
        return parse_int(self._wait("wait-window", timeout)[0])

    def wait_gone(self, timeout=10):
        self._wait("wait-gone", timeout)

    def visible(self):
        return self.call("visible")[0] == "1"

    def rect(self):
        """Outer rectangle (left, top, right, bottom) in screen coordinates."""
        return tuple(int(w) for w in self.call("rect"))

    def client(self):
        """Client area (left, top, right, bottom) in screen coordinates."""
        return tuple(int(w) for w in self.call("client"))

    def region(self):
        """Bounding box of the window region in window coordinates, or None."""
        words = self.call("region")
        return None if words == ["none"] else tuple(int(w) for w in words)

    def topmost(self):
        return self.call("topmost")[0] == "1"

    def style(self):
        style, exstyle = self.call("style")
        return parse_int(style), parse_int(exstyle)

    def alpha(self):
        """(alpha, flags) from GetLayeredWindowAttributes."""
        words = self.call("alpha")
        return int(words[0]), int(words[1])

    def foreground(self):
        return self.call("foreground")[0] == "1"

    def post(self, message, wparam=0, lparam=0):
        self.call("post", message, wparam, lparam)

    def send(self, message, wparam=0, lparam=0, timeout_ms=3000):
        return int(self.call("send", message, wparam, lparam, timeout_ms, timeout=timeout_ms / 1000 + 10)[0])

    def post_to(self, hwnd, message, wparam=0, lparam=0):
        self.call("post-to", hwnd, message, wparam, lparam)

    def command(self, command_id):
        self.call("command", command_id)

    def key(self, vk):
        """Posts WM_KEYDOWN and WM_KEYUP of a virtual key to the main window. The program's
        accelerators see them; modifier state does not come along, so use real keys (key())
        for Ctrl+C."""
        self.post(WM_KEYDOWN, vk, 1)
        self.post(WM_KEYUP, vk, 0xC0000001)

    # -- the process

    def pid(self):
        return int(self.call("pid")[0])

    def wait_exit(self, timeout=10):
        return int(self._wait("wait-exit", timeout)[0])

    def kill(self):
        self.call("kill", timeout=15)

    def gdi(self):
        """(GDI objects, USER objects) of the Vornet process, or None where the system
        does not count them: Wine 8's GetGuiResources answers 0 for both."""
        gdi, user = (int(w) for w in self.call("gdi"))
        return None if gdi == 0 and user == 0 else (gdi, user)

    # -- dialogs and message boxes

    def dialogs(self):
        """[(hwnd, title)] of the visible dialogs and message boxes of the process."""
        words = self.call("dialogs")
        count = int(words[0])
        return [(parse_int(words[1 + 2 * i]), words[2 + 2 * i]) for i in range(count)]

    def wait_dialog(self, title, timeout=10):
        return parse_int(self._wait("wait-dialog", timeout, title)[0])

    def wait_no_dialog(self, title, timeout=10):
        self._wait("wait-no-dialog", timeout, title)

    def controls(self, dialog):
        """The dialog's child controls as dicts: id, cls, style, exstyle, rect (screen),
        visible, enabled, text."""
        words = self.call("controls", dialog)
        count = int(words[0])
        result = []
        for i in range(count):
            w = words[1 + 11 * i: 12 + 11 * i]
            result.append({
                "id": int(w[0]), "cls": w[1], "style": parse_int(w[2]), "exstyle": parse_int(w[3]),
                "rect": tuple(int(x) for x in w[4:8]), "visible": w[8] == "1", "enabled": w[9] == "1",
                "text": w[10],
            })
        return result

    def get_text(self, dialog, control_id):
        return self.call("get-text", dialog, control_id)[0]

    def set_text(self, dialog, control_id, text):
        self.call("set-text", dialog, control_id, text)

    def dlg_click(self, dialog, control_id):
        self.call("dlg-click", dialog, control_id)

    def dlg_command(self, dialog, control_id, code=0):
        self.call("dlg-command", dialog, control_id, code)

    def bm_click(self, dialog, control_id):
        self.call("bm-click", dialog, control_id)

    def get_check(self, dialog, control_id):
        return int(self.call("get-check", dialog, control_id)[0])

    def set_check(self, dialog, control_id, state):
        self.call("set-check", dialog, control_id, state)

    def combo(self, dialog, control_id):
        """(selected index, [items])."""
        words = self.call("combo", dialog, control_id)
        return int(words[1]), words[2:2 + int(words[0])]

    def combo_select(self, dialog, control_id, index):
        self.call("combo-select", dialog, control_id, index)

    def scroll(self, dialog, control_id):
        """(position, minimum, maximum) of a scroll bar control."""
        words = self.call("scroll", dialog, control_id)
        return tuple(int(w) if w != "?" else None for w in words)

    def set_scroll(self, dialog, control_id, pos):
        self.call("set-scroll", dialog, control_id, pos)

    def hscroll(self, dialog, control_id, code, pos=0):
        """Posts WM_HSCROLL as the bar would; code is a name (lineleft, lineright, pageleft,
        pageright, thumbposition, thumbtrack, left, right, endscroll) or a number."""
        self.call("hscroll", dialog, control_id, code if isinstance(code, int) else str(code), pos)

    def msgbox(self, timeout=10):
        """Waits for a message box of the process; returns (title, text)."""
        words = self._wait("msgbox", timeout)
        return words[1], words[2]

    def msgbox_ok(self, timeout=10):
        self._wait("msgbox-ok", timeout)

    def msgbox_button(self, button_id, timeout=10):
        ms = int(scaled(timeout) * 1000)
        self.call("msgbox-button", button_id, ms, timeout=timeout + 10)

    def wait_no_msgbox(self, timeout=10):
        self._wait("wait-no-msgbox", timeout)

    # -- shell, menus, screen, files

    def taskbar_created(self):
        self.call("taskbar-created")

    def tray(self):
        """Screen rectangles of the icons in Wine's standalone tray window."""
        words = self.call("tray")
        return [tuple(int(x) for x in words[1 + 4 * i: 5 + 4 * i]) for i in range(int(words[0]))]

    def tray_has(self, icon_id=TRAY_ID, hwnd=None):
        """Whether the shell holds an icon (hwnd, id); hwnd defaults to the main window."""
        args = [icon_id] + ([hwnd] if hwnd is not None else [])
        return self.call("tray-has", *args)[0] == "1"

    def tray_delete(self, icon_id=TRAY_ID, hwnd=None):
        """Removes the icon from the shell, as a restart of the shell loses it."""
        args = [icon_id] + ([hwnd] if hwnd is not None else [])
        self.call("tray-delete", *args)

    def tooltip(self, timeout=10):
        """Texts of the visible tooltips, once there is one (rest the pointer on the tray
        icon first)."""
        words = self._wait("tooltip", timeout)
        return words[1:1 + int(words[0])]

    @staticmethod
    def _menu(words):
        count = int(words[6])
        items = [(int(words[7 + 2 * i]), words[8 + 2 * i]) for i in range(max(count, 0))]
        return {"hwnd": parse_int(words[0]), "rect": tuple(int(x) for x in words[1:5]),
                "count": count, "items": items}

    def menu(self):
        """The open popup menu: hwnd, rect, count (-1: items unreadable), items [(id, text)]."""
        return self._menu(self.call("menu"))

    def wait_menu(self, timeout=10):
        return self._menu(self._wait("wait-menu", timeout))

    def wait_no_menu(self, timeout=10):
        self._wait("wait-no-menu", timeout)

    def pixel(self, x, y):
        """RRGGBB of a screen pixel as GetPixel on the screen DC reads it."""
        return self.call("pixel", x, y)[0]

    def cursor(self):
        return tuple(int(w) for w in self.call("cursor"))

    def window_at(self, x, y):
        """(hwnd, class, title, is_vornet) of the top-level window at a screen point."""
        words = self.call("window-at", x, y)
        return parse_int(words[0]), words[1], words[2], words[3] == "1"

    def metrics(self):
        return {k: int(v) for k, v in (w.split("=") for w in self.call("metrics"))}

    def metric(self, index):
        return int(self.call("metrics", index)[0])

    def windows(self):
        words = self.call("windows")
        result = []
        for i in range(int(words[0])):
            w = words[1 + 9 * i: 10 + 9 * i]
            result.append({"hwnd": parse_int(w[0]), "pid": int(w[1]), "cls": w[2], "title": w[3],
                           "visible": w[4] == "1", "rect": tuple(int(x) for x in w[5:9])})
        return result

    def hold_file(self, path, create=False):
        """Opens a file without sharing, as another program would, until release_file."""
        self.call("hold-file", windows_path(path), *(["always"] if create else []))

    def release_file(self, path):
        self.call("release-file", windows_path(path))

    def ping(self):
        self.call("ping")


def windows_path(path):
    """A Linux path as Wine's Z: drive names it; relative paths are left alone."""
    if os.path.isabs(path):
        return "Z:" + path.replace("/", "\\")
    return path.replace("/", "\\")


# ---------------------------------------------------------------- X input and screen

def xdotool(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def pointer():
    """The X pointer's position (x, y)."""
    out = subprocess.run(["xdotool", "getmouselocation", "--shell"], check=True,
                         stdout=subprocess.PIPE, stderr=subprocess.PIPE).stdout
    values = dict(line.split("=", 1) for line in out.decode().split())
    return int(values["X"]), int(values["Y"])


def mousemove(x, y, timeout=5):
    """Moves the real pointer and returns once X reports it there. Not `--sync`: this
    xdotool then waits 15 s whenever the pointer already is at the target. The move is
    sent again while the pointer has not arrived: a fresh Xvfb ignores the first ones."""
    target = (min(max(x, 0), SCREEN_WIDTH - 1), min(max(y, 0), SCREEN_HEIGHT - 1))
    deadline = time.monotonic() + scaled(timeout)
    while True:
        if pointer() == target:
            return
        xdotool("mousemove", x, y)
        resend = time.monotonic() + 0.5
        while time.monotonic() < resend:
            if pointer() == target:
                return
        if time.monotonic() >= deadline:
            raise WaitTimeout(f"the pointer did not reach {target} (it is at {pointer()})")


def click(x=None, y=None, button=1):
    if x is not None:
        mousemove(x, y)
    xdotool("click", button)


def mousedown(button=1):
    xdotool("mousedown", button)


def mouseup(button=1):
    xdotool("mouseup", button)


def key(*keys):
    """Real key presses (xdotool names: Return, Escape, Delete, ctrl+c...); they reach the
    window under the pointer."""
    xdotool("key", *keys)


def _import_tool():
    # ImageMagick's own binary: a `convert` early on PATH may be a stand-in, so do not rely
    # on PATH for the ImageMagick tools.
    for path in ("/usr/bin/import-im6.q16", "/usr/bin/import"):
        if os.path.exists(path):
            return path
    return shutil.which("import") or "import"


class Screenshot:
    """An RGB picture of the X screen (or a part of it), as X shows it."""

    def __init__(self, width, height, data, left=0, top=0):
        self.width, self.height, self.data = width, height, data
        self.left, self.top = left, top

    def rgb(self, x, y):
        """(r, g, b) at screen coordinates x, y."""
        i = ((y - self.top) * self.width + (x - self.left)) * 3
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def hex(self, x, y):
        return "%02X%02X%02X" % self.rgb(x, y)


def parse_ppm(data):
    """Reads a binary PPM (P6, maxval 255) into (width, height, pixel bytes)."""
    fields = []
    i = 0
    while len(fields) < 4:
        while data[i:i + 1].isspace():
            i += 1
        if data[i:i + 1] == b"#":
            while data[i:i + 1] not in (b"\n", b""):
                i += 1
            continue
        start = i
        while not data[i:i + 1].isspace():
            i += 1
        fields.append(data[start:i])
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError("not an 8-bit P6 picture")
    width, height = int(fields[1]), int(fields[2])
    i += 1  # the one white-space byte after maxval
    return width, height, data[i:i + width * height * 3]


def screenshot(left=0, top=0, width=None, height=None):
    """Takes a screenshot of the root window, or of a rectangle of it, through ImageMagick's
    `import` as PPM."""
    args = [_import_tool(), "-window", "root"]
    if width is not None:
        args += ["-crop", f"{width}x{height}+{left}+{top}", "+repage"]
    else:
        left = top = 0
    args += ["-depth", "8", "ppm:-"]
    out = subprocess.run(args, check=True, stdout=subprocess.PIPE, stderr=subprocess.PIPE).stdout
    w, h, pixels = parse_ppm(out)
    return Screenshot(w, h, pixels, left, top)


def screen_pixel(x, y):
    """RRGGBB of one screen pixel from an X screenshot."""
    return screenshot(x, y, 1, 1).hex(x, y)


class Compositor:
    """xcompmgr for the length of a `with` block: only with a compositor does the screen
    show a layered window's alpha blend (without one it shows the window opaque). With it,
    the bare root shows grey 808080. Stops only the process it started."""

    def __enter__(self):
        self.proc = subprocess.Popen(["xcompmgr"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return self

    def __exit__(self, *exc):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        return False


# ---------------------------------------------------------------- menus

def menu_height(layout):
    """Outer height of a popup menu with these items, as Wine draws it here."""
    return 2 * MENU_BORDER + sum(
        MENU_SEPARATOR_HEIGHT if item is None else MENU_ITEM_HEIGHT for item in layout)


def which_menu(menu_rect):
    """MENU_LIST_OPEN or MENU_STRIP, by the height of the open menu's window; else None."""
    height = menu_rect[3] - menu_rect[1]
    for layout in (MENU_LIST_OPEN, MENU_STRIP):
        if height == menu_height(layout):
            return layout
    return None


def menu_item_center(menu_rect, layout, text):
    """Screen point at the middle of the item with this text, for a real click."""
    y = menu_rect[1] + MENU_BORDER
    for item in layout:
        height = MENU_SEPARATOR_HEIGHT if item is None else MENU_ITEM_HEIGHT
        if item == text:
            return (menu_rect[0] + menu_rect[2]) // 2, y + height // 2
        y += height
    raise KeyError(text)


# ---------------------------------------------------------------- files

def settings_file(tasks=("Break",), extra=(), **fields):
    """The bytes of a setting.ini in the program's own layout: slots 00..49 from `tasks`
    (str or bytes), then the other 20 keys with first-run values, any of them replaced by
    keyword; `extra` lines (str or bytes) are appended. Lines end with CR LF."""
    def b(value):
        return value if isinstance(value, bytes) else str(value).encode(ENCODING)
    unknown = set(fields) - {k for k, _ in DEFAULT_FIELDS}
    if unknown:
        raise KeyError(f"unknown setting.ini keys: {sorted(unknown)}")
    lines = []
    for i in range(50):
        name = tasks[i] if i < len(tasks) else ""
        lines.append(b"%02d=" % i + b(name))
    for key_name, default in DEFAULT_FIELDS:
        lines.append(key_name.encode() + b"=" + b(fields.get(key_name, default)))
    lines.extend(b(line) for line in extra)
    return b"".join(line + b"\r\n" for line in lines)


def split_crlf(data):
    """Lines of a CR LF text (bytes); a last line without CR LF is kept, an empty tail not."""
    lines = data.split(b"\r\n")
    if lines and lines[-1] == b"":
        lines.pop()
    return lines


def parse_settings(data):
    """{key: value} of setting.ini bytes as text; the first line with a key counts."""
    result = {}
    for line in split_crlf(data):
        key_name, sep, value = line.partition(b"=")
        if sep:
            result.setdefault(key_name.decode(ENCODING, "surrogateescape"),
                              value.decode(ENCODING, "surrogateescape"))
    return result


def parse_timelog(data):
    """[(start, duration, seconds, name)] of timelog.csv bytes; the name keeps any commas."""
    rows = []
    for line in split_crlf(data):
        start, duration, seconds, name = line.decode(ENCODING, "surrogateescape").split(",", 3)
        rows.append((start, duration, int(seconds), name))
    return rows


# ---------------------------------------------------------------- the program

class Vornet:
    """One `wine Vornet.exe` process started in a folder; it is the process's current
    directory, where setting.ini and timelog.csv live."""

    def __init__(self, folder, exe=EXE, log_path=None):
        self.folder = folder
        self.log = open(log_path, "wb") if log_path else subprocess.DEVNULL
        self.started = time.monotonic()
        self.proc = subprocess.Popen(["wine", exe], cwd=folder, stdin=subprocess.DEVNULL,
                                     stdout=self.log, stderr=self.log)

    def running(self):
        return self.proc.poll() is None

    def wait(self, timeout=10):
        """Waits for the process to end; returns its exit code."""
        return self.proc.wait(timeout=scaled(timeout))

    def kill(self):
        """SIGKILL to the Wine process we started (the Windows process dies with it)."""
        if self.running():
            self.proc.kill()
        self.proc.wait()

    def close_log(self):
        if self.log is not subprocess.DEVNULL:
            self.log.close()


def check_environment():
    missing = [name for name in ("DISPLAY", "WINEPREFIX") if not os.environ.get(name)]
    if missing:
        raise RuntimeError(
            f"{', '.join(missing)} not set: run the end-to-end tests through tools/test or "
            "tests/e2e/run, which start Xvfb and a warm Wine server")


def require_program(exe=EXE):
    """Skips the calling test when the program has not been built."""
    if not os.path.exists(exe):
        raise unittest.SkipTest(f"{exe} does not exist yet")


class VornetTestCase(unittest.TestCase):
    """Gives each test a fresh folder, a driver and helpers to start, stop and inspect one
    Vornet. Anything still running at the end is killed (only what the test started)."""

    def setUp(self):
        require_program()
        check_environment()
        self.scratch = tempfile.mkdtemp(prefix="vornet-e2e-")
        self.addCleanup(shutil.rmtree, self.scratch, ignore_errors=True)
        self.folder = os.path.join(self.scratch, "cwd")
        os.mkdir(self.folder)
        self.vornet = None
        self.driver = Driver(cwd=self.folder)
        self.addCleanup(self.driver.close)
        self.addCleanup(self._stop_leftovers)
        # Another Vornet on this display would answer in our place: refuse to go on.
        try:
            pid = self.driver.pid()
        except DriverError:
            pid = None
        if pid is not None:
            self.fail(f"a Vornet process (pid {pid}) is already running on this display")

    # -- files in the program's folder

    def path(self, name):
        return os.path.join(self.folder, name)

    def write_settings(self, data):
        """Writes setting.ini before the start: bytes as they are, str encoded cp1252."""
        with open(self.path("setting.ini"), "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode(ENCODING))

    def read_file(self, name):
        """The file's bytes, or None when it does not exist."""
        try:
            with open(self.path(name), "rb") as f:
                return f.read()
        except FileNotFoundError:
            return None

    def settings_bytes(self):
        return self.read_file("setting.ini")

    def settings_lines(self):
        data = self.settings_bytes()
        return None if data is None else split_crlf(data)

    def settings(self):
        data = self.settings_bytes()
        return None if data is None else parse_settings(data)

    def timelog_bytes(self):
        return self.read_file("timelog.csv")

    def timelog(self):
        data = self.timelog_bytes()
        return [] if data is None else parse_timelog(data)

    def wait_for_file(self, name, predicate=lambda data: True, timeout=10, what=None):
        """Waits until the file exists and predicate(its bytes) holds; returns the bytes."""
        def check():
            data = self.read_file(name)
            return data if data is not None and predicate(data) else None
        return wait_for(check, timeout, what or f"{name}")

    # -- the program

    def start(self, settings=None, wait=True, timeout=20):
        """Starts Vornet in the test's folder, after writing setting.ini when given; with
        `wait`, returns once its window is visible."""
        if settings is not None:
            self.write_settings(settings)
        self.vornet = Vornet(self.folder, log_path=os.path.join(self.scratch, "wine.log"))
        if wait:
            self.wait_window(timeout)
        return self.vornet

    def wait_window(self, timeout=20):
        self.window = self.driver.wait_window(timeout)
        self.start_seconds = time.monotonic() - self.vornet.started
        return self.window

    def exit(self, timeout=10, command=CMD_EXIT):
        """Ends Vornet through its own shutdown (the Exit command, or WM_CLOSE with
        command=None) and waits for the process to end; returns the exit code."""
        if command is None:
            self.driver.post(WM_CLOSE)
        else:
            self.driver.command(command)
        code = self.vornet.wait(timeout)
        self.vornet.close_log()
        return code

    def _stop_leftovers(self):
        if self.vornet is None or not self.vornet.running():
            if self.vornet is not None:
                self.vornet.close_log()
            return
        try:
            self.driver.kill()
        except DriverError:
            pass
        try:
            self.vornet.wait(5)
        except subprocess.TimeoutExpired:
            self.vornet.kill()
        self.vornet.close_log()

    # -- the notification-area icon and the context menus

    def tray_icon_center(self, timeout=10):
        """Middle of the program's icon in Wine's tray window. Waits until it is the only
        icon there (an icon of a process killed just before goes away within moments)."""
        self.assertTrue(self.driver.tray_has(), "the shell has no icon (main window, 111)")
        def single_icon():
            icons = self.driver.tray()
            return icons if len(icons) == 1 else None
        icons = wait_for(single_icon, timeout, "exactly one icon in the tray window")
        left, top, right, bottom = icons[0]
        return (left + right) // 2, (top + bottom) // 2

    def tray_press(self, button=1):
        """A real press and release on the tray icon (button 1 left, 3 right). The shell
        then sends WM_MOUSEMOVE, the button-down and the button-up notifications."""
        mousemove(*self.tray_icon_center())
        mousedown(button)
        mouseup(button)

    def tray_callback(self, mouse_message):
        """Posts the notification that the shell sends for a mouse event on the icon:
        WM_USER with the icon id and the mouse message (e.g. WM_RBUTTONDOWN)."""
        self.driver.post(WM_USER, TRAY_ID, mouse_message)

    def open_tray_menu(self, x=700, y=500, timeout=10):
        """Opens the context menu as a right press on the tray icon does, with the pointer
        at (x, y), where the menu appears; returns it once it shows. The notification is
        posted: under Wine a real right press on the tray icon opens a menu that Wine often
        cancels at once (it races the tray window's own click handling), so tests that
        pressed the real icon would be flaky."""
        mousemove(x, y)
        self.tray_callback(WM_RBUTTONDOWN)
        return self.driver.wait_menu(timeout)

    def open_window_menu(self, x=None, y=None, timeout=10):
        """Real right click on the strip (at its middle unless x, y are given); returns
        the menu once it shows."""
        if x is None:
            left, top, right, bottom = self.driver.client()
            x, y = (left + right) // 2, (top + bottom) // 2
        click(x, y, button=3)
        return self.driver.wait_menu(timeout)

    def choose_menu_item(self, layout, text, timeout=10):
        """Chooses an item of the open menu with the keyboard: posted Down keys to the main
        window (the menu loop reads them; real keys do not reach a menu opened from the
        tray), then Enter."""
        position = [item for item in layout if item is not None].index(text)
        for _ in range(position + 1):
            self.driver.key(VK_DOWN)
        self.driver.key(VK_RETURN)
        self.driver.wait_no_menu(timeout)

    # -- small conveniences

    def wait_for(self, predicate, timeout=10, what="the expected state", interval=0.02):
        return wait_for(predicate, timeout, what, interval)

    def assertEventually(self, predicate, timeout=10, what="the expected state"):
        return wait_for(predicate, timeout, what)


def main(argv):
    """Runs the named test modules like `python3 -m unittest -v`; exits 0 when all passed,
    1 on a failure, and 77 (ctest's SKIP_RETURN_CODE) when every test was skipped."""
    suite = unittest.defaultTestLoader.loadTestsFromNames(argv)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    if not result.wasSuccessful():
        return 1
    if result.testsRun and len(result.skipped) == result.testsRun:
        return 77
    return 0


if __name__ == "__main__":
    import sys
    sys.exit(main(sys.argv[1:]))
