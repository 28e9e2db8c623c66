"""What the user wrote survives what real folders and disks do: a held log, a file or a
folder that refuses writes, a full disk."""

import os
import subprocess

from vornet_e2e import FSIZE, IDOK, Journey, settings_file, wait_for

TASKS = ("Break", "Alpha", "Beta", "Gamma")
WM_CLOSE = 0x10


class FilesTest(Journey):

    def boxes(self, wanted_title, wanted_text):
        """Answers Vornet's message boxes in turn until the one wanted; returns its text."""
        while True:
            hwnd, title, text = wait_for(self.message_box, 15, f"the {wanted_title!r} box")
            self.answer(hwnd, IDOK)
            if title == wanted_title and wanted_text in text:
                return text

    def message_box(self):
        for w in self.driver.windows("#32770"):
            static = int(self.driver("child", w["hwnd"], 0xFFFF)[0])
            if static:
                return w["hwnd"], w["text"], self.driver("text", static)[0]
        return None

    def need_root_for(self, what, result):
        """A set-up only root can make: skipped elsewhere, a failure where root runs (CI)."""
        if result.returncode == 0:
            return
        if os.geteuid() == 0:
            self.fail(f"{what} failed as root: {result.stderr.decode(errors='replace')}")
        self.skipTest(f"{what} needs root")

    def immutable(self, path):
        """chattr +i: refused even to root, as Windows refuses a file or folder it protects."""
        self.need_root_for("chattr +i", subprocess.run(["chattr", "+i", path], capture_output=True))
        self.addCleanup(subprocess.run, ["chattr", "-i", path])

    def test_an_exit_sent_while_a_box_is_up_is_refused_and_no_period_is_logged_twice(self):
        self.start(settings_file(TASKS))
        self.driver("hold", self.windows_path("timelog.csv"))
        self.switch_to(1)
        self.switch_to(2, settle=False)
        box, text = self.dialog("OPEN ERROR")
        self.assertEqual("timelog.csv file open error.", text)
        self.command("exit")  # what the tray menu's Exit sends
        self.driver("post", self.hwnd, WM_CLOSE, 0, 0)  # what another program's close sends
        self.answer(box, IDOK)
        self.settle()
        self.assertEqual([self.hwnd], [w["hwnd"] for w in self.driver.windows("Quernbox")])
        self.driver("release", self.windows_path("timelog.csv"))
        self.exit()
        self.assertEqual(["Alpha", "Beta"], [r[3] for r in self.rows()])
        self.assertIsNone(self.file("timelog-unsaved.csv"))

    def test_a_file_that_refuses_writes_is_still_read_and_left_as_it_was(self):
        ours = settings_file(TASKS, winX=300, winY=400)
        self.put("setting.ini", ours)
        self.immutable(self.path("setting.ini"))
        self.start()
        self.open_list()
        self.assertEqual(5 * FSIZE + 12, self.height(), "the names read")
        self.edit_row(1, "Alpha renamed", settle=False)
        self.assertIn("setting.ini file open error.", self.boxes("OPEN ERROR", ""))
        self.settle()
        self.command("exit")
        self.boxes("OPEN ERROR", "setting.ini")
        self.proc.wait(timeout=10)
        self.assertEqual(ours, self.file("setting.ini"))

    def test_a_folder_that_takes_no_new_file_is_saved_in_place(self):
        self.put("setting.ini", settings_file(TASKS))
        self.put("timelog.csv", b"")
        self.immutable(self.folder)
        self.start()
        self.edit_row(1, "Alpha renamed")
        self.switch_to(2, settle=False)  # the first switch: Beta's time now worth keeping
        self.assertIn("if Vornet does not end properly", self.boxes("Warning", "timelog-running.csv"))
        self.settle()
        self.exit()
        self.assertEqual(settings_file(("Break", "Alpha renamed", "Beta", "Gamma")), self.file("setting.ini"))
        self.assertEqual(["Beta"], [r[3] for r in self.rows()])
        self.assertEqual({"setting.ini", "timelog.csv"}, set(os.listdir(self.folder)))

    def test_a_full_disk_at_exit_shows_the_lines_no_file_took(self):
        disk = self.path("disk")
        os.mkdir(disk)
        self.need_root_for("mounting a small file system", subprocess.run(
            ["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", disk], capture_output=True))
        self.addCleanup(subprocess.run, ["umount", disk])
        self.folder = disk
        self.put("setting.ini", settings_file(TASKS))
        subprocess.run(["dd", "if=/dev/zero", "of=" + self.path("filler"), "bs=4k"], capture_output=True)
        self.start()
        self.switch_to(1, settle=False)
        self.boxes("Warning", "timelog-running.csv")
        self.settle()
        self.switch_to(2, settle=False)
        self.assertIn("write error", self.boxes("OPEN ERROR", "timelog.csv file"))
        self.settle()
        self.command("exit")
        text = self.boxes("OPEN ERROR", "please note them")
        self.assertRegex(text, r"\r\n\d{4}/\d\d/\d\d \d\d:\d\d:\d\d,0:00:\d\d,\d+,Alpha\r\n")
        self.assertRegex(text, r",Beta\r\n")
        self.proc.wait(timeout=10)
