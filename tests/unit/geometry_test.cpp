#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/geometry.h"
#include "settings/list_fit.h"
#include "settings/settings_file.h"

namespace {

const int kFx = 3, kFy = 3, kWidth = 1920, kHeight = 1080;

TEST(WindowWidth, FollowsTheWidestNameWithinBounds)
{
    struct Case { std::vector<int> widths; int expected; } cases[] = {
        {{}, 30}, {{0, 0}, 30}, {{9}, 30}, {{10}, 30}, {{11}, 31}, // 20 past the widest, 30 at least
        {{40, 120, 80}, 140}, {{kWidth + 2 * kFx - 20}, kWidth + 2 * kFx},
        {{5000}, kWidth + 2 * kFx}, // wider than the screen
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, WidthForNames(c.widths.data(), int(c.widths.size()), kWidth, kFx));
}

TEST(WindowOrigin, ClampsKeepTheVisibleStripOnTheScreen)
{
    struct Case { int x, y, width, fsize, ox, oy; int expectedX, expectedY; } cases[] = {
        {960, 0, 100, 18, 0, 0, 960, 0},
        {-1, -1, 100, 18, 0, 0, 0, 0},                      // left of and above the screen
        {0, 0, 100, 18, 0, 0, 0, 0},
        {1826, 0, 100, 18, 0, 0, 1826, 0},                  // right bound 1920 + 6 - 100
        {1827, 0, 100, 18, 0, 0, 1826, 0},
        {500, 1059, 100, 18, 0, 0, 500, 1059},              // bottom bound 1080 + 6 - 18 - 9
        {500, 1060, 100, 18, 0, 0, 500, 1059},
        {500, 5000, 100, 40, 0, 0, 500, 1037},
        {100, 100, kWidth + 2 * kFx, 18, 0, 0, 0, 100},     // full-width strip sits at ox
        {-500, -200, 100, 18, -1920, -100, -500, -100},     // a monitor left of the primary
        {-2000, 0, 100, 18, -1920, 0, -1920, 0},
    };
    for (const Case& c : cases) {
        int x = c.x, y = c.y;
        ClampWindowOrigin(&x, &y, c.width, c.fsize, c.ox, c.oy, kWidth, kHeight, kFx, kFy);
        EXPECT_EQ(c.expectedX, x) << "x " << c.x << " y " << c.y;
        EXPECT_EQ(c.expectedY, y) << "x " << c.x << " y " << c.y;
    }
}

TEST(WindowHeights, StripIsOneLineAndListOneLinePerRowThatTheScreenMustHold)
{
    EXPECT_EQ(28, StripOuterHeight(18));
    struct Case { int lastRow, fsize, height, lastFitting, largestSize; } cases[] = {
        {1, 18, 48, 58, 534}, {49, 18, 912, 58, 21}, {25, 40, 1052, 25, 41}, {0, 6, 18, 177, 1068},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.height, ListOuterHeight(c.lastRow, c.fsize));
        EXPECT_EQ(c.lastFitting, LastRowThatFits(1080, c.fsize));
        EXPECT_EQ(c.largestSize, LargestFittingFontSize(1080, c.lastRow));
    }
    EXPECT_EQ(-1, LastRowThatFits(20, 18)); // a screen lower than one row
}

TEST(RowUnderPointer, BandsStartThreePixelsDown)
{
    struct Case { int y, fsize, lastRow, row; } cases[] = {
        {0, 18, 5, 0},   {2, 18, 5, 0},  {3, 18, 5, 0},   {20, 18, 5, 0},
        {21, 18, 5, 1},  {38, 18, 5, 1}, {39, 18, 5, 2},  {93, 18, 5, 5},
        {500, 18, 5, 5}, {65535, 18, 49, 49}, {2, 6, 0, 0}, {9, 6, 3, 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.row, RowAtPointer(c.y, c.fsize, c.lastRow)) << "y " << c.y;
    PixelRect band = RowBand(2, 18);
    EXPECT_EQ(39, band.top);
    EXPECT_EQ(57, band.bottom);
}

TEST(VisibleShape, IsExactlyTheClientArea)
{
    PixelRect r = VisibleRegion(100, 28, kFx, kFy);
    EXPECT_EQ("3 3 97 25", std::to_string(r.left) + " " + std::to_string(r.top) + " " +
                               std::to_string(r.right) + " " + std::to_string(r.bottom));
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
