"""The strip and the list on displays at 150% and 200%: every size at 100% drawn at the scale,
a click on the rows as drawn, and the strip taken onto a monitor of another scale (a move
Wine never reports: the test sends what Windows would)."""

import math

from vornet_e2e import AT_150, AT_200, WHITE, BLACK, WM_MOUSEMOVE, Journey, settings_file, wait_for

NAMES = ("Break", "Mail", "Review")
# The frame in the back colour, so that only the text is compared.
SETTINGS = settings_file(NAMES, current_task=1, rectR=0, rectG=0, rectB=0)


class ScaledDisplay:
    dpi = moved_to = 96

    def at(self, pixels, dpi):
        """Pixels at 100% at `dpi`, rounded either way."""
        exact = pixels * dpi / 96
        return sorted({math.floor(exact), math.ceil(exact)})

    def strip_at(self, dpi, name):
        """Waits for the strip 28 pixels at 100% high showing `name` in the 18-pixel Arial at
        (5, 3), all at `dpi`."""
        def drawn():
            return self.height() in self.at(28, dpi) and any(
                self.driver("textdiff", self.hwnd, "Arial", size, 400, WHITE, BLACK,
                            name.encode().hex(), x, y)[0] == "0"
                for size in self.at(18, dpi) for x in self.at(5, dpi) for y in self.at(3, dpi))
        wait_for(drawn, 10, f"{name!r} on the strip at {dpi} dpi")

    def test_the_strip_grows_a_click_runs_the_row_drawn_and_another_scale_redraws_it(self):
        self.start(SETTINGS)
        self.strip_at(self.dpi, "Mail")
        strip = self.height()
        self.click(10, 10)
        wait_for(lambda: self.height() > strip, 10, "the list open")
        middle = self.at(3 + 2 * 18 + 9, self.dpi)[0]  # of row 2
        self.driver("post", self.hwnd, WM_MOUSEMOVE, 0, (middle << 16) | 10)
        self.click(10, middle)
        self.strip_at(self.dpi, "Review")
        self.driver("dpichanged", self.hwnd, self.moved_to, 300, 200, 400, 250)
        self.strip_at(self.moved_to, "Review")
        self.assertEqual((300, 200), self.rect()[:2])  # the place the system suggested
        self.exit()
        self.assertEqual(["Review"], [r[3] for r in self.rows()])


class At150PercentTest(ScaledDisplay, Journey):
    system, dpi, moved_to = AT_150, 144, 192


class At200PercentTest(ScaledDisplay, Journey):
    system, dpi, moved_to = AT_200, 192, 96
