"""Kills Vornet without warning, again and again, while it switches, sorts, edits and deletes
tasks in a full table of 50. After every kill setting.ini must be whole (70 CR LF lines with
every key) and hold the last saved state or the one before it, timelog.csv must hold only
whole, well-formed lines with nothing earlier lost, and no other file may pile up.

VORNET_CRASH_KILLS sets the number of kills (20 by default; a full run uses 200 or more);
VORNET_CRASH_SEED the seed of the random choices (the default is fixed)."""

import os
import random
import subprocess
import sys
import unittest

from reliability import PostedInputTestCase, read_settings_strictly, read_timelog_strictly
from vornet_e2e import (CMD_DELETE, CMD_EDIT, CMD_SORT, DEFAULT_FIELDS, IDOK, DriverError,
                        settings_file, wait_for)

KILLS = int(os.environ.get("VORNET_CRASH_KILLS") or 20)
SEED = int(os.environ.get("VORNET_CRASH_SEED") or 20261205)
ALLOWED_FILES = {"setting.ini", "setting.ini.tmp", "timelog.csv"}


def word(rng):
    """Lower-case letters only: the platform's name order and Python's agree on them."""
    return "".join(rng.choice("abcdefghijklmnopqrstuvwxyz") for _ in range(rng.randrange(3, 11)))


class TaskModel:
    """What the program holds in memory: the 50 names and current_task."""

    def __init__(self, names, current):
        self.names = list(names)
        self.current = current
        self.saved = self.state()  # what setting.ini holds, as far as the test knows

    def state(self):
        return tuple(self.names), self.current

    def last_row(self):
        highest = max(i for i, name in enumerate(self.names) if name)
        return 49 if highest == 49 else highest + 1

    def switch(self, row):
        if self.names[row]:
            self.current = row

    def sort(self):
        """Slots 1..49: names in order, empty ones after, equal names in their order;
        current_task follows its task."""
        order = sorted(range(1, 50), key=lambda i: (self.names[i] == "", self.names[i], i))
        if 1 <= self.current <= 49:
            self.current = 1 + order.index(self.current)
        self.names = [self.names[0]] + [self.names[i] for i in order]

    def edit(self, row, name):
        self.names[row] = name

    def delete(self, row):
        last = self.last_row()
        for k in range(row, last):
            self.names[k] = self.names[k + 1]
            if self.current == k + 1:
                self.current = k
        if row <= last:
            self.names[last] = ""


