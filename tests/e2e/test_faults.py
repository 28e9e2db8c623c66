"""Files that fight back: setting.ini and timelog.csv read-only, held open by another
program, replaced by a folder, empty, at and just past the size limit, or full of noise.
Each time the user gets the program's message, the program keeps running and answering,
and nothing that was in a file or in a held line is lost."""

import os
import random
import stat
import unittest

from reliability import (PostedInputTestCase, check_periods_follow_on, read_settings_strictly,
                         read_timelog_strictly)
from vornet_e2e import CMD_SORT, settings_file, wait_for

TASKS = ("Break", "Alpha", "Bravo", "Charlie", "Delta")  # already in sorted order
SETTING_OPEN_ERROR = ("OPEN ERROR", "setting.ini file open error.")
LOG_OPEN_ERROR = ("OPEN ERROR", "timelog.csv file open error.")
LOG_SAVED_ASIDE = ("Warning", "timelog.csv could not be written; the lines it is missing "
                              "were saved in timelog-unsaved.csv.")
LIMIT = 102650


def kept_aside_warning(kept):
    return ("Warning", f"setting.ini could not be read, so it was kept as {kept} before a new "
                       "setting.ini was written.")


def make_read_only(path):
    os.chmod(path, stat.S_IRUSR | stat.S_IRGRP | stat.S_IROTH)


