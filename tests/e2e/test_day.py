"""A user's ordinary use: the first start, switching, the dialogs, the menus and the tray."""

from vornet_e2e import FSIZE, IDOK, WM_KEYDOWN, WM_USER, Journey, settings_file, wait_for, xdotool

TASKS = ("Break", "Alpha", "Beta", "Gamma")
IDC_FONT_SIZE = 1019
VK_DOWN, VK_RETURN = 0x28, 0x0D


class DayTest(Journey):

    def test_a_first_start_writes_the_default_file_and_a_second_start_gives_way(self):
        self.start()
        self.assertEqual(settings_file(), wait_for(lambda: self.file("setting.ini"), 10, "setting.ini"))
        second = self.launch()
        self.assertNotEqual(None, wait_for(lambda: second.poll() is not None, 20, "the second to end"))
        self.assertEqual(1, len(self.driver.windows("Quernbox")))
        self.assertTrue(int(self.driver("exstyle", self.hwnd)[0]) & 0x8, "topmost")
        self.exit()
        self.assertIsNone(self.file("timelog.csv"), "no switch, so no line")

    def test_properties_change_the_font_size_of_the_strip(self):
        self.start(settings_file(TASKS))
        self.command("properties")
        dialog, _ = self.dialog("Properties")
        self.set_field(dialog, IDC_FONT_SIZE, "30")
        self.answer(dialog, IDOK)
        wait_for(lambda: self.height() == 40, 10, "a strip 30 + 10 pixels high")
        self.exit()
        self.assertIn(b"fsize=30\r\n", self.file("setting.ini"))

    def test_the_menu_opens_the_version_box_and_the_tray_tip_tells_the_time_run(self):
        self.start(settings_file(TASKS))
        self.driver("post", self.hwnd, 0x204, 0, (5 << 16) | 10)  # right press on the strip
        wait_for(lambda: self.driver.windows("#32768"), 10, "the menu")
        for vk in (VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN):  # Properties, Start with Windows, Version
            self.driver("post", self.hwnd, WM_KEYDOWN, vk, 0)
        box, _ = self.dialog("Version")
        self.answer(box, IDOK)
        xdotool("mousemove", 10, 31)  # over the icon in Wine's tray window
        self.driver("post", self.hwnd, WM_USER, 111, 0x200)
        tip = wait_for(lambda: [w["text"] for w in self.driver.windows("tooltips_class32")
                                if w["text"].startswith("Break 0:00:")], 10, "the tip")
        self.assertRegex(tip[0], r"^Break 0:00:\d\d$")
