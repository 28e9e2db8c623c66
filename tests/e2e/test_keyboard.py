"""Without the mouse and without the eyes: the hotkey pressed in another program, keys that
choose the task and give the keyboard back, a screen reader in another process (MSAA)."""

import subprocess

from vornet_e2e import IDOK, Journey, settings_file, wait_for, xdotool

TASKS = ("Break", "Mail", "Review", "Meeting")


class KeyboardTest(Journey):

    def in_front(self, window):
        wait_for(lambda: int(self.driver("foreground")[0]) == window, 10, f"window {window} in front")

    def properties_ok(self):
        self.command("properties")
        self.answer(self.dialog("Properties")[0], IDOK)

    def test_a_held_hotkey_is_told_once_then_from_notepad_keys_switch_and_a_reader_hears_it(self):
        self.driver("hotkey", 3, 0x20)  # another program holds Ctrl+Alt+Space
        self.addCleanup(self.driver, "hotkey", 0, 0)
        self.start(settings_file(TASKS, winX=1500, winY=900))  # away from Notepad's window
        box, text = self.dialog("Warning")
        self.assertRegex(text, r"^The hotkey Ctrl\+Alt\+[Ss]pace is held by another program")
        self.answer(box, IDOK)
        self.properties_ok()  # tried again, told no more: a box would hold up all that follows
        self.driver("hotkey", 0, 0)
        self.properties_ok()  # free now: taken
        self.procs.append(subprocess.Popen(["wine", "notepad"], stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL))
        notepad = wait_for(lambda: self.driver.windows("Notepad"), 30, "Notepad")[0]
        left, top, right, bottom = notepad["rect"]
        xdotool("mousemove", (left + right) // 2, (top + bottom) // 2)  # the keyboard follows it
        self.in_front(notepad["hwnd"])
        xdotool("type", "a")
        edit = [int(self.driver("child", notepad["hwnd"], i)[0]) for i in (15, 0)]
        edit = edit[0] or edit[1]
        wait_for(lambda: self.driver("text", edit)[0] == "a", 10, "a key typed in Notepad")
        self.assertEqual(["Vornet", "41"], self.driver("msaa", self.hwnd)[:2])  # static text
        xdotool("key", "ctrl+alt+space")
        self.in_front(self.hwnd)
        read = self.driver("msaa", self.hwnd)  # the list, then each row: name, role, state
        self.assertEqual("33", read[1])  # a list
        self.assertEqual(["Break", "Mail", "Review", "Meeting", "empty"], read[3::3])
        self.assertEqual([6, 0, 0, 0, 0], [int(s) & 6 for s in read[5::3]])  # selected, focused
        xdotool("type", "mm")  # Mail, then Meeting
        xdotool("key", "Up", "Return")
        wait_for(lambda: self.driver("msaa", self.hwnd)[:2] == ["Review", "41"], 10, "Review heard")
        self.in_front(notepad["hwnd"])  # given back (Wine leaves the X input focus on Vornet)
        self.assertEqual("a", self.driver("text", edit)[0])  # none of the list's keys
        self.exit()
        self.assertEqual(["Review"], [r[3] for r in self.rows()])
