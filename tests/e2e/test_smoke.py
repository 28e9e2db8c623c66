"""First start in an empty folder: the strip comes up at the top middle of the screen,
setting.ini is written with the break task, and an exit right away logs nothing."""

import os
import unittest

from vornet_e2e import CMD_EXIT, EXE, VornetTestCase, split_crlf


@unittest.skipUnless(os.path.exists(EXE), f"{EXE} does not exist yet")
class SmokeTest(VornetTestCase):
    def test_first_start_then_exit(self):
        self.start()

        data = self.wait_for_file("setting.ini", lambda d: d.startswith(b"00=Break\r\n"),
                                  what="setting.ini starting with 00=Break")
        self.assertEqual(split_crlf(data)[0], b"00=Break")

        metrics = self.driver.metrics()
        left, top, right, bottom = self.driver.rect()
        self.assertEqual(bottom - top, 18 + 10, "outer height of the strip is fsize + 10")
        self.assertEqual(left, metrics["cxscreen"] // 2 - metrics["cxdlgframe"])
        self.assertEqual(top, 0 - metrics["cydlgframe"])

        self.exit(command=CMD_EXIT)
        self.assertIsNone(self.timelog_bytes(), "timelog.csv must not be created")


if __name__ == "__main__":
    unittest.main()