class CrashStormTest(PostedInputTestCase):

    def setUp(self):
        super().setUp()
        self.rng = random.Random(SEED)
        self.stats = {"kills": 0, "terminate": 0, "sigkill": 0, "at start-up": 0,
                      "save in flight": 0, "found the new state": 0, "found the old state": 0,
                      "killed during a save (setting.ini.tmp left)": 0, "log lines": 0,
                      "TerminateProcess missed": 0}
        self.temporary = None  # (size, mtime) of a setting.ini.tmp left by a kill

    # -- the actions; each returns the state a save in flight would write, or None

    def spin(self):
        """A random number of round trips to the driver: the moment of the kill varies."""
        for _ in range(self.rng.randrange(0, self.rng.choice((40, 200)))):
            self.driver.ping()

    def wait_saved(self, model):
        expected = model.state()
        def saved():
            names, fields = read_settings_strictly(self.settings_bytes())
            return (tuple(names), int(fields["current_task"])) == expected
        wait_for(saved, 10, "setting.ini with the last change")
        model.saved = expected

    def act_switch(self, model, settle):
        """A switch saves nothing, but from the second one in a run each writes a line for
        the task that ran, under the name it had when it started."""
        row = self.rng.randrange(0, model.last_row() + 1)
        self.post_switch(row)
        name = model.names[row]
        model.switch(row)
        if not name:
            return None
        if self.running_name is None:  # the first switch of the run
            self.running_name = name
            return None
        line, self.running_name = self.running_name, name
        if not settle:
            self.line_in_flight = line
            return None
        self.log_names.append(line)
        wait_for(lambda: len(read_timelog_strictly(self.timelog_bytes() or b"")) ==
                 len(self.log_names), 10, f"{len(self.log_names)} lines in timelog.csv")
        return None

    def act_sort(self, model, settle):
        self.driver.command(CMD_SORT)
        model.sort()
        if settle:
            self.wait_saved(model)
        return model.state()

    def act_edit(self, model, settle):
        row = self.rng.randrange(1, model.last_row() + 1)
        self.post_open_list()
        self.post_select(row)
        self.driver.command(CMD_EDIT)
        self.driver.wait_dialog("Edit task")
        if not settle and self.rng.random() < 0.3:
            return None  # killed with the dialog open: nothing is being saved
        name = word(self.rng)
        self.driver.set_text("Edit task", 1000, name)
        self.driver.dlg_click("Edit task", IDOK)
        model.edit(row, name)
        if settle:
            self.wait_saved(model)
            self.driver.wait_no_dialog("Edit task")
        return model.state()

    def act_delete(self, model, settle):
        rows = [r for r in range(1, model.last_row() + 1) if r != model.current]
        row = self.rng.choice(rows)
        self.post_open_list()
        self.post_select(row)
        self.driver.command(CMD_DELETE)
        model.delete(row)
        if settle:
            self.wait_saved(model)
        return model.state()

    # -- one run of the program, ended by a kill

    def kill(self):
        if self.rng.random() < 0.5:
            self.stats["terminate"] += 1
            try:
                self.driver.kill()
                self.vornet.wait(10)
            except DriverError:  # not up yet: the Wine process then
                self.vornet.kill()
            except subprocess.TimeoutExpired:
                # The process outlived TerminateProcess (a Wine matter: no program can
                # refuse it). Counted, then killed the other way.
                self.stats["TerminateProcess missed"] += 1
                self.vornet.kill()
        else:
            self.stats["sigkill"] += 1
            self.vornet.kill()
        # The driver keeps a handle to the process it last saw until a kill or a wait-exit
        # through it; after a SIGKILL, the wait-exit makes it let go, so that the next kill
        # goes to the next process and not to this dead one.
        try:
            self.driver.wait_exit(10)
        except DriverError:
            pass
        self.vornet.close_log()
        self.stats["kills"] += 1
        def gone():
            try:
                self.driver.pid()
            except DriverError:
                return True
            return False
        wait_for(gone, 10, "no Vornet process left")

    def run_until_killed(self, model):
        """Starts Vornet, acts, kills it; returns the state an unfinished save may have
        written, or None."""
        if self.rng.random() < 0.1:
            self.stats["at start-up"] += 1
            self.start(wait=False)
            wait_for(self.driver.pid, 20, "the Vornet process")  # loading its settings, perhaps
            self.spin()
            self.kill()
            return None
        self.start()
        self.park_pointer()
        self.running_name = None
        self.line_in_flight = None
        actions = (self.act_switch, self.act_switch, self.act_sort, self.act_edit,
                   self.act_delete)
        for _ in range(self.rng.randrange(0, 6)):
            self.rng.choice(actions)(model, settle=True)
        in_flight = self.rng.choice(actions)(model, settle=False)
        self.spin()
        self.kill()
        return in_flight

    def check_after_kill(self, model, in_flight, log_before):
        data = self.settings_bytes()
        names, fields = read_settings_strictly(data)
        found = (tuple(names), int(fields["current_task"]))
        before = model.saved
        allowed = [before] + ([in_flight] if in_flight is not None else [])
        self.assertIn(found, allowed, "setting.ini holds neither the last state nor the one before")
        self.assertEqual(self.fields, {k: v for k, v in fields.items() if k != "current_task"})
        if in_flight is not None and in_flight != before:
            self.stats["save in flight"] += 1
            self.stats["found the new state" if found == in_flight else "found the old state"] += 1
        log = self.timelog_bytes() or b""
        rows = read_timelog_strictly(log)
        self.assertTrue(log.startswith(log_before), "timelog.csv lost or changed earlier lines")
        names = [name for _, _, name in rows]
        self.assertIn(names, [self.log_names, self.log_names + [self.line_in_flight]],
                      "timelog.csv does not hold the lines of the switches made")
        self.log_names = names
        self.stats["log lines"] = len(rows)
        listing = set(os.listdir(self.folder))
        self.assertLessEqual(listing, ALLOWED_FILES, "files pile up in the folder")
        try:
            info = os.stat(self.path("setting.ini.tmp"))
            temporary = (info.st_size, info.st_mtime_ns)
        except FileNotFoundError:
            temporary = None
        if temporary is not None and temporary != self.temporary:
            self.stats["killed during a save (setting.ini.tmp left)"] += 1
        self.temporary = temporary
        # The next run starts from what the file holds.
        model.names, model.current = list(found[0]), found[1]
        model.saved = found
        return log

    def test_kills_at_random_moments_leave_whole_files(self):
        names = ["Break"] + [word(self.rng) for _ in range(49)]
        self.log_names = []
        self.line_in_flight = None
        self.write_settings(settings_file(names))
        self.fields = {k: str(v) for k, v in DEFAULT_FIELDS if k != "current_task"}
        model = TaskModel(names, 0)
        log = b""
        while self.stats["kills"] < KILLS:
            self.line_in_flight = None
            in_flight = self.run_until_killed(model)
            log = self.check_after_kill(model, in_flight, log)
        print(f"\ncrash storm (seed {SEED}): " +
              ", ".join(f"{k} {v}" for k, v in self.stats.items()), file=sys.stderr)


if __name__ == "__main__":
    unittest.main()
