"""Change task with a time back (command 40022): the dialog, its refusals, and the lines
the back-dated switch leaves in timelog.csv.

The program reads the real clock, so every expectation is worked out from what the dialog
shows when it opens (its six number fields hold the opening time) and from the lines the
log already holds. A moment the user picks must not be earlier than the running task's
start, which is never earlier than start-up: the moments chosen here lie ahead."""

import datetime
import os
import unittest

from vornet_e2e import (CMD_BACKDATED, CMD_ENTER, EXE, IDCANCEL, IDOK, WM_COMMAND,
                        VornetTestCase, click, key, mousemove, screenshot, settings_file,
                        split_crlf)

TITLE = "Change task with a time back"
LAST_TASK_NAME, LAST_TASK_START, NEW_TASK_NAME = 1023, 1024, 1030
YEAR, MONTH, DAY, HOUR, MINUTE, SECOND = 1031, 1032, 1033, 1027, 1028, 1029
FIELDS = (YEAR, MONTH, DAY, HOUR, MINUTE, SECOND)
BEFORE_LAST_START = "The start time of the new task is before the start time of the last task."
NOT_ON_CALENDAR = "The start date of the new task does not exist."
WM_SYSCOMMAND = 0x0112
SC_CLOSE = 0xF060

FSIZE = 18
STRIP_HEIGHT = FSIZE + 10  # outer height of the strip
TASKS = ("Break", "A", "B")  # rows 0..2 named, row 3 the empty row the list shows
EMPTY_ROW = 3
PARKED = (400, 800)  # a point on the bare root window, clear of every window
# The bar under the selected row is text1: red, so that a screenshot finds it.
COLOURS = dict(backR=0, backG=0, backB=0, rectR=0, rectG=0, rectB=255,
               text1R=255, text1G=0, text1B=0, text2R=0, text2G=255, text2B=0)
RED = (255, 0, 0)


def log_time(moment):
    return "%4d/%02d/%02d %02d:%02d:%02d" % (moment.year, moment.month, moment.day,
                                             moment.hour, moment.minute, moment.second)


def parse_log_time(text):
    return datetime.datetime.strptime(text.strip(), "%Y/%m/%d %H:%M:%S")


def whole_seconds(start, end):
    return int((end - start).total_seconds())


