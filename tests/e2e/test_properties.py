"""The Properties dialog, driven from outside: what OK and Cancel leave in setting.ini and on
the strip, how the bars step and clamp, the colour groups, the font list, and the preview
repainting while a bar moves."""

import os
import unittest

from vornet_e2e import (CMD_PROPERTIES, EXE, IDCANCEL, IDOK, VornetTestCase, screen_pixel,
                        settings_file, wait_for)

TITLE = "Properties"

FONT_LIST = 1002
BOLD = 1018
SIZE = 1019
ALWAYS_FRONT = 1020
OPACITY_BAR = 1021
GROUP_BACK, GROUP_TEXT1, GROUP_TEXT2, GROUP_FRAME = 1008, 1009, 1010, 1011
RED_BOX, GREEN_BOX, BLUE_BOX = 1015, 1016, 1017
RED_BAR, GREEN_BAR, BLUE_BAR = 1005, 1006, 1007
SIZE_SPINNER = 111

# The preview, in pixels of the dialog's client area: rectangle (320, 170)-(400, 220).
PREVIEW_FRAME_POINT = (320, 195)  # on its left outline
PREVIEW_FILL_POINT = (395, 215)   # inside, clear of the two words

# Colours that differ from every default and from each other.
EDGE_COLOURS = dict(backR=1, backG=2, backB=3, rectR=31, rectG=32, rectB=33,
                    text1R=11, text1G=12, text1B=13, text2R=21, text2G=10, text2B=23)


