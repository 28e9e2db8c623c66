#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/pixel_scale.h"
#include "display/geometry.h"
#include "settings/list_fit.h"
#include "settings/settings_file.h"

namespace {

const int kFx = 3, kFy = 3, kWidth = 1920, kHeight = 1080;
const int kScales[] = {96, 120, 144, 192, 288};

TEST(Scale, ASizeAt100PercentTakesTheNearestPixelAHalfUp)
{
    struct Case { int pixels, at[5]; } cases[] = { // at 96, 120, 144, 192 and 288 dpi
        {0, {0, 0, 0, 0, 0}},     {1, {1, 1, 2, 2, 3}},       {3, {3, 4, 5, 6, 9}},
        {5, {5, 6, 8, 10, 15}},   {10, {10, 13, 15, 20, 30}}, {12, {12, 15, 18, 24, 36}},
        {18, {18, 23, 27, 36, 54}}, {256, {256, 320, 384, 512, 768}},
    };
    for (const Case& c : cases)
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(c.at[i], ScalePixels(c.pixels, kScales[i])) << c.pixels << " at " << kScales[i];
    // Read back: the largest size at 100% that a number of pixels still holds (101: a custom scale).
    for (int dpi : {96, 101, 120, 144, 192, 288})
        for (int pixels = 0, size; pixels < 400; ++pixels) {
            size = LargestUnscaled(pixels, dpi);
            EXPECT_TRUE(ScalePixels(size, dpi) <= pixels && ScalePixels(size + 1, dpi) > pixels) << pixels << " at " << dpi;
        }
}

TEST(WindowWidth, FollowsTheWidestNameWithinBounds)
{
    struct Case { std::vector<int> widths; int dpi, expected; } cases[] = {
        {{}, 96, 30}, {{0, 0}, 96, 30}, {{9}, 96, 30}, {{10}, 96, 30}, // 20 past the widest,
        {{11}, 96, 31}, {{40, 120, 80}, 96, 140},                      // 30 at least
        {{kWidth + 2 * kFx - 20}, 96, kWidth + 2 * kFx},
        {{5000}, 96, kWidth + 2 * kFx}, // wider than the screen
        {{}, 144, 45}, {{40}, 144, 70}, {{40}, 192, 80},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, WidthForNames(c.widths.data(), int(c.widths.size()), kWidth, kFx, c.dpi));
}

TEST(WindowOrigin, ClampsKeepTheVisibleStripOnTheScreen)
{
    struct Case { int x, y, width, stripHeight, ox, oy; int expectedX, expectedY; } cases[] = {
        {960, 0, 100, 28, 0, 0, 960, 0},
        {-1, -1, 100, 28, 0, 0, 0, 0},                      // left of and above the screen
        {0, 0, 100, 28, 0, 0, 0, 0},
        {1826, 0, 100, 28, 0, 0, 1826, 0},                  // right bound 1920 + 6 - 100
        {1827, 0, 100, 28, 0, 0, 1826, 0},
        {500, 1059, 100, 28, 0, 0, 500, 1059},              // bottom bound 1080 + 6 - 28 + 1
        {500, 1060, 100, 28, 0, 0, 500, 1059},
        {500, 5000, 100, 50, 0, 0, 500, 1037},
        {100, 100, kWidth + 2 * kFx, 28, 0, 0, 0, 100},     // full-width strip sits at ox
        {-500, -200, 100, 28, -1920, -100, -500, -100},     // a monitor left of the primary
        {-2000, 0, 100, 28, -1920, 0, -1920, 0},
    };
    for (const Case& c : cases) {
        int x = c.x, y = c.y;
        ClampWindowOrigin(&x, &y, c.width, c.stripHeight, c.ox, c.oy, kWidth, kHeight, kFx, kFy);
        EXPECT_EQ(c.expectedX, x) << "x " << c.x << " y " << c.y;
        EXPECT_EQ(c.expectedY, y) << "x " << c.x << " y " << c.y;
    }
}

TEST(WindowHeights, StripIsOneLineAndListOneLinePerRowThatTheScreenMustHold)
{
    struct Case { int lastRow, fsize, dpi, strip, list, lastFitting, largestSize; } cases[] = {
        {1, 18, 96, 28, 48, 58, 534},    {49, 18, 96, 28, 912, 58, 21},
        {25, 40, 96, 50, 1052, 25, 41},  {0, 6, 96, 16, 18, 177, 1068},
        {1, 18, 120, 36, 61, 45, 425},   {1, 18, 144, 42, 72, 38, 354},
        {49, 18, 192, 56, 1824, 28, 10}, {1, 18, 288, 84, 144, 18, 174},
    };
    for (const Case& c : cases) {
        RowGrid rows = ListRowGrid(c.fsize, c.dpi);
        EXPECT_EQ(c.strip, SizesAt(c.fsize, c.dpi).outerHeight) << c.dpi;
        EXPECT_EQ(c.list, ListOuterHeight(c.lastRow, rows)) << c.dpi;
        EXPECT_EQ(c.lastFitting, LastRowThatFits(1080, rows)) << c.dpi;
        EXPECT_EQ(c.largestSize, LargestFittingFontSize(1080, c.lastRow, c.dpi)) << c.dpi;
    }
    EXPECT_EQ(-1, LastRowThatFits(20, ListRowGrid(18, 96))); // a screen lower than one row
    PixelRect visible = VisibleRegion(100, 28, kFx, kFy); // the client area, inside the frame
    EXPECT_TRUE(visible.left == 3 && visible.top == 3 && visible.right == 97 && visible.bottom == 25);
    const int text[] = {5, 6, 8, 10, 15}, frame[] = {1, 1, 2, 2, 3}; // at 96 ... 288 dpi
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(SizesAt(18, kScales[i]).textLeft == text[i] && SizesAt(18, kScales[i]).frame == frame[i]) << kScales[i];
}

TEST(RowUnderPointer, BandsStartThreePixelsDownAndAreTheRowsDrawn)
{
    // Above row 0 and past the last row.
    struct Case { int y, lastRow, row; } cases[] = {{0, 5, 0}, {2, 5, 0}, {500, 5, 5}, {65535, 49, 49}};
    for (const Case& c : cases)
        EXPECT_EQ(c.row, RowAtPointer(c.y, ListRowGrid(18, 96), c.lastRow)) << "y " << c.y;
    RowSpan band = RowBand(2, ListRowGrid(18, 96));
    EXPECT_EQ(39, band.top);
    EXPECT_EQ(57, band.bottom);
    // At every scale a band's first and last pixel rows are that row's.
    for (int dpi : kScales) {
        for (int fsize : {6, 18, 41}) {
            RowGrid rows = ListRowGrid(fsize, dpi);
            for (int row = 0; row < 50; ++row) {
                EXPECT_EQ(row, RowAtPointer(RowBand(row, rows).top, rows, 49)) << dpi;
                EXPECT_EQ(row, RowAtPointer(RowBand(row, rows).bottom - 1, rows, 49)) << dpi;
            }
        }
    }
}

TEST(ListPlace, OpensUpwardOnlyAsFarAsTheBottomEdgeNeeds)
{
    struct Case { int stripTop, visibleHeight, oy, top; } cases[] = {
        {0, 156, 0, 0},        {924, 156, 0, 924},     {925, 156, 0, 924},
        {1040, 156, 0, 924},   {100, 1200, 0, 0},      {-50, 156, -100, -50},
        {1000, 156, -100, 824},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.top, ListTop(c.stripTop, c.visibleHeight, c.oy, kHeight)) << c.stripTop;
}

TEST(Colours, TakeTheLowByteOfEachComponent)
{
    EXPECT_EQ(0x00C0C0C0ul, ComposeColour(192, 192, 192));
    EXPECT_EQ(0x00FF0000ul, ComposeColour(0, 0, 255));
    EXPECT_EQ(0x00010203ul, ComposeColour(0x103, 0x202, 0x301));
    Settings.text1R = 1, Settings.text1G = 2, Settings.text1B = 3;
    EXPECT_EQ(0x030201ul, SettingsColour(COLOUR_TEXT1));
}

} // namespace