@unittest.skipUnless(os.path.exists(EXE), f"{EXE} does not exist yet")
class BackdatedChangeTest(VornetTestCase):

    # -- driving the program

    def setUp(self):
        super().setUp()
        self.start(settings_file(TASKS, **COLOURS))
        self.started_by = datetime.datetime.now()  # start-up came no later than this
        mousemove(*PARKED)

    def outer_height(self):
        left, top, right, bottom = self.driver.rect()
        return bottom - top

    def wait_strip(self):
        self.wait_for(lambda: self.outer_height() == STRIP_HEIGHT, what="the list to collapse")

    def row_point(self, row, x=10):
        left, top, _, _ = self.driver.client()
        return left + x, top + 3 + row * FSIZE + FSIZE // 2

    def open_list(self):
        left, top, right, bottom = self.driver.client()
        click(left + 10, top + 5)
        self.wait_for(lambda: self.outer_height() > STRIP_HEIGHT, what="the list to open")

    def select_row(self, row):
        """The real pointer on the row until the bar shows there. It stays there, so that
        any move the system adds later picks the same row."""
        mousemove(*self.row_point(row))
        x, y = self.row_point(row, x=3)  # left of the text: only the bar paints there
        self.wait_for(lambda: screenshot(x, y, 1, 1).rgb(x, y) == RED,
                      what=f"the bar under row {row}")

    def switch_to(self, row):
        """An ordinary switch: the list, the row, Enter."""
        self.open_list()
        self.select_row(row)
        self.driver.command(CMD_ENTER)
        self.wait_strip()

    def open_dialog(self, row):
        self.open_list()
        self.select_row(row)
        self.driver.command(CMD_BACKDATED)
        self.dialog = self.driver.wait_dialog(TITLE)
        # The dialog names the row the switch will take: the hover reached the program.
        self.assertEqual(self.text(NEW_TASK_NAME), TASKS[row])
        return self.dialog

    def text(self, control_id):
        return self.driver.get_text(TITLE, control_id)

    def set_fields(self, **texts):
        ids = {"year": YEAR, "month": MONTH, "day": DAY, "hour": HOUR, "minute": MINUTE,
               "second": SECOND}
        for name, value in texts.items():
            self.driver.set_text(TITLE, ids[name], str(value))

    def opening_moment(self):
        """The moment the six fields show: the opening time, to the second."""
        return datetime.datetime(*(int(self.text(i)) for i in FIELDS))

    def point_at(self, control_id):
        """Puts the real pointer on a field of the dialog, so that real keys reach it."""
        for control in self.driver.controls(TITLE):
            if control["id"] == control_id:
                left, top, right, bottom = control["rect"]
                mousemove((left + right) // 2, (top + bottom) // 2)
                return
        self.fail(f"no control {control_id} in the dialog")

    def press_ok(self):
        self.driver.dlg_click(TITLE, IDOK)

    def wait_dialog_ended(self):
        self.driver.wait_no_dialog(TITLE)
        self.wait_strip()

    def wait_log_lines(self, count):
        data = self.wait_for_file("timelog.csv", lambda d: len(split_crlf(d)) >= count,
                                  what=f"{count} lines in timelog.csv")
        self.assertEqual(len(split_crlf(data)), count)
        return self.timelog()

    def expect_refusal(self, text):
        title, shown = self.driver.msgbox()
        self.assertEqual((title, shown), ("Warning", text))
        self.driver.msgbox_ok()
        self.driver.wait_no_msgbox()
        self.assertIsNotNone(self.driver.wait_dialog(TITLE), "the dialog stays open")

    def assert_ends_at(self, row, moment):
        """The line's duration runs from its start to `moment`; the milliseconds of the
        start and of the press may take one second off."""
        start = parse_log_time(row[0])
        exact = whole_seconds(start, moment)
        self.assertIn(row[2], (exact - 1, exact), f"{row} should end at {log_time(moment)}")

    def wait_second_after_start_up(self):
        """Enter at once takes the opening second with the press's milliseconds: in the
        very second of start-up that may lie before it, and is refused. The task that counts
        from start-up is then chosen a second later."""
        later = self.started_by.replace(microsecond=0) + datetime.timedelta(seconds=1)
        self.wait_for(lambda: datetime.datetime.now() >= later, what="the next second")

    def wait_not_near_end_of_hour(self, seconds):
        """Fields left to fall back take the press's date and hour: keep the opening and
        the press in the same hour."""
        def clear():
            now = datetime.datetime.now()
            return now.minute < 59 or now.second < 60 - seconds
        self.wait_for(clear, timeout=seconds + 5, what="the hour to turn")

    # -- the scenarios

    def test_enter_at_once_logs_the_switch_at_the_opening_moment(self):
        self.switch_to(1)  # the first switch logs nothing: A counts from start-up
        self.wait_second_after_start_up()
        self.open_dialog(2)
        self.assertEqual(self.text(LAST_TASK_NAME), "A")
        self.assertEqual(self.text(NEW_TASK_NAME), "B")
        opening = self.opening_moment()
        self.point_at(MINUTE)
        key("Return")  # OK is the default button
        self.wait_dialog_ended()

        (row,) = self.wait_log_lines(1)
        self.assertEqual(row[3], "A")
        self.assert_ends_at(row, opening)
        self.exit()
        a, b = self.timelog()
        self.assertEqual(b[0], log_time(opening))
        self.assertEqual(b[3], "B")

    def test_typed_minute_ends_the_running_task_at_that_minute(self):
        # Only the minute is changed; it must lie ahead, so the hour must have later ones.
        self.wait_for(lambda: datetime.datetime.now().minute < 58, timeout=130,
                      what="a minute before the hour's last two")
        self.switch_to(1)
        self.open_dialog(2)
        opening = self.opening_moment()
        target = opening.replace(minute=min(opening.minute + 2, 59))
        # The caret opens in the minute field with its number selected: typing replaces it.
        self.point_at(MINUTE)
        key(*str(target.minute))
        self.wait_for(lambda: self.text(MINUTE) == str(target.minute),
                      what="the typed minute in the minute field")
        key("Return")
        self.wait_dialog_ended()

        (row,) = self.wait_log_lines(1)
        self.assertEqual(row[3], "A")
        self.assert_ends_at(row, target)
        self.exit()
        a, b = self.timelog()
        # The exit comes before that minute: the new task's line starts then, lasting 0.
        self.assertEqual(b, (log_time(target), "0:00:00", 0, "B"))

    def test_moment_before_the_running_start_warns_and_keeps_the_dialog_open(self):
        self.switch_to(1)
        self.open_dialog(2)
        self.set_fields(year=2016)
        self.press_ok()
        self.expect_refusal(BEFORE_LAST_START)
        self.assertEqual(self.text(YEAR), "2016", "the fields stay as the user left them")

        # A day past the end of its month is refused as well, before any comparison.
        self.set_fields(year=2027, month=4, day=31)
        self.press_ok()
        self.expect_refusal(NOT_ON_CALENDAR)
        self.set_fields(year=2027, month=2, day=29)
        self.press_ok()
        self.expect_refusal(NOT_ON_CALENDAR)

        self.driver.dlg_click(TITLE, IDCANCEL)
        self.wait_dialog_ended()
        self.assertIsNone(self.timelog_bytes())
        self.exit()
        (row,) = self.timelog()
        self.assertEqual(row[3], "A", "no switch to B happened")

    def test_out_of_range_and_non_numeric_fields_fall_back(self):
        self.switch_to(1)
        self.wait_second_after_start_up()
        self.wait_not_near_end_of_hour(15)
        self.open_dialog(2)
        opening = self.opening_moment()
        # Out of range: the current year, month, day and hour.
        self.set_fields(year=2201, month=-5, day=32, hour=24)
        self.press_ok()
        self.wait_dialog_ended()
        (a,) = self.wait_log_lines(1)
        self.assertEqual(a[3], "A")
        self.assert_ends_at(a, opening)

        # Empty and non-numeric minute and second: 0, so the next full hour.
        self.open_dialog(1)
        target = (opening + datetime.timedelta(hours=1)).replace(minute=0, second=0)
        self.set_fields(year=target.year, month=target.month, day=target.day,
                        hour=target.hour, minute="xyz", second="")
        self.press_ok()
        self.wait_dialog_ended()
        a, b = self.wait_log_lines(2)
        self.assertEqual(b[0], log_time(opening))
        self.assertEqual(b[3], "B")
        self.assert_ends_at(b, target)
        self.exit()
        self.assertEqual(self.timelog()[2], (log_time(target), "0:00:00", 0, "A"))

    def test_moment_tomorrow_is_accepted_and_an_earlier_switch_logs_zero(self):
        self.switch_to(1)
        self.open_dialog(2)
        tomorrow = self.opening_moment() + datetime.timedelta(days=1)
        self.set_fields(year=tomorrow.year, month=tomorrow.month, day=tomorrow.day)
        self.press_ok()
        self.wait_dialog_ended()
        (a,) = self.wait_log_lines(1)
        self.assert_ends_at(a, tomorrow)

        self.switch_to(1)  # long before that moment
        a, b = self.wait_log_lines(2)
        self.assertEqual(b, (log_time(tomorrow), "0:00:00", 0, "B"))
        self.exit()

    def test_cancel_escape_and_close_box_change_nothing_and_collapse_the_list(self):
        self.switch_to(1)
        ways = {
            "Cancel": lambda: self.driver.dlg_click(TITLE, IDCANCEL),
            "Esc": lambda: (self.point_at(MINUTE), key("Escape")),
            "close box": lambda: self.driver.post_to(self.dialog, WM_SYSCOMMAND, SC_CLOSE, 0),
        }
        for way, close in ways.items():
            with self.subTest(way=way):
                self.open_dialog(2)
                self.set_fields(minute=59, second=59)
                close()
                self.wait_dialog_ended()
                self.assertIsNone(self.timelog_bytes())
        self.exit()
        (row,) = self.timelog()
        self.assertEqual(row[3], "A", "A ran on: no switch to B happened")

    def test_before_any_switch_the_accepted_moment_is_not_used(self):
        self.open_dialog(1)
        self.assertEqual(self.text(LAST_TASK_NAME), "Break")
        self.assertEqual(self.text(NEW_TASK_NAME), "A")
        shown_start = self.text(LAST_TASK_START)
        tomorrow = self.opening_moment() + datetime.timedelta(days=1)
        self.set_fields(year=tomorrow.year, month=tomorrow.month, day=tomorrow.day)
        self.press_ok()
        self.wait_dialog_ended()
        self.assertIsNone(self.timelog_bytes(), "the first switch logs nothing")

        self.exit()
        (row,) = self.timelog()
        # A counts from start-up, which is what the dialog showed as the last start.
        self.assertEqual(row[0], shown_start)
        self.assertEqual(row[3], "A")
        self.assertLess(row[2], 600)

    def test_empty_row_or_closed_list_only_collapses(self):
        # The list closed: the command returns at once, with no dialog.
        self.driver.send(WM_COMMAND, CMD_BACKDATED, 0)
        self.assertEqual(self.driver.dialogs(), [])
        self.assertEqual(self.outer_height(), STRIP_HEIGHT)

        # The empty row of the open list: no dialog, and the list collapses.
        self.open_list()
        self.select_row(EMPTY_ROW)
        self.driver.command(CMD_BACKDATED)
        self.wait_strip()
        self.assertEqual(self.driver.dialogs(), [])
        self.exit()
        self.assertIsNone(self.timelog_bytes(), "nothing was switched")


if __name__ == "__main__":
    unittest.main()
