"""Names in the user's own language, on a Western and on a Japanese Windows: drawn as they
were typed, read from setting.ini in whatever encoding an editor saved it, and logged in the
system's code page."""

from vornet_e2e import JapaneseJourney, Journey, settings_file, wait_for

NAMES = ("Break", "Café crème", "Straße über", "Señor")
JAPANESE_NAME = "日本語"


class WesternTest(Journey):

    def test_names_typed_in_edit_task_are_drawn_and_logged_as_typed(self):
        self.start(settings_file(("Break", "x")))
        for row, name in enumerate(NAMES[1:], 1):
            self.edit_row(row, name)
        for row, name in enumerate(NAMES[1:], 1):
            self.switch_to(row)
            self.strip_shows(name)
        self.exit()
        self.assertEqual(list(NAMES[1:]), [r[3] for r in self.rows()])

    def test_a_file_notepad_saved_in_utf8_or_utf16_shows_its_names_and_is_kept_in_the_code_page(self):
        utf8 = settings_file(NAMES, encoding="utf-8", current_task=1)
        for saved in (utf8, utf8.decode("utf-8").encode("utf-16")):  # UTF-16 LE with its mark
            with self.subTest(saved=saved[:4]):
                self.put("timelog.csv", b"")
                self.start(saved)
                self.strip_shows(NAMES[1])
                self.switch_to(2)  # the first switch: counted from start-up
                self.switch_to(1)
                self.exit()
                self.assertEqual([NAMES[2], NAMES[1]], [r[3] for r in self.rows()])
                self.assertEqual(settings_file(NAMES), self.file("setting.ini"))
                self.assertIsNone(self.file("setting-kept-1.ini"), "a conversion without loss")


class JapaneseTest(JapaneseJourney):

    def test_a_utf8_file_of_japanese_names_loads_as_shift_jis_and_is_drawn_as_typed(self):
        self.start(settings_file(("Break", JAPANESE_NAME), encoding="utf-8", current_task=1))
        self.strip_shows(JAPANESE_NAME)
        self.exit()
        self.assertEqual(settings_file(("Break", JAPANESE_NAME), encoding="cp932"), self.file("setting.ini"))

    def test_a_japanese_name_is_cut_between_characters(self):
        long_name = "\u3042".encode("cp932") * 1024  # 2048 bytes, one over the limit
        self.start(settings_file(("Break", long_name)))
        self.command("exit")
        box, text = self.dialog("Warning")  # the byte cut off is not lost
        self.assertIn("setting-kept-1.ini", text)
        self.answer(box, 1)
        self.proc.wait(timeout=10)
        self.assertIn(b"01=" + long_name[:2046] + b"\r\n", self.file("setting.ini"))
