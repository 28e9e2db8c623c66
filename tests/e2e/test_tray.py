"""The notification-area icon and the context menus: the icon comes and goes with the
program and comes back after a shell restart; presses open the right menu, or none while a
dialog is open; a chosen item runs its command."""

import unittest

from vornet_e2e import (CMD_VERSION, IDOK, MENU_LIST_OPEN, MENU_STRIP, WM_LBUTTONDOWN,
                        WM_RBUTTONDOWN, VornetTestCase, click, mousemove, settings_file,
                        wait_for, which_menu)

FSIZE = 18


class TrayTest(VornetTestCase):

    def start_with(self):
        self.start(settings_file(("Break", "Alpha")))

    def height(self):
        left, top, right, bottom = self.driver.rect()
        return bottom - top

    def open_the_list(self):
        left, top, _, _ = self.driver.client()
        click(left + 5, top + 5)
        wait_for(lambda: self.height() == 3 * FSIZE + 12, 10, "the list open")

    def settle_posted_messages(self):
        """Returns once every message posted to the window before has been handled: the
        shell's restart notice is obeyed in every state and re-adds the icon."""
        self.driver.tray_delete()
        self.driver.taskbar_created()
        wait_for(self.driver.tray_has, 10, "the icon added again")

    def test_icon_lives_as_long_as_the_program_and_returns_after_a_shell_restart(self):
        self.start_with()
        self.assertTrue(self.driver.tray_has())
        mousemove(*self.tray_icon_center())
        self.assertIn("Vornet", self.driver.tooltip())
        self.driver.tray_delete()
        self.assertFalse(self.driver.tray_has())
        self.driver.taskbar_created()
        wait_for(self.driver.tray_has, 10, "the icon after TaskbarCreated")
        self.exit()
        wait_for(lambda: not self.driver.tray(), 10, "no icon left after the exit")

    def test_the_icon_returns_after_a_shell_restart_also_while_a_dialog_is_open(self):
        self.start_with()
        self.driver.command(CMD_VERSION)
        self.driver.wait_dialog("Version")
        self.settle_posted_messages()
        self.driver.dlg_click("Version", IDOK)
        self.driver.wait_no_dialog("Version")

    def test_right_press_opens_the_short_menu_on_the_strip_and_the_full_one_on_the_list(self):
        self.start_with()
        menu = self.open_tray_menu()
        self.assertEqual(MENU_STRIP, which_menu(menu["rect"]))
        left, top, right, bottom = menu["rect"]
        self.assertEqual((700, 500), (left, bottom), "left and bottom edges at the pointer")
        self.choose_menu_item(MENU_STRIP, "Version")
        self.driver.wait_dialog("Version")
        self.driver.dlg_click("Version", IDOK)
        self.driver.wait_no_dialog("Version")

        self.open_the_list()
        menu = self.open_tray_menu()
        self.assertEqual(MENU_LIST_OPEN, which_menu(menu["rect"]))
        self.choose_menu_item(MENU_LIST_OPEN, "Close List\tESC")
        wait_for(lambda: self.height() == FSIZE + 10, 10, "the list closed by the menu item")

    def test_no_menu_and_no_front_while_a_dialog_is_open(self):
        self.start_with()
        self.driver.command(CMD_VERSION)
        self.driver.wait_dialog("Version")
        mousemove(700, 500)
        self.tray_callback(WM_RBUTTONDOWN)
        self.tray_callback(WM_LBUTTONDOWN)
        self.settle_posted_messages()
        with self.assertRaises(Exception):
            self.driver.menu()
        self.driver.dlg_click("Version", IDOK)
        self.driver.wait_no_dialog("Version")

    def test_left_press_brings_the_strip_to_the_front_but_leaves_an_open_list(self):
        self.start_with()
        self.tray_callback(WM_LBUTTONDOWN)
        wait_for(self.driver.foreground, 10, "the strip in front")
        self.open_the_list()
        self.tray_callback(WM_LBUTTONDOWN)
        self.settle_posted_messages()
        self.assertEqual(3 * FSIZE + 12, self.height())


if __name__ == "__main__":
    unittest.main()
