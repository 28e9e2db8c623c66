"""Edit task and Delete task through the real dialog and keys."""

import os
import time
import unittest

from vornet_e2e import (CMD_DELETE, CMD_EDIT, CMD_SORT, IDCANCEL, IDOK, VornetTestCase, click,
                        key, mousemove, parse_settings, settings_file, split_crlf, wait_for)

FSIZE = 18


class EditingTest(VornetTestCase):

    def height(self):
        left, top, right, bottom = self.driver.rect()
        return bottom - top

    def rows_shown(self):
        return (self.height() - 12) // FSIZE

    def open_list(self):
        left, top, _, _ = self.driver.client()
        click(left + 5, top + 5)
        wait_for(lambda: self.height() != FSIZE + 10, 10, "the list open")

    def wait_strip(self):
        wait_for(lambda: self.height() == FSIZE + 10, 10, "the list closed")

    def select(self, row):
        left, top, _, _ = self.driver.client()
        mousemove(left + 10, top + 3 + row * FSIZE + FSIZE // 2)

    def edit(self, row, text, button=IDOK):
        """Opens the list, selects `row`, renames it in the Edit task dialog."""
        self.open_list()
        self.select(row)
        self.driver.command(CMD_EDIT)
        self.driver.wait_dialog("Edit task")
        if text is not None:
            self.driver.set_text("Edit task", 1000, text)
        self.driver.dlg_click("Edit task", button)
        self.driver.wait_no_dialog("Edit task")
        self.wait_strip()

    def delete(self, row):
        self.open_list()
        self.select(row)
        key("Delete")

    def names(self):
        lines = split_crlf(self.settings_bytes())
        return [line[3:].decode("cp1252") for line in lines[:50]]

    def current_task(self):
        return int(self.settings()["current_task"])

    def switch_to(self, row):
        self.open_list()
        self.select(row)
        click()
        self.wait_strip()

    def test_adding_on_the_empty_row_grows_the_list(self):
        self.start()
        self.edit(1, "Write report")
        self.assertEqual("Write report", self.names()[1])
        self.open_list()
        self.assertEqual(3, self.rows_shown(), "the new name and a new empty row")

    def test_the_edit_field_shows_the_row_and_keeps_1023_characters(self):
        self.start(settings_file(("Break", "Alpha")))
        self.open_list()
        self.select(1)
        self.driver.command(CMD_EDIT)
        self.driver.wait_dialog("Edit task")
        self.assertEqual("Alpha", self.driver.get_text("Edit task", 1000))
        name = "".join(chr(ord("a") + i % 26) for i in range(1023))
        self.driver.set_text("Edit task", 1000, name)
        self.driver.dlg_click("Edit task", IDOK)
        self.driver.wait_no_dialog("Edit task")
        self.wait_strip()
        self.assertEqual(name, self.names()[1])

    def test_emptying_row_0_gives_break_back(self):
        self.start(settings_file(("Pause", "Alpha")))
        self.edit(0, "")
        self.assertEqual("Break", self.names()[0])

    def test_an_emptied_middle_name_leaves_a_gap_that_sort_moves_down(self):
        self.start(settings_file(("Break", "c", "b", "a")))
        self.edit(2, "")
        self.assertEqual(["Break", "c", "", "a", ""], self.names()[:5])
        self.open_list()
        self.driver.command(CMD_SORT)
        wait_for(lambda: self.names()[:5] == ["Break", "a", "c", "", ""], 10, "the sorted names")

    def test_cancel_rewrites_and_rereads_the_file_without_changing_the_table(self):
        self.start(settings_file(("Break", "Alpha", "Beta")))
        self.switch_to(2)
        with open(self.path("setting.ini"), "ab") as f:  # an edit behind our back
            f.write(b"00=Changed outside\r\n")
        self.edit(1, "Not taken", button=IDCANCEL)
        self.assertEqual(["Break", "Alpha", "Beta"], self.names()[:3])
        self.assertEqual(2, self.current_task(), "the running task is still Beta")
        self.assertNotIn(b"Changed outside", self.settings_bytes())

    def test_a_full_table_edits_and_deletes(self):
        names = ["n%02d" % i for i in range(49)]
        self.start(settings_file(names))
        self.edit(49, "last")
        self.assertEqual("last", self.names()[49])
        self.open_list()
        self.assertEqual(50, self.rows_shown(), "no empty row after a full table")
        key("Escape")
        self.wait_strip()
        self.delete(10)
        self.wait_strip()
        self.assertEqual("n11", self.names()[10])
        self.assertEqual("last", self.names()[48])
        self.assertEqual("", self.names()[49])
        self.open_list()
        self.assertEqual(50, self.rows_shown(), "row 49 now empty but still shown")

    def test_deleting_above_the_running_task_makes_it_follow(self):
        self.start(settings_file(("Break", "a", "b", "c", "d", "e", "f", "g")))
        self.switch_to(7)
        self.delete(3)
        self.wait_strip()
        self.assertEqual(["Break", "a", "b", "d", "e", "f", "g", ""], self.names()[:8])
        self.assertEqual(6, self.current_task())
        self.delete(5)
        self.wait_strip()
        self.assertEqual(5, self.current_task(), "a running task below moves up again")

    def test_deleting_the_running_task_is_refused_and_the_list_stays_open(self):
        self.start(settings_file(("Break", "a", "b")))
        self.switch_to(2)
        before = self.settings_bytes()
        self.delete(2)
        title, text = self.driver.msgbox()
        self.assertEqual(("Warning", "Running task can't be deleted."), (title, text))
        self.driver.msgbox_ok()
        self.driver.wait_no_msgbox()
        self.assertEqual(4 * FSIZE + 12, self.height(), "the list stays open")
        self.assertEqual(before, self.settings_bytes())

    def test_delete_on_row_0_or_the_closed_strip_only_closes(self):
        self.start(settings_file(("Break", "a", "b")))
        self.wait_for_file("setting.ini")
        before = self.settings_bytes()
        self.delete(0)
        self.wait_strip()
        left, top, _, _ = self.driver.client()
        mousemove(left + 5, top + 5)
        self.driver.command(CMD_DELETE)
        self.driver.ping()
        self.assertEqual(FSIZE + 10, self.height())
        self.assertEqual(before, self.settings_bytes())

    def test_a_long_name_from_the_file_survives_until_it_is_edited(self):
        long_name = "L" * 2000
        self.start(settings_file(("Break", "b", long_name, "a")))
        self.delete(1)
        self.wait_strip()
        self.open_list()
        self.driver.command(CMD_SORT)
        wait_for(lambda: self.names()[1] == "a", 10, "sorted")
        self.assertEqual(long_name, self.names()[2])
        key("Escape")
        self.wait_strip()
        self.edit(2, None)  # OK on the field as shown: at most 1023 characters are kept
        self.assertEqual("L" * 1023, self.names()[2])


if __name__ == "__main__":
    unittest.main()
