"""Vornet killed without warning, again and again, in the middle of switches, edits and
sorts: after every kill setting.ini is whole and timelog.csv holds only whole lines, none
of the earlier ones lost. VORNET_CRASH_KILLS sets the number of kills."""

import os
import random
import re

from vornet_e2e import FSIZE, IDOK, Journey, settings_file, wait_for

KILLS = int(os.environ.get("VORNET_CRASH_KILLS") or 12)
KEYS = [b"%02d" % i for i in range(50)] + [line.split(b"=")[0] for line in
                                           settings_file().split(b"\r\n")[50:70]]
LINE = re.compile(rb"\d{4}/\d\d/\d\d \d\d:\d\d:\d\d,\d+:\d\d:\d\d,\d+,[A-Za-z]+\r\n")


class CrashStormTest(Journey):

    def check_files(self, earlier_log):
        lines = self.file("setting.ini").split(b"\r\n")
        self.assertEqual(KEYS + [b""], [line.split(b"=")[0] for line in lines])
        log = self.file("timelog.csv") or b""
        self.assertTrue(log.startswith(earlier_log), "earlier lines kept")
        self.assertEqual(log, b"".join(LINE.findall(log)), "only whole lines")
        self.assertLessEqual(set(os.listdir(self.folder)), {"setting.ini", "setting.ini.tmp", "timelog.csv"})
        return log

    def act(self, rng, rows):
        choice = rng.randrange(3)
        if choice == 0:
            self.switch_to(rng.randrange(1, rows))
        elif choice == 1:
            self.edit_row(rng.randrange(1, rows), "".join(rng.choice("abcdefgh") for _ in range(6)))
        else:
            self.open_list()
            self.command("sort")

    def test_every_kill_leaves_whole_files(self):
        rng = random.Random(20261207)
        names = ["Break"] + ["task" + "abcdefghij"[i] for i in range(10)]
        self.put("setting.ini", settings_file(names))
        log = b""
        for _ in range(KILLS):
            self.start()
            for _ in range(rng.randrange(1, 4)):
                self.act(rng, len(names))
                for _ in range(rng.randrange(30)):  # the moment of the kill varies
                    self.driver("ping")
            self.driver("kill", self.hwnd)
            self.proc.wait(timeout=10)
            log = self.check_files(log)
        self.assertGreater(len(log), 0)