def file_of_exactly(size, tasks=TASKS):
    """A setting.ini in the program's layout, `size` bytes long: its names are lengthened
    (none beyond 2047 characters) until the text has that size."""
    names = [""] * 50
    names[:len(tasks)] = tasks
    room = size - len(settings_file(names))
    for i in range(50):
        stem = names[i] or "Task%02d" % i
        grow = min(room, 2047 - len(names[i]))
        names[i] = (stem * (2047 // len(stem) + 1))[:len(names[i]) + grow]
        room -= grow
    data = settings_file(names)
    assert len(data) == size, len(data)
    return data, names


class SettingsFaultTest(PostedInputTestCase):

    def folder_listing(self):
        return sorted(os.listdir(self.folder))

    def test_a_read_only_setting_ini_is_neither_read_nor_replaced(self):
        original = settings_file(TASKS, winX=300)
        self.write_settings(original)
        make_read_only(self.path("setting.ini"))
        self.start(wait=False)
        self.take_box(*SETTING_OPEN_ERROR)
        self.wait_window()
        self.answers()
        self.assertEqual(960 - self.driver.metrics()["cxdlgframe"], self.driver.rect()[0],
                         "the read-only file was not taken as the program's own")
        self.assertEqual(0, self.exit_through_boxes([SETTING_OPEN_ERROR]))
        self.assertEqual(original, self.settings_bytes())
        self.assertEqual(["setting.ini"], self.folder_listing())

    def test_a_setting_ini_held_at_start_is_kept_aside_once_it_is_free(self):
        original = settings_file(TASKS, winX=300)
        self.write_settings(original)
        self.driver.hold_file(self.path("setting.ini"))
        self.start(wait=False)
        self.take_box(*SETTING_OPEN_ERROR)
        self.wait_window()
        self.answers()
        self.assertEqual(original, self.settings_bytes())
        self.driver.release_file(self.path("setting.ini"))
        self.assertEqual(0, self.exit_through_boxes([kept_aside_warning("setting-kept-1.ini")]))
        self.assertEqual(original, self.read_file("setting-kept-1.ini"))
        names, fields = read_settings_strictly(self.settings_bytes())
        self.assertEqual(["Break"] + [""] * 49, names, "the new file holds what memory held")
        self.assertEqual(["setting-kept-1.ini", "setting.ini"], self.folder_listing())

    def test_a_setting_ini_held_while_running_keeps_the_last_save_until_it_is_free(self):
        self.start(settings_file(("Break", "b", "a")))
        self.park_pointer()
        before = self.settings_bytes()
        self.driver.hold_file(self.path("setting.ini"))
        self.driver.command(CMD_SORT)
        self.take_box(*SETTING_OPEN_ERROR)
        self.answers()
        self.assertEqual(before, self.settings_bytes())
        self.assertEqual(["setting.ini"], self.folder_listing(), "no temporary file is left")
        self.driver.release_file(self.path("setting.ini"))
        self.driver.command(CMD_SORT)
        data = self.wait_for_file("setting.ini", lambda d: d != before, what="the sorted file")
        self.assertEqual(["Break", "a", "b"], read_settings_strictly(data)[0][:3])
        self.assertEqual(0, self.exit_through_boxes([]))

    def test_a_folder_named_setting_ini_is_left_alone(self):
        os.mkdir(self.path("setting.ini"))
        self.start(wait=False)
        self.take_box(*SETTING_OPEN_ERROR)
        self.wait_window()
        self.answers()
        self.assertEqual(0, self.exit_through_boxes([SETTING_OPEN_ERROR]))
        self.assertTrue(os.path.isdir(self.path("setting.ini")))
        self.assertEqual([], os.listdir(self.path("setting.ini")))
        self.assertEqual(["setting.ini"], self.folder_listing())

    def test_an_empty_setting_ini_starts_with_defaults_and_is_written_at_exit(self):
        self.start(b"")
        self.answers()
        self.assertEqual([], self.driver.dialogs(), "an empty file is not an error")
        self.assertEqual(b"", self.settings_bytes(), "loading does not write")
        self.assertEqual(0, self.exit_through_boxes([]))
        self.assertEqual(settings_file(), self.settings_bytes())

    def test_a_setting_ini_of_exactly_the_limit_is_loaded_whole(self):
        original, names = file_of_exactly(LIMIT)
        self.start(original)
        self.answers()
        self.assertEqual([], self.driver.dialogs())
        self.assertEqual(0, self.exit_through_boxes([]))
        saved_names, fields = read_settings_strictly(self.settings_bytes())
        self.assertEqual(names, saved_names, "every name came back whole")
        # A strip as wide as these names does not fit the screen: it is moved to the left edge.
        expected = read_settings_strictly(original)[1]
        expected["winX"] = "0"
        self.assertEqual(expected, fields)

    def test_a_setting_ini_one_byte_past_the_limit_is_refused_and_kept(self):
        original, _ = file_of_exactly(LIMIT + 1)
        self.start(original, wait=False)
        self.take_box("SIZE ERROR", "setting.ini file size too large.\r\n\r\nThe file was "
                      "kept as setting-kept-1.ini; a new setting.ini will be written.")
        self.wait_window()
        self.answers()
        self.assertEqual(original, self.read_file("setting-kept-1.ini"))
        self.assertEqual(0, self.exit_through_boxes([]))
        self.assertEqual(original, self.read_file("setting-kept-1.ini"))
        self.assertEqual(settings_file(), self.settings_bytes(), "the defaults, written at exit")

    def test_binary_noise_is_survived_and_the_lines_it_hides_are_kept(self):
        rng = random.Random(20261205)
        noise = bytes(rng.randrange(1, 256) for _ in range(6000))  # no NUL: it ends the text
        data = (noise[:3000] + b"\r\n03=Found in the noise\r\nfsize=20\r\n" + noise[3000:] +
                b"\0\r\n04=After a NUL\r\n" + noise[:100])
        self.start(data)
        self.answers()
        self.assertEqual([], self.driver.dialogs())
        self.assertEqual(0, self.exit_through_boxes([]))
        names, fields = read_settings_strictly(self.settings_bytes())
        self.assertEqual("Found in the noise", names[3])
        self.assertEqual("", names[4], "the text ends at the NUL byte")
        self.assertEqual("20", fields["fsize"])


class TimeLogFaultTest(PostedInputTestCase):

    def start_with_tasks(self):
        self.start(settings_file(TASKS))
        self.park_pointer()

    def wait_lines(self, count):
        return wait_for(lambda: len(read_timelog_strictly(self.timelog_bytes() or b"")) == count
                        and read_timelog_strictly(self.timelog_bytes()), 10, f"{count} log lines")

    def test_a_held_timelog_keeps_its_lines_and_gets_them_in_order_once_free(self):
        self.start_with_tasks()
        self.post_switch(1)  # the first switch: Alpha counts from start-up, no line yet
        self.post_switch(2)
        self.wait_lines(1)
        self.driver.hold_file(self.path("timelog.csv"))
        held_bytes = self.timelog_bytes()
        self.post_switch(3)  # Bravo's line cannot be written
        self.take_box(*LOG_OPEN_ERROR)
        self.answers()
        self.driver.command(CMD_SORT)  # saves: the strip has switched to Charlie all the same
        wait_for(lambda: read_settings_strictly(self.settings_bytes())[1]["current_task"] == "3",
                 10, "current_task 3 in setting.ini")
        self.post_switch(4)  # Charlie's line is held as well
        self.take_box(*LOG_OPEN_ERROR)
        self.answers()
        self.assertEqual(held_bytes, self.timelog_bytes(), "nothing written while held")
        self.driver.release_file(self.path("timelog.csv"))
        self.post_switch(1)  # Delta's line, after Bravo's and Charlie's
        rows = self.wait_lines(4)
        self.assertEqual(["Alpha", "Bravo", "Charlie", "Delta"], [r[2] for r in rows])
        self.assertEqual(0, self.exit_through_boxes([]))
        rows = read_timelog_strictly(self.timelog_bytes())
        self.assertEqual(["Alpha", "Bravo", "Charlie", "Delta", "Alpha"], [r[2] for r in rows])
        check_periods_follow_on(self, rows)
        self.assertFalse(os.path.exists(self.path("timelog-unsaved.csv")))

    def check_lines_saved_aside(self, earlier):
        """Switches whose lines cannot be written; at exit they go to timelog-unsaved.csv."""
        self.start_with_tasks()
        self.post_switch(1)
        for row in (2, 3):
            self.post_switch(row)
            self.take_box(*LOG_OPEN_ERROR)
            self.answers()
        self.assertEqual(0, self.exit_through_boxes([LOG_OPEN_ERROR, LOG_SAVED_ASIDE]))
        if earlier is not None:
            self.assertEqual(earlier, self.timelog_bytes())
        rows = read_timelog_strictly(self.read_file("timelog-unsaved.csv"))
        self.assertEqual(["Alpha", "Bravo", "Charlie"], [r[2] for r in rows])
        check_periods_follow_on(self, rows)

    def test_a_read_only_timelog_is_untouched_and_its_lines_saved_aside_at_exit(self):
        earlier = b"2026/12/04 09:00:00,1:00:00,3600,Yesterday\r\n"
        with open(self.path("timelog.csv"), "wb") as f:
            f.write(earlier)
        make_read_only(self.path("timelog.csv"))
        self.check_lines_saved_aside(earlier)

    def test_a_folder_named_timelog_csv_sends_the_lines_to_timelog_unsaved_at_exit(self):
        os.mkdir(self.path("timelog.csv"))
        self.check_lines_saved_aside(None)
        self.assertEqual([], os.listdir(self.path("timelog.csv")))


if __name__ == "__main__":
    unittest.main()
