"""A day that logs itself: Vornet starts with Windows and notices the user away without a
lock."""

import getpass
import os

from vornet_e2e import EXE, IDYES, DriverError, Journey, settings_file, wait_for

TASKS = ("Break", "Alpha", "Beta", "Gamma")
IDM_START_WITH_WINDOWS = 40024
PRESENT, INACTIVE = 0, 2


class UnattendedTest(Journey):

    def shortcut(self):
        try:
            return self.driver("shortcut", "Vornet.lnk")
        except DriverError:
            return None

    def test_start_with_windows_makes_and_removes_a_shortcut_to_this_program_in_this_folder(self):
        # A shortcut left behind would start a Vornet with every new Wine session.
        startup = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", getpass.getuser(),
                               "AppData", "Roaming", "Microsoft", "Windows", "Start Menu",
                               "Programs", "StartUp", "Vornet.lnk")
        self.addCleanup(lambda: os.path.exists(startup) and os.remove(startup))
        self.start(settings_file(TASKS))
        self.driver("post", self.hwnd, 0x111, IDM_START_WITH_WINDOWS, 0)
        program, folder = wait_for(self.shortcut, 10, "the shortcut")
        self.assertEqual(self.windows_path(os.path.realpath(EXE)).lower(), program.lower())
        self.assertEqual(self.windows_path(self.folder).lower(), folder.lower())
        self.driver("post", self.hwnd, 0x111, IDM_START_WITH_WINDOWS, 0)
        wait_for(lambda: self.shortcut() is None, 10, "the shortcut gone")
        self.exit()

    def test_time_away_without_a_lock_is_noticed_by_the_users_presence(self):
        self.start(settings_file(TASKS), env=self.faked_clock())
        self.switch_to(1)
        self.driver("presence", self.hwnd, PRESENT)  # Windows tells the state once at first
        self.driver("presence", self.hwnd, INACTIVE)
        self.move_clock(61)
        self.driver("presence", self.hwnd, PRESENT)
        box, text = self.dialog("Away")
        self.answer(box, IDYES)
        self.exit()
        rows = self.rows()
        self.assertEqual(["Alpha", "Break", "Alpha"], [r[3] for r in rows])
        self.assertGreaterEqual(rows[1][2], 60)
