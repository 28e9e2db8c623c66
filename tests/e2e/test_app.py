"""The program as a user meets it: the first start, the strip's place, click, hover and
switch, the drag, the keys, Sort, the version box, exit and restart, damaged files, and one
Vornet per folder."""

import datetime
import os
import random
import subprocess
import unittest

from vornet_e2e import (CMD_CLOSE_LIST, CMD_SORT, CMD_VERSION, IDCANCEL, IDOK, MENU_LIST_OPEN,
                        SCREEN_WIDTH, WM_COMMAND, Vornet, VornetTestCase, click, key, mousedown,
                        mousemove, mouseup, parse_timelog, screenshot, settings_file, split_crlf,
                        wait_for, which_menu)

FSIZE = 18
TASKS = ("Break", "Alpha", "Beta", "Gamma")
# Colours that tell the parts apart on the screen: back black, frame blue, text1 red,
# text2 green.
COLOURS = dict(backR=0, backG=0, backB=0, rectR=0, rectG=0, rectB=255,
               text1R=255, text1G=0, text1B=0, text2R=0, text2G=255, text2B=0)
RED, GREEN, BLUE, BLACK = (255, 0, 0), (0, 255, 0), (0, 0, 255), (0, 0, 0)
STAMP = "%Y/%m/%d %H:%M:%S"


