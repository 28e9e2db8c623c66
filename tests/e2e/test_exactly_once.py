"""Every period in the log once, whatever holds the files and whenever Windows ends the
session; and the absence an "Away" box shows is the one its Yes logs."""

import datetime
import subprocess

from vornet_e2e import IDOK, IDYES, DriverError, Journey, settings_file, wait_for

TASKS = ("Break", "Alpha", "Beta")
IDNO = 7
WM_POWERBROADCAST, PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC = 0x218, 4, 0x12


class ExactlyOnceTest(Journey):

    def start_again_without_a_question(self):
        """The next start takes over what is left and asks nothing: the running file is this
        run's at once."""
        self.start()
        wait_for(lambda: self.file("timelog-running.csv") == b"\r\n", 10, "this run's running file")
        self.assertEqual([], self.driver.windows("#32770"))
        self.exit()

    def test_a_running_file_held_at_exit_is_told_and_its_task_logged_once(self):
        self.start(settings_file(TASKS))
        self.switch_to(1)
        self.switch_to(2)
        self.driver("hold", self.windows_path("timelog-running.csv"))  # a sync client, say
        self.command("exit")
        box, text = self.dialog("Warning")
        self.assertIn("timelog-running.csv could not be removed", text)
        self.answer(box, IDOK)
        self.proc.wait(timeout=10)
        self.driver("release", self.windows_path("timelog-running.csv"))
        self.assertNotEqual(b"\r\n", self.file("timelog-running.csv"))
        self.start_again_without_a_question()
        self.assertEqual(["Alpha", "Beta"], [r[3] for r in self.rows()])

    def test_a_session_ending_inside_exits_box_logs_the_task_once_and_tells_it_next_time(self):
        self.start(settings_file(TASKS))
        self.switch_to(1)
        self.switch_to(2)
        self.driver("hold", self.windows_path("setting.ini"))
        self.command("exit")
        box, text = self.dialog("OPEN ERROR")
        self.assertEqual("setting.ini file open error.", text)
        subprocess.run(["wineboot", "--end-session", "--force"], check=True, timeout=60)
        self.proc.wait(timeout=10)
        self.assertEqual(["Alpha", "Beta"], [r[3] for r in self.rows()])
        self.assertIsNone(self.file("timelog-running.csv"))
        try:
            self.driver("release", self.windows_path("setting.ini"))
        except DriverError:
            pass  # the driver ended with the session, and its hold with it
        self.start(shown=False)
        box, text = self.dialog("Warning")
        self.assertEqual("When Windows ended the last session, Vornet could not tell you:\r\n\r\n"
                         "setting.ini file open error.", text)
        self.answer(box, IDOK)
        self.wait_shown()
        self.exit()
        self.assertIsNone(self.file("vornet-notices.txt"))
        self.start_again_without_a_question()
        self.assertEqual(["Alpha", "Beta"], [r[3] for r in self.rows()])

    def away(self, seconds):
        """A suspend, `seconds` on the program's clock, and the resume."""
        self.driver("send", self.hwnd, WM_POWERBROADCAST, PBT_APMSUSPEND, 0)
        self.clock += seconds
        self.move_clock(self.clock)
        self.driver("send", self.hwnd, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0)

    def test_yes_logs_the_absence_its_box_showed_and_one_during_the_box_comes_after(self):
        self.start(settings_file(TASKS), env=self.faked_clock())
        self.clock = 0
        self.switch_to(1)
        self.away(61)
        box, first = self.dialog("Away")
        self.away(120)  # gone again before answering, and back
        self.answer(box, IDYES)
        box, second = self.dialog("Away")
        self.answer(box, IDNO)
        self.exit()
        rows = self.rows()
        self.assertEqual(["Alpha", "Break", "Alpha"], [r[3] for r in rows])
        shown = [datetime.datetime.strptime(t, "%H:%M:%S") for t in first[10:30].split(" to ")]
        self.assertEqual(shown[0].strftime("%H:%M:%S"), rows[1][0][11:])
        self.assertEqual((shown[1] - shown[0]).seconds, rows[1][2])
        self.assertNotEqual(first, second)
