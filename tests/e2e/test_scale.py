"""Displays at 150% and 200%: sizes at 100% drawn at the scale, to the nearest pixel as
Windows' MulDiv rounds; a click on the rows as drawn; a move onto a monitor of another scale,
which Wine never reports: the test sends what Windows would."""

from vornet_e2e import AT_150, AT_200, Journey, settings_file, wait_for


def at(pixels, dpi):
    return (pixels * dpi + 48) // 96


class ScaledDisplay:

    def strip_at(self, dpi, name):
        """The strip 28 pixels at 100% high, `name` in 18-pixel Arial at (5, 3), all at `dpi`."""
        wait_for(lambda: self.height() == at(28, dpi), 10, f"the strip at {dpi} dpi")
        self.strip_shows(name, size=at(18, dpi), at=(at(5, dpi), at(3, dpi)))

    def test_the_strip_grows_a_click_runs_the_row_drawn_and_another_scale_redraws_it(self):
        # The frame in the back colour: only the text is compared.
        self.start(settings_file(("Break", "Mail", "Review"), current_task=1, rectR=0, rectG=0, rectB=0))
        self.strip_at(self.dpi, "Mail")
        self.click(10, 10)
        wait_for(lambda: self.height() > at(28, self.dpi), 10, "the list open")
        self.click(10, at(3 + 2 * 18 + 9, self.dpi))  # the middle of row 2
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
