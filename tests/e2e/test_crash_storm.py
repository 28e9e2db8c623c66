"""Vornet killed without warning, again and again, in the middle of switches, edits and
sorts: after every kill setting.ini and the running file are whole and timelog.csv holds only
whole lines, none of the earlier ones lost, no period twice and none over another; the next
start logs the killed run's task. VORNET_CRASH_KILLS sets the number of kills."""

import datetime
import os
import random
import re

from vornet_e2e import IDYES, Journey, log_rows, settings_file, wait_for

KILLS = int(os.environ.get("VORNET_CRASH_KILLS") or 12)
KEYS = [b"%02d" % i for i in range(50)] + [line.split(b"=")[0] for line in
                                           settings_file().split(b"\r\n")[50:71]]
LINE = re.compile(rb"\d{4}/\d\d/\d\d \d\d:\d\d:\d\d,\d+:\d\d:\d\d,\d+,[A-Za-z]+\r\n")


class CrashStormTest(Journey):

    def check_files(self, earlier_log):
        lines = self.file("setting.ini").split(b"\r\n")
        self.assertEqual(KEYS + [b""], [line.split(b"=")[0] for line in lines])
        log = self.file("timelog.csv") or b""
        self.assertTrue(log.startswith(earlier_log), "earlier lines kept")
        self.assertEqual(log, b"".join(LINE.findall(log)), "only whole lines")
        running = self.file("timelog-running.csv")
        self.assertEqual(running, b"".join(LINE.findall(running)) if running[:2] != b"\r\n"
                         else b"\r\n" + b"".join(LINE.findall(running[2:])), "only whole lines")
        periods = sorted((datetime.datetime.strptime(start, "%Y/%m/%d %H:%M:%S"), seconds, name)
                         for start, _, seconds, name in log_rows(log))
        self.assertEqual(len(periods), len({(start, name) for start, _, name in periods}), "no period twice")
        for (start, seconds, _), (later, _, _) in zip(periods, periods[1:]):
            self.assertLessEqual(start + datetime.timedelta(seconds=seconds), later, "no overlap")
        self.assertLessEqual(set(os.listdir(self.folder)), {"setting.ini", "setting.ini.tmp", "timelog.csv",
                                                            "timelog-running.csv", "timelog-running.csv.tmp"})
        return log

    def take_over(self):
        """A killed run's running task is asked about at the next start: Yes logs its line."""
        running = self.file("timelog-running.csv").split(b"\r\n")[0]
        if running:
            box, _ = self.dialog("Vornet")
            self.answer(box, IDYES)
            wait_for(lambda: (self.file("timelog.csv") or b"").endswith(running + b"\r\n"), 10,
                     "the running task's line")

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
        for kill in range(KILLS):
            self.start()
            if kill > 0:
                self.take_over()
            for _ in range(rng.randrange(1, 4)):
                self.act(rng, len(names))
                for _ in range(rng.randrange(30)):  # the moment of the kill varies
                    self.driver("ping")
            self.proc.kill()  # no message at all, as a crash or a forced end
            self.proc.wait(timeout=10)
            log = self.check_files(log)
        self.assertGreater(len(log), 0)