@unittest.skipUnless(os.path.exists(EXE), f"{EXE} does not exist yet")
class PropertiesTest(VornetTestCase):
    # -- helpers

    def open_properties(self):
        self.driver.command(CMD_PROPERTIES)
        return self.driver.wait_dialog(TITLE)

    def close_with(self, button):
        self.driver.dlg_click(TITLE, button)
        self.driver.wait_no_dialog(TITLE)

    def settings_after_close(self, marker=b"marker=1\r\n"):
        """setting.ini once the command after the dialog has rewritten it (the marker line
        that the test's own file carried is gone then)."""
        data = self.wait_for_file("setting.ini", lambda d: marker not in d,
                                  what="setting.ini rewritten after the dialog")
        return self.settings() if data else None

    def boxes(self):
        return tuple(self.driver.get_text(TITLE, box) for box in (RED_BOX, GREEN_BOX, BLUE_BOX))

    def bar_positions(self):
        return tuple(self.driver.scroll(TITLE, bar)[0] for bar in (RED_BAR, GREEN_BAR, BLUE_BAR))

    def wait_box(self, box, text):
        wait_for(lambda: self.driver.get_text(TITLE, box) == text, 5, f"box {box} showing {text!r}")

    def dialog_client_origin(self, hwnd):
        """Screen point of the dialog's client (0, 0): a modal frame and a caption."""
        window = [w for w in self.driver.windows() if w["hwnd"] == hwnd][0]
        metrics = self.driver.metrics()
        left, top = window["rect"][0], window["rect"][1]
        return left + metrics["cxdlgframe"], top + metrics["cydlgframe"] + metrics["cycaption"]

    def start_with(self, **fields):
        # The marker line is not one of the program's keys: a rewrite of the file drops it.
        self.start(settings_file(extra=("marker=1",), **fields))

    # -- OK and Cancel

    def test_ok_without_changes_keeps_every_field_but_normalises_wintop_and_ftype(self):
        fields = dict(EDGE_COLOURS, winX=300, winY=200, wintop=5, fsize=24, ftype=500,
                      toumeido=200, fontface="No Such Face")
        self.start_with(**fields)
        self.open_properties()
        self.assertEqual(self.driver.get_check(TITLE, ALWAYS_FRONT), 1, "wintop 5 shows as checked")
        self.assertEqual(self.driver.get_check(TITLE, BOLD), 0, "ftype 500 is not bold")
        self.assertEqual(self.driver.get_text(TITLE, SIZE), "24")
        self.close_with(IDOK)

        saved = self.settings_after_close()
        expected = {k: str(v) for k, v in fields.items()}
        expected.update(wintop="1", ftype="400")
        for key, value in expected.items():
            self.assertEqual(saved[key], value, key)

    def test_new_size_bold_and_not_always_front_reach_the_file_and_the_strip(self):
        self.start_with()
        self.assertTrue(self.driver.topmost())
        self.open_properties()
        self.driver.set_text(TITLE, SIZE, "30")
        self.driver.bm_click(TITLE, BOLD)
        self.driver.bm_click(TITLE, ALWAYS_FRONT)
        wait_for(lambda: self.driver.get_check(TITLE, ALWAYS_FRONT) == 0, 5, "Always front cleared")
        self.close_with(IDOK)

        saved = self.settings_after_close()
        self.assertEqual((saved["fsize"], saved["ftype"], saved["wintop"]), ("30", "700", "0"))
        wait_for(lambda: self.driver.rect()[3] - self.driver.rect()[1] == 30 + 10, 5,
                 "the strip's outer height fsize + 10")
        self.assertFalse(self.driver.topmost(), "the strip is no longer topmost")

    def test_size_is_kept_within_six_and_the_screen_bound(self):
        # Slots 0 and 1 named: lastRow is 2, so the bound is (1080 - 12) / 3 = 356.
        for text, fsize in (("5", 6), ("900", 356), ("abc", 6)):
            with self.subTest(text=text):
                if self.vornet is None:
                    self.start(settings_file(tasks=("Break", "Work")))
                self.open_properties()
                self.driver.set_text(TITLE, SIZE, text)
                self.close_with(IDOK)
                self.wait_for(lambda: self.settings()["fsize"] == str(fsize), 5, f"fsize={fsize}")

    def test_cancel_after_edits_leaves_the_settings_but_still_writes_the_file(self):
        self.start_with(**EDGE_COLOURS)
        before = self.settings()
        self.open_properties()
        self.driver.set_text(TITLE, SIZE, "40")
        self.driver.bm_click(TITLE, BOLD)
        self.driver.bm_click(TITLE, ALWAYS_FRONT)
        self.driver.hscroll(TITLE, RED_BAR, "pageright")
        self.driver.hscroll(TITLE, OPACITY_BAR, "thumbtrack", 30)
        self.driver.dlg_click(TITLE, GROUP_FRAME)
        self.driver.hscroll(TITLE, BLUE_BAR, "thumbtrack", 0)
        self.close_with(IDCANCEL)

        saved = self.settings_after_close()
        for key in before:
            if key != "marker":
                self.assertEqual(saved[key], before[key], key)
        self.assertTrue(self.driver.topmost())
        left, top, right, bottom = self.driver.rect()
        self.assertEqual(bottom - top, 18 + 10)
        # The dialog cleared its flag: it opens again.
        self.open_properties()
        self.close_with(IDCANCEL)

    def test_a_second_properties_command_opens_no_second_dialog(self):
        self.start_with()
        self.open_properties()
        self.driver.command(CMD_PROPERTIES)
        self.driver.ping()
        self.assertEqual([title for _, title in self.driver.dialogs()], [TITLE])
        self.close_with(IDCANCEL)

    # -- the controls

    def test_dialog_opens_with_the_stored_values_and_the_spinner_beside_the_size(self):
        self.start_with(**dict(EDGE_COLOURS, fsize=20, toumeido=77, ftype=700, wintop=0))
        self.open_properties()
        self.assertEqual(self.boxes(), ("R 1", "G 2", "B 3"))
        self.assertEqual(self.bar_positions(), (1, 2, 3))
        self.assertEqual(self.driver.scroll(TITLE, RED_BAR)[1:], (0, 255))
        self.assertEqual(self.driver.scroll(TITLE, OPACITY_BAR), (77, 1, 255))
        self.assertEqual([self.driver.get_check(TITLE, r) for r in range(GROUP_BACK, GROUP_FRAME + 1)],
                         [1, 0, 0, 0])
        self.assertEqual((self.driver.get_check(TITLE, BOLD), self.driver.get_check(TITLE, ALWAYS_FRONT)),
                         (1, 0))
        self.assertEqual(self.driver.get_text(TITLE, SIZE), "20")
        controls = {c["id"]: c for c in self.driver.controls(TITLE)}
        spinner, size = controls[SIZE_SPINNER], controls[SIZE]
        self.assertEqual(spinner["cls"].lower(), "msctls_updown32")
        self.assertEqual(spinner["rect"][1:4:2], size["rect"][1:4:2], "same top and bottom as the size")
        self.close_with(IDCANCEL)

    def test_bars_step_and_clamp(self):
        self.start_with(**EDGE_COLOURS)
        self.open_properties()
        self.driver.dlg_click(TITLE, GROUP_TEXT2)
        self.wait_box(GREEN_BOX, "G 10")
        steps = (  # bar, code, thumb, box, text, position
            (GREEN_BAR, "pageleft", 0, GREEN_BOX, "G 0", 0),
            (GREEN_BAR, "lineleft", 0, GREEN_BOX, "G 0", 0),
            (GREEN_BAR, "lineright", 0, GREEN_BOX, "G 1", 1),
            (GREEN_BAR, "pageright", 0, GREEN_BOX, "G 17", 17),
            (GREEN_BAR, "thumbposition", 250, GREEN_BOX, "G 250", 250),
            (GREEN_BAR, "pageright", 0, GREEN_BOX, "G 255", 255),
            (GREEN_BAR, "endscroll", 0, GREEN_BOX, "G 255", 255),
            (RED_BAR, "thumbtrack", 100, RED_BOX, "R 100", 100),
        )
        for bar, code, thumb, box, text, position in steps:
            with self.subTest(bar=bar, code=code):
                self.driver.hscroll(TITLE, bar, code, thumb)
                self.wait_box(box, text)
                self.assertEqual(self.driver.scroll(TITLE, bar)[0], position)

        # The bar itself keeps its thumb within 1..255; the stored value shows the clamp.
        for code, thumb, position in (("thumbposition", 250, 250), ("pageright", 0, 255),
                                      ("thumbtrack", 1, 1), ("lineleft", 0, 1), ("pageleft", 0, 1)):
            with self.subTest(bar="opacity", code=code):
                self.driver.hscroll(TITLE, OPACITY_BAR, code, thumb)
                wait_for(lambda: self.driver.scroll(TITLE, OPACITY_BAR)[0] == position, 5,
                         f"opacity bar at {position}")
        self.close_with(IDOK)
        saved = self.settings_after_close()
        self.assertEqual((saved["text2R"], saved["text2G"], saved["toumeido"]), ("100", "255", "1"))

    def test_switching_colour_groups_keeps_the_values(self):
        self.start_with(**EDGE_COLOURS)
        self.open_properties()
        self.driver.dlg_click(TITLE, GROUP_FRAME)
        self.wait_box(RED_BOX, "R 31")
        self.assertEqual(self.boxes(), ("R 31", "G 32", "B 33"))
        self.driver.hscroll(TITLE, RED_BAR, "thumbtrack", 140)
        self.wait_box(RED_BOX, "R 140")
        for group, boxes in ((GROUP_BACK, ("R 1", "G 2", "B 3")),
                             (GROUP_TEXT1, ("R 11", "G 12", "B 13")),
                             (GROUP_FRAME, ("R 140", "G 32", "B 33"))):
            with self.subTest(group=group):
                self.driver.dlg_click(TITLE, group)
                self.wait_box(BLUE_BOX, boxes[2])
                wait_for(lambda: self.boxes() == boxes, 5, f"boxes {boxes}")
                self.assertEqual(self.bar_positions(), tuple(int(b.split()[1]) for b in boxes))
        self.close_with(IDOK)
        saved = self.settings_after_close()
        self.assertEqual((saved["rectR"], saved["backR"]), ("140", "1"))

    def test_font_list_offers_no_vertical_faces_and_a_chosen_face_is_stored(self):
        self.start_with(fontface="No Such Face")
        self.open_properties()
        selected, items = self.driver.combo(TITLE, FONT_LIST)
        self.assertFalse([item for item in items if item.startswith("@")])
        if not items:
            self.close_with(IDOK)
            self.assertEqual(self.settings_after_close()["fontface"], "No Such Face")
            return
        self.assertEqual(selected, 0, "a face that is not listed leaves item 0 selected")
        self.driver.combo_select(TITLE, FONT_LIST, len(items) - 1)
        self.close_with(IDOK)
        self.assertEqual(self.settings_after_close()["fontface"], items[-1])

    def test_listed_stored_face_is_selected(self):
        self.start_with()
        self.open_properties()
        _, items = self.driver.combo(TITLE, FONT_LIST)
        self.close_with(IDCANCEL)
        self.exit()
        if not items:
            self.skipTest("no Shift-JIS face on this system")
        self.start_with(fontface=items[-1])
        self.open_properties()
        self.assertEqual(self.driver.combo(TITLE, FONT_LIST)[0], len(items) - 1)
        self.close_with(IDCANCEL)

    # -- the preview

    def test_preview_repaints_while_a_bar_moves(self):
        self.start_with(**EDGE_COLOURS)
        hwnd = self.open_properties()
        left, top = self.dialog_client_origin(hwnd)

        def pixel(point):
            return screen_pixel(left + point[0], top + point[1])

        wait_for(lambda: pixel(PREVIEW_FILL_POINT) == "010203", 5, "the preview in the back colour")
        self.assertEqual(pixel(PREVIEW_FRAME_POINT), "1F2021")

        self.driver.hscroll(TITLE, RED_BAR, "thumbtrack", 200)  # back red, mid-drag
        wait_for(lambda: pixel(PREVIEW_FILL_POINT) == "C80203", 5, "the preview repainted")
        self.driver.dlg_click(TITLE, GROUP_FRAME)
        self.driver.hscroll(TITLE, GREEN_BAR, "thumbtrack", 0xAA)
        wait_for(lambda: pixel(PREVIEW_FRAME_POINT) == "1FAA21", 5, "the preview's outline repainted")
        self.close_with(IDCANCEL)


if __name__ == "__main__":
    unittest.main()
