"""A working day on a real desktop: log-off, typing in another program, a strip
at the screen's bottom edge, a changed screen."""

import subprocess

from vornet_e2e import FSIZE, Journey, settings_file, wait_for, xdotool

TASKS = ("Break", "Alpha", "Beta", "Gamma")
WM_DISPLAYCHANGE = 0x7E


class SessionTest(Journey):

    def log_off(self, with_dialog):
        self.start(settings_file(TASKS))
        left, top = self.rect()[:2]
        self.switch_to(1)
        self.driver("move", self.hwnd, 500, 300)  # as a drag leaves it
        if with_dialog:
            self.command("properties")
            self.dialog("Properties")
        subprocess.run(["wineboot", "--end-session", "--force"], check=True, timeout=60)
        self.proc.wait(timeout=10)
        self.assertEqual(["Alpha"], [r[3] for r in self.rows()])
        self.assertEqual(settings_file(TASKS, winX=500 + 960 - left, winY=300 - top),
                         self.file("setting.ini"))

    def test_a_log_off_saves_what_exit_saves(self):
        self.log_off(with_dialog=False)

    def test_a_log_off_with_a_dialog_open_saves_what_exit_saves(self):
        self.log_off(with_dialog=True)

    def test_keys_typed_elsewhere_stay_there_while_the_pointer_crosses_the_strip(self):
        self.start(settings_file(TASKS))
        notepad = subprocess.Popen(["wine", "notepad"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.procs.append(notepad)
        window = wait_for(lambda: self.driver.windows("Notepad"), 30, "Notepad")[0]["hwnd"]
        wait_for(lambda: int(self.driver("foreground")[0]) == window, 10, "Notepad in front")
        left, top, right, bottom = self.rect()
        xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)
        self.driver("post", self.hwnd, 0x200, 0, (5 << 16) | 10)
        xdotool("type", "--delay", "20", "typed")
        xdotool("key", "Return")
        edit = int(self.driver("child", window, 15)[0]) or int(self.driver("child", window, 0)[0])
        wait_for(lambda: self.driver("text", edit)[0] == "typed\r\n", 10, "the keys in Notepad")
        self.assertEqual(window, int(self.driver("foreground")[0]))
        self.exit()
        self.assertIsNone(self.file("timelog.csv"))

    def test_a_strip_at_the_bottom_edge_opens_its_list_upwards_and_comes_back(self):
        self.start(settings_file(TASKS, winY=1040))
        strip = self.rect()
        self.open_list()
        opened = self.rect()
        frame = 1040 - strip[1]  # the window's edge outside its visible region
        self.assertEqual(1080, opened[3] - frame, "the last row at the screen's bottom edge")
        self.hover_row(2)
        self.click(10, 3 + 2 * FSIZE + FSIZE // 2)
        wait_for(lambda: self.rect() == strip, 10, "the strip where it was")
        self.exit()
        self.assertIn(b"winY=1040\r\n", self.file("setting.ini"))

    def test_a_strip_left_off_screen_by_a_display_change_comes_back(self):
        self.start(settings_file(TASKS))
        self.driver("move", self.hwnd, 3000, 2000)  # where a removed monitor was
        self.driver("post", self.hwnd, WM_DISPLAYCHANGE, 32, (1080 << 16) | 1920)
        wait_for(lambda: self.rect()[2] <= 1920 + 10 and self.rect()[3] <= 1080 + 10, 10,
                 "the strip on the screen")
