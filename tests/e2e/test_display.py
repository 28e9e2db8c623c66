"""The window's shape, place, z-order, opacity and pixels in both states, as the real
program shows them."""

import unittest

from vornet_e2e import (CMD_CLOSE_LIST, SCREEN_HEIGHT, SCREEN_WIDTH, VornetTestCase, click,
                        mousemove, screenshot, settings_file, wait_for)

FSIZE = 18
COLOURS = dict(backR=0, backG=0, backB=128, rectR=0, rectG=255, rectB=0,
               text1R=255, text1G=255, text1B=0, text2R=255, text2G=0, text2B=255)
BACK, FRAME, TEXT1 = (0, 0, 128), (0, 255, 0), (255, 255, 0)


class DisplayTest(VornetTestCase):

    def start_with(self, tasks=("Break", "Alpha", "Beta"), **fields):
        values = dict(COLOURS)
        values.update(fields)
        self.start(settings_file(tasks, **values))
        metrics = self.driver.metrics()
        self.fx, self.fy = metrics["cxdlgframe"], metrics["cydlgframe"]

    def outer(self):
        left, top, right, bottom = self.driver.rect()
        return left, top, right - left, bottom - top

    def open_list(self, rows):
        left, top, _, _ = self.driver.client()
        click(left + 5, top + 5)
        wait_for(lambda: self.outer()[3] == rows * FSIZE + 12, 10, "the list open")

    def close_list(self):
        self.driver.command(CMD_CLOSE_LIST)
        wait_for(lambda: self.outer()[3] == FSIZE + 10, 10, "the strip")

    def assert_region_is_the_client_area(self):
        _, _, width, height = self.outer()
        self.assertEqual((self.fx, self.fy, width - self.fx, height - self.fy), self.driver.region())

    def test_strip_and_list_shapes(self):
        self.start_with(winX=600, winY=400)
        left, top, width, height = self.outer()
        self.assertEqual((600 - self.fx, 400 - self.fy, FSIZE + 10), (left, top, height))
        self.assert_region_is_the_client_area()
        self.open_list(4)
        self.assertEqual((left, top, width), self.outer()[:3], "the list opens in place")
        self.assert_region_is_the_client_area()
        self.close_list()
        self.assert_region_is_the_client_area()

    def test_width_follows_names_but_not_the_last_row(self):
        self.start_with()
        narrow = self.outer()[2]
        self.exit()
        long_name = "W" * 40
        self.start_with(("Break", long_name))
        self.assertGreater(self.outer()[2], narrow + 100)
        self.exit()
        full = ["t%d" % i for i in range(49)] + [long_name]
        self.start_with(full)
        self.assertLess(self.outer()[2], narrow + 100, "slot 49 is the last row: not measured")

    def test_a_name_wider_than_the_screen_fills_it_from_the_left_edge(self):
        self.start_with(("Break", "M" * 400), winX=800)
        left, _, width, _ = self.outer()
        self.assertEqual((-self.fx, SCREEN_WIDTH + 2 * self.fx), (left, width))

    def test_positions_off_the_screen_are_clamped(self):
        self.start_with(winX=1900, winY=1070)
        left, top, width, _ = self.outer()
        self.assertEqual(SCREEN_WIDTH + self.fx, left + width, "visible right edge at the screen's")
        self.assertEqual(SCREEN_HEIGHT + 2 * self.fy - FSIZE - 9 - self.fy, top)
        self.open_list(4)
        self.assertEqual(top, self.outer()[1], "the list keeps the strip's bound")

    def test_z_order_follows_always_front_and_the_open_list(self):
        self.start_with(wintop=0)
        self.assertFalse(self.driver.topmost())
        self.open_list(4)
        self.assertTrue(self.driver.topmost())
        self.close_list()
        self.assertFalse(self.driver.topmost())
        self.exit()
        self.start_with(wintop=1)
        self.assertTrue(self.driver.topmost())

    def test_opacity_is_the_strips_and_full_for_the_list(self):
        self.start_with(toumeido=128)
        self.assertEqual(128, self.driver.alpha()[0])
        self.open_list(4)
        self.assertEqual(255, self.driver.alpha()[0])
        self.close_list()
        self.assertEqual(128, self.driver.alpha()[0])

    def test_pixels_show_back_frame_and_the_bar(self):
        self.start_with()
        left, top, right, bottom = self.driver.client()
        shot = screenshot(left, top, right - left, bottom - top)
        self.assertEqual(FRAME, shot.rgb(left, top))
        self.assertEqual(FRAME, shot.rgb(right - 1, bottom - 1))
        self.assertEqual(BACK, shot.rgb(left + 2, top + 2))
        self.open_list(4)
        left, top, right, bottom = self.driver.client()
        row = 2
        mousemove(left + 10, top + 3 + row * FSIZE + FSIZE // 2)
        bar_y = top + 3 + row * FSIZE + 1
        wait_for(lambda: screenshot(left + 2, bar_y, 1, 1).rgb(left + 2, bar_y) == TEXT1, 10,
                 "the text1 bar under the selected row")
        shot = screenshot(left, top, right - left, bottom - top)
        self.assertEqual(BACK, shot.rgb(left + 2, top + 3 + 1 * FSIZE + 1), "row 1: no bar")
        self.assertEqual(FRAME, shot.rgb(left, bar_y), "the outline stays beside the bar")


if __name__ == "__main__":
    unittest.main()
