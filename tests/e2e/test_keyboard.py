"""Without the mouse and without the eyes: the hotkey pressed in another program opens the
list with the keyboard in it, keys choose the task and give the keyboard back, and a screen
reader in another process reads the strip, the rows and what changes (MSAA, WinEvents)."""

import subprocess

from vornet_e2e import IDOK, Journey, settings_file, wait_for, xdotool

TASKS = ("Break", "Mail", "Review", "Meeting")
FOCUS, SELECTION, NAME_CHANGE = 32773, 32774, 32780
SELECTED_AND_FOCUSED = 0x6
STATIC_TEXT, LIST = "41", "33"


class KeyboardTest(Journey):

    def in_front(self, window, what):
        wait_for(lambda: int(self.driver("foreground")[0]) == window, 10, what)

    def test_the_hotkey_in_another_program_opens_the_list_where_keys_switch_and_a_reader_hears_it(self):
        self.start(settings_file(TASKS, winX=1500, winY=900))  # away from Notepad's window
        self.procs.append(subprocess.Popen(["wine", "notepad"], stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL))
        notepad = wait_for(lambda: self.driver.windows("Notepad"), 30, "Notepad")[0]
        left, top, right, bottom = notepad["rect"]
        xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)  # the keyboard follows
        self.in_front(notepad["hwnd"], "Notepad in front")
        self.assertEqual(["Vornet", STATIC_TEXT], self.driver("msaa", self.hwnd)[:2])
        self.driver("events", self.hwnd)  # the reader listens from here on
        xdotool("key", "ctrl+alt+space")
        self.in_front(self.hwnd, "the list in front")
        read = self.driver("msaa", self.hwnd)
        self.assertEqual(LIST, read[1])
        self.assertEqual(["Break", "Mail", "Review", "Meeting", "empty"], read[3::3])
        self.assertEqual([6, 0, 0, 0, 0], [int(state) & SELECTED_AND_FOCUSED for state in read[5::3]])
        xdotool("key", "Escape")
        self.in_front(notepad["hwnd"], "the keyboard back in Notepad")
        xdotool("key", "ctrl+alt+space")
        self.in_front(self.hwnd, "the list in front again")
        xdotool("type", "mm")  # Mail, then Meeting
        xdotool("key", "Up", "Return")
        wait_for(lambda: self.driver("msaa", self.hwnd)[:2] == ["Review", STATIC_TEXT], 10, "Review heard")
        self.in_front(notepad["hwnd"], "the keyboard back in Notepad after the switch")
        heard = self.driver("events", self.hwnd)
        for event in (f"{SELECTION} 2", f"{FOCUS} 2", f"{FOCUS} 4", f"{FOCUS} 3", f"{NAME_CHANGE} 0"):
            self.assertIn(event, heard)
        xdotool("type", "x")
        edit = int(self.driver("child", notepad["hwnd"], 15)[0]) or int(self.driver("child", notepad["hwnd"], 0)[0])
        wait_for(lambda: self.driver("text", edit)[0] == "x", 10, "only the key typed for Notepad there")
        self.exit()
        self.assertEqual(["Review"], [r[3] for r in self.rows()])

    def test_a_hotkey_another_program_holds_is_told_once_and_vornet_works_without_it(self):
        self.driver("hotkey", 3, 0x20)  # Ctrl+Alt+Space
        self.addCleanup(self.driver, "hotkey", 0, 0)
        self.start(settings_file(TASKS))
        box, text = self.dialog("Warning")
        self.assertRegex(text, r"^The hotkey Ctrl\+Alt\+[Ss]pace is held by another program")
        self.answer(box, IDOK)
        self.command("properties")  # OK tries the hotkey again, and says nothing more
        self.answer(self.dialog("Properties")[0], IDOK)
        self.switch_to(1)
        self.assertEqual([], self.driver.windows("#32770"))
        self.exit()
        self.assertEqual(["Mail"], [r[3] for r in self.rows()])