class AppTest(VornetTestCase):

    def start_with(self, tasks=TASKS, **fields):
        values = dict(COLOURS)
        values.update(fields)
        self.launched = datetime.datetime.now().replace(microsecond=0)
        self.start(settings_file(tasks, **values))

    def height(self):
        left, top, right, bottom = self.driver.rect()
        return bottom - top

    def wait_height(self, height, what):
        wait_for(lambda: self.height() == height, 10, what)

    def row_point(self, row, x=10):
        left, top, _, _ = self.driver.client()
        return left + x, top + 3 + row * FSIZE + FSIZE // 2

    def open_list(self, rows):
        left, top, right, bottom = self.driver.client()
        click(left + 10, top + 5)
        self.wait_height(rows * FSIZE + 12, "the list open")

    def hover(self, row):
        mousemove(*self.row_point(row))

    def click_row(self, row):
        self.hover(row)
        click()
        self.wait_height(FSIZE + 10, "the strip again after a switch")

    def wait_bar(self, row):
        # Left of the text, inside the outline: only the bar paints there.
        x, y = self.row_point(row, x=3)
        wait_for(lambda: screenshot(x, y, 1, 1).rgb(x, y) == RED, 10, f"the bar under row {row}")

    def client_colours(self, inset=0):
        left, top, right, bottom = self.driver.client()
        shot = screenshot(left, top, right - left, bottom - top)
        return {shot.rgb(x, y) for x in range(left + inset, right - inset)
                for y in range(top + inset, bottom - inset)}

    def shows(self, colour):
        """Whether some pixel of the client area has this pure colour's hue: text may be
        smoothed, so its brightest pixels need not reach the pure value."""
        def near(pixel):
            return all((c >= 160) if want else (c <= 90) for c, want in zip(pixel, colour))
        return any(near(p) for p in self.client_colours())

    def wait_colour(self, colour, present=True, what=""):
        wait_for(lambda: self.shows(colour) == present, 10, what)

    def lines(self):
        return parse_timelog(self.timelog_bytes() or b"")

    def assert_started_between(self, stamp, earliest, latest):
        moment = datetime.datetime.strptime(stamp, STAMP)
        self.assertLessEqual(earliest, moment)
        self.assertLessEqual(moment, latest)

    # ------------------------------------------------------------------ start and place

    def test_first_start_writes_defaults_and_shows_break_at_the_top_middle(self):
        self.start()
        data = self.wait_for_file("setting.ini", what="setting.ini")
        self.assertEqual(settings_file(), data)
        metrics = self.driver.metrics()
        fx, fy = metrics["cxdlgframe"], metrics["cydlgframe"]
        left, top, right, bottom = self.driver.rect()
        self.assertEqual((SCREEN_WIDTH // 2 - fx, -fy, FSIZE + 10), (left, top, bottom - top))
        self.assertEqual((fx, fy, right - left - fx, FSIZE + 10 - fy), self.driver.region())
        # "Break" in text2, grey, inside the outline
        self.assertTrue(any(r == g == b and r >= 120 for r, g, b in self.client_colours(inset=1)))
        self.assertEqual(1, self.driver.topmost())
        self.open_list(2)  # the break task and one empty row
        self.exit()
        self.assertIsNone(self.timelog_bytes(), "no switch, so no line")
        self.assertEqual(b"current_task=0", split_crlf(self.settings_bytes())[50])

    def test_the_strip_starts_where_it_was_saved(self):
        self.start_with(winX=300, winY=500)
        fx, fy = self.driver.metrics()["cxdlgframe"], self.driver.metrics()["cydlgframe"]
        left, top, _, _ = self.driver.rect()
        self.assertEqual((300 - fx, 500 - fy), (left, top))
        self.wait_colour(GREEN, what="the break task in text2")
        self.assertFalse(self.shows(RED))

    def test_a_start_after_a_crash_shows_the_task_the_file_names(self):
        self.start_with(current_task=2)
        self.wait_colour(RED, what="a task other than the break task in text1")
        self.assertFalse(self.shows(GREEN))

    # ------------------------------------------------------------------ pointer

    def test_click_hover_and_switch_follow_the_first_switch_rule(self):
        self.start_with()
        self.open_list(5)  # four names and the empty row
        self.click_row(2)
        self.wait_colour(RED, what="Beta on the strip in text1")
        self.assertIsNone(self.timelog_bytes(), "the first switch writes nothing")
        self.open_list(5)
        self.click_row(3)
        rows = self.wait_for_file("timelog.csv", what="a line for Beta")
        (start, duration, seconds, name), = parse_timelog(rows)
        self.assertEqual("Beta", name)
        self.assert_started_between(start, self.launched, datetime.datetime.now())
        self.assertEqual(seconds, sum(int(p) * m for p, m in zip(duration.split(":"), (3600, 60, 1))))
        self.exit()
        self.assertEqual(["Beta", "Gamma"], [line[3] for line in self.lines()])
        self.assertEqual(self.lines()[0][0] <= self.lines()[1][0], True)
        self.assertEqual("0", self.settings()["current_task"])

    def test_hover_moves_the_bar_and_row_0_keeps_its_colour(self):
        self.start_with()
        self.open_list(5)
        for row in (1, 4, 0):
            self.hover(row)
            self.wait_bar(row)
        self.assertTrue(self.shows(GREEN), "row 0 under the bar stays text2")
        self.driver.command(CMD_CLOSE_LIST)
        self.wait_height(FSIZE + 10, "the strip")

    def test_three_moves_with_the_button_held_drag_the_window(self):
        self.start_with(winX=400, winY=300)
        left, top, _, _ = self.driver.rect()
        mousemove(left + 10, top + 10)
        mousedown()
        for step in (1, 2, 3, 40, 80):
            mousemove(left + 10 + step, top + 10 + step)
        wait_for(lambda: self.driver.rect()[0] > left + 20, 10, "the window following the drag")
        mouseup()
        moved = self.driver.rect()
        self.assertEqual(FSIZE + 10, moved[3] - moved[1], "a drag does not open the list")
        self.exit()
        fx, fy = self.driver.metrics()["cxdlgframe"], self.driver.metrics()["cydlgframe"]
        saved = self.settings()
        self.assertEqual((moved[0] + fx, moved[1] + fy), (int(saved["winX"]), int(saved["winY"])))

    def test_moves_after_a_release_never_start_a_drag(self):
        self.start_with(winX=400, winY=300)
        left, top, _, _ = self.driver.rect()
        mousemove(left + 10, top + 10)
        mousedown()
        mousemove(left + 11, top + 10)
        mouseup()
        self.wait_height(5 * FSIZE + 12, "a press, one move and a release open the list")
        for step in (5, 10, 20, 30):
            mousemove(left + 10 + step, top + 3 + step)
        self.hover(2)
        self.wait_bar(2)
        self.assertEqual(left, self.driver.rect()[0], "the list stays where it is")

    # ------------------------------------------------------------------ keys

    def test_keys_switch_keep_open_and_close(self):
        self.start_with()
        self.open_list(5)
        self.hover(1)
        key("ctrl+c")  # switch to Alpha, the list stays open
        self.wait_colour(RED, what="the bar")  # still the list
        wait_for(lambda: self.driver.rect()[3] - self.driver.rect()[1] == 5 * FSIZE + 12, 5, "open")
        self.hover(2)
        key("Return")  # switch to Beta and close
        self.wait_height(FSIZE + 10, "the strip after Enter")
        rows = self.wait_for_file("timelog.csv", what="Alpha's line")
        self.assertEqual(["Alpha"], [r[3] for r in parse_timelog(rows)])
        self.open_list(5)
        key("Escape")
        self.wait_height(FSIZE + 10, "Esc closes the list")
        self.assertEqual(1, len(self.lines()), "Esc switches nothing")
        self.exit()
        self.assertEqual(["Alpha", "Beta"], [r[3] for r in self.lines()])

    def test_enter_on_the_closed_strip_switches_to_the_last_selected_row(self):
        self.start_with()
        left, top, _, _ = self.driver.client()
        mousemove(left + 5, top + 5)
        key("Return")  # row 0 after start-up: the first switch, to the break task
        key("Return")  # the break task ends and starts again
        rows = self.wait_for_file("timelog.csv", what="a line for the break task")
        self.assertEqual(["Break"], [r[3] for r in parse_timelog(rows)])
        self.assertEqual(FSIZE + 10, self.height())

    # ------------------------------------------------------------------ commands

    def test_sort_from_the_menu_orders_names_and_keeps_the_list_open(self):
        self.start_with(("Break", "b", "", "a", "B"))
        self.open_list(6)
        self.hover(3)
        click()  # switch to "a": the first switch
        self.wait_height(FSIZE + 10, "closed after the switch")
        self.open_list(6)
        menu = self.open_window_menu(*self.row_point(1))
        self.assertEqual(MENU_LIST_OPEN, which_menu(menu["rect"]))
        self.choose_menu_item(MENU_LIST_OPEN, "Sort")
        data = self.wait_for_file("setting.ini", lambda d: d.startswith(b"00=Break\r\n01=a\r\n"),
                                  what="the sorted names")
        self.assertEqual([b"00=Break", b"01=a", b"02=b", b"03=B", b"04=", b"05="],
                         split_crlf(data)[:6])
        self.assertEqual(b"current_task=1", split_crlf(data)[50], "the running task follows")
        self.assertEqual(6 * FSIZE + 12, self.height(), "Sort leaves the list open")

    def test_version_box_closes_only_with_ok(self):
        self.start_with()
        self.driver.command(CMD_VERSION)
        box = self.driver.wait_dialog("Version")
        texts = [c["text"] for c in self.driver.controls("Version")]
        self.assertIn("Vornet Ver.1.11", texts)
        self.driver.call("dlg-command", "Version", IDCANCEL)  # what Esc sends
        self.driver.command(CMD_VERSION)                # a second one must not open
        self.driver.ping()
        self.assertEqual(1, len([d for d in self.driver.dialogs() if d[1] == "Version"]))
        self.driver.dlg_click("Version", IDOK)
        self.driver.wait_no_dialog("Version")
        self.driver.command(CMD_VERSION)
        self.driver.wait_dialog("Version")
        self.driver.dlg_click("Version", IDOK)
        self.driver.wait_no_dialog("Version")

    # ------------------------------------------------------------------ the end of a run

    def test_closing_the_window_logs_the_running_task_and_saves_break_as_running(self):
        self.start_with()
        self.open_list(5)
        self.click_row(1)
        self.open_list(5)
        self.click_row(2)
        left, top, _, _ = self.driver.client()
        mousemove(left + 5, top + 5)
        key("alt+F4")
        self.vornet.wait(10)
        self.assertEqual(["Alpha", "Beta"], [r[3] for r in self.lines()])
        self.assertEqual("0", self.settings()["current_task"])

    def test_a_day_in_miniature_then_a_restart_in_the_same_place(self):
        self.start_with(("Break", "Write", "Mail", "Calls"), winX=500, winY=200)
        for row in (1, 2, 0, 3):
            self.open_list(5)
            self.click_row(row)
        left, top, _, _ = self.driver.rect()
        mousemove(left + 10, top + 10)
        mousedown()
        for step in (1, 2, 3, 60):
            mousemove(left + 10 + step, top + 10 + step)
        wait_for(lambda: self.driver.rect()[0] > left + 30, 10, "the drag")
        mouseup()
        self.open_list(5)
        self.driver.command(CMD_SORT)
        self.wait_for_file("setting.ini", lambda d: b"01=Calls\r\n02=Mail\r\n03=Write" in d,
                           what="the sorted list")
        self.driver.command(CMD_CLOSE_LIST)
        self.wait_height(FSIZE + 10, "the strip")
        moved = self.driver.rect()
        self.exit()
        self.assertEqual(["Write", "Mail", "Break", "Calls"], [r[3] for r in self.lines()])
        starts = [r[0] for r in self.lines()]
        self.assertEqual(sorted(starts), starts)

        self.start()
        self.assertEqual(moved, self.driver.rect(), "the strip is back where it was left")
        self.wait_colour(GREEN, what="the break task runs after a restart")
        self.exit()
        self.assertEqual(5, len(self.lines()) + 1, "the second run made no switch: no line")

    # ------------------------------------------------------------------ damaged files

    def test_binary_garbage_in_setting_ini_starts_with_defaults(self):
        noise = bytes(random.Random(7).randrange(256) for _ in range(5000))
        self.start(noise)
        self.assertEqual(FSIZE + 10, self.height())
        self.exit()
        saved = self.settings()
        self.assertEqual("Break", saved["00"])
        self.assertEqual(str(SCREEN_WIDTH // 2), saved["winX"])

    def test_an_oversized_setting_ini_is_refused_and_kept(self):
        big = settings_file(("Break", "Precious")) + b"x" * 102650
        self.start(big, wait=False)
        title, text = self.driver.msgbox(20)
        self.assertEqual("SIZE ERROR", title)
        self.assertTrue(text.startswith("setting.ini file size too large."))
        self.assertIn("setting-kept-1.ini", text)
        self.driver.msgbox_ok()
        self.wait_window()
        self.exit()
        self.assertEqual(big, self.read_file("setting-kept-1.ini"))
        self.assertEqual("Break", self.settings()["00"])

    # ------------------------------------------------------------------ one per folder

    def test_a_second_vornet_in_the_same_folder_exits_and_writes_nothing(self):
        self.start_with()
        before = self.settings_bytes()
        second = Vornet(self.folder)
        self.assertEqual(0, second.wait(20))
        self.assertTrue(self.vornet.running())
        self.assertEqual(before, self.settings_bytes())
        self.assertIsNone(self.timelog_bytes())

    def test_vornets_in_two_folders_run_side_by_side(self):
        self.start_with()
        other = os.path.join(self.scratch, "other")
        os.mkdir(other)
        second = Vornet(other)
        try:
            wait_for(lambda: os.path.exists(os.path.join(other, "setting.ini")), 20,
                     "the second folder's setting.ini")
            self.assertTrue(second.running())
        finally:
            second.kill()
        self.assertTrue(self.vornet.running())


if __name__ == "__main__":
    unittest.main()
