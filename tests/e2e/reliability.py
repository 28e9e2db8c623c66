"""Shared by the fault-injection and crash tests (test_faults, test_crash_storm): input
posted to the window, so that no real pointer is needed; message boxes taken one at a time;
and strict readings of setting.ini and timelog.csv that fail on any partial or malformed
line."""

import datetime
import re

from vornet_e2e import (CMD_ENTER, CMD_EXIT, DEFAULT_FIELDS, IDOK, SCREEN_HEIGHT, SCREEN_WIDTH,
                        WM_COMMAND, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MOUSEMOVE, DriverError,
                        VornetTestCase, mousemove, parse_int, wait_for)

FSIZE = 18
WM_NULL = 0x0000
MK_LBUTTON = 0x0001

SETTING_KEYS = tuple("%02d" % i for i in range(50)) + tuple(k for k, _ in DEFAULT_FIELDS)

LOG_LINE = re.compile(
    rb"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d),(\d+):(\d\d):(\d\d),(\d+),([^\r\n]*)")


def lparam(x, y):
    return (y << 16) | x


def read_settings_strictly(data):
    """(names, fields) of a complete setting.ini: exactly 70 lines, each ended by CR LF, the
    keys in the program's order. Raises AssertionError otherwise."""
    if not data.endswith(b"\r\n"):
        raise AssertionError(f"setting.ini does not end with CR LF: ...{data[-40:]!r}")
    lines = data[:-2].split(b"\r\n")
    if len(lines) != 70:
        raise AssertionError(f"setting.ini has {len(lines)} lines, not 70")
    names, fields = [], {}
    for key, line in zip(SETTING_KEYS, lines):
        prefix = key.encode() + b"="
        if not line.startswith(prefix):
            raise AssertionError(f"line {line[:30]!r} where {prefix!r} belongs")
        value = line[len(prefix):].decode("cp1252", "surrogateescape")
        if len(names) < 50:
            names.append(value)
        else:
            fields[key] = value
    return names, fields


def read_timelog_strictly(data):
    """[(start datetime, seconds, name)] of timelog.csv; every line must be whole (CR LF),
    its start a real date and time, its H:MM:SS equal to its seconds."""
    rows = []
    if not data:
        return rows
    if not data.endswith(b"\r\n"):
        raise AssertionError(f"timelog.csv ends inside a line: ...{data[-60:]!r}")
    for line in data[:-2].split(b"\r\n"):
        match = LOG_LINE.fullmatch(line)
        if not match:
            raise AssertionError(f"malformed timelog.csv line {line!r}")
        start = datetime.datetime.strptime(match.group(1).decode(), "%Y/%m/%d %H:%M:%S")
        hours, minutes, secs, total = (int(match.group(i)) for i in (2, 3, 4, 5))
        if minutes > 59 or secs > 59 or hours * 3600 + minutes * 60 + secs != total:
            raise AssertionError(f"H:MM:SS disagrees with the seconds in {line!r}")
        rows.append((start, total, match.group(6).decode("cp1252", "surrogateescape")))
    return rows


def check_periods_follow_on(testcase, rows):
    """Each line's period starts where the one before ended (to the second: starts are shown
    and durations counted in whole seconds)."""
    for (start, seconds, name), (next_start, _, next_name) in zip(rows, rows[1:]):
        gap = (next_start - start).total_seconds() - seconds
        testcase.assertIn(gap, (0, 1), f"{name} then {next_name}: the periods do not join")


class PostedInputTestCase(VornetTestCase):
    """VornetTestCase with input posted to the window: clicks, rows and commands arrive in
    the order they were posted, without the real pointer, which is parked in the corner so
    that X sends no moves of its own."""

    def setUp(self):
        super().setUp()
        self.boxes_seen = set()

    def park_pointer(self):
        mousemove(SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1)

    def post_open_list(self):
        """A press and a release with no move between: a click, which opens the list."""
        self.driver.post(WM_LBUTTONDOWN, MK_LBUTTON, lparam(10, 5))
        self.driver.post(WM_LBUTTONUP, 0, lparam(10, 5))

    def post_select(self, row):
        self.driver.post(WM_MOUSEMOVE, 0, lparam(10, 3 + row * FSIZE + FSIZE // 2))

    def post_switch(self, row):
        """Opens the list, puts the pointer on `row` and presses Enter (switch and close)."""
        self.post_open_list()
        self.post_select(row)
        self.driver.command(CMD_ENTER)

    def answers(self):
        """The process runs and its message loop answers."""
        self.assertTrue(self.vornet.running(), "Vornet has ended")
        self.driver.send(WM_NULL)

    def next_box(self, timeout=20):
        """(hwnd, title, text) of a message box not taken before."""
        def find():
            try:
                words = self.driver.call("msgbox", 100, timeout=10)
            except DriverError:
                return None
            hwnd = parse_int(words[0])
            return None if hwnd in self.boxes_seen else (hwnd, words[1], words[2])
        return wait_for(find, timeout, "a message box")

    def take_box(self, title, text, timeout=20):
        """Waits for the next message box, checks its title and text and presses OK."""
        hwnd, got_title, got_text = self.next_box(timeout)
        self.boxes_seen.add(hwnd)
        self.assertEqual((title, text), (got_title, got_text))
        self.driver.post_to(hwnd, WM_COMMAND, IDOK, 0)
        return hwnd

    def exit_through_boxes(self, boxes, timeout=10):
        """Exit command; the message boxes that shutdown shows, in order; the process ends."""
        self.driver.command(CMD_EXIT)
        for title, text in boxes:
            self.take_box(title, text)
        code = self.vornet.wait(timeout)
        self.vornet.close_log()
        return code
