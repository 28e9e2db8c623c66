#include <gtest/gtest.h>
#include <string.h>

#include "fake_system.h"
#include "properties/properties_values.h"

namespace {

TEST(PropertiesValues, ScrollStepsStayWithinTheBarsRange)
{
    struct Case { int value, code, thumb, lowest, highest, result; } cases[] = {
        {10, SCROLL_LINE_LEFT, 0, 0, 255, 9},     {0, SCROLL_LINE_LEFT, 0, 0, 255, 0},
        {1, SCROLL_LINE_LEFT, 0, 1, 255, 1},      {254, SCROLL_LINE_RIGHT, 0, 0, 255, 255},
        {255, SCROLL_LINE_RIGHT, 0, 0, 255, 255}, {10, SCROLL_PAGE_LEFT, 0, 0, 255, 0},
        {17, SCROLL_PAGE_LEFT, 0, 0, 255, 1},     {250, SCROLL_PAGE_RIGHT, 0, 0, 255, 255},
        {200, SCROLL_PAGE_RIGHT, 0, 0, 255, 216}, {5, SCROLL_THUMB_POSITION, 77, 0, 255, 77},
        {5, SCROLL_THUMB_TRACK, 300, 1, 255, 255}, {5, SCROLL_THUMB_TRACK, 0, 1, 255, 1},
        {5, 8, 77, 0, 255, 5}, // SB_ENDSCROLL
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, StepScrollValue(c.value, c.code, c.thumb, c.lowest, c.highest));
    for (int code = -1; code <= 8; ++code)
        EXPECT_EQ(code >= 0 && code <= 5, IsScrollStep(code)) << code;
}

TEST(PropertiesValues, TheSizeIsWithinTheLoadsBoundsAndLetsEveryRowFitTheScreen)
{
    struct Case { const char* text; int height, lastRow, dpi, size; } cases[] = {
        {"244", 500, 1, 96, 244}, {"245", 500, 1, 96, 244}, {"21", 1080, 49, 96, 21},
        {"22", 1080, 49, 96, 21}, {"5", 1080, 1, 96, 6},    {"6", 1080, 1, 96, 6},
        {"abc", 1080, 1, 96, 6},  {"-40", 1080, 1, 96, 6},  {"300", 1080, 1, 96, 256},
        {"256", 1080, 0, 96, 256}, {" 24px", 1080, 1, 96, 24}, {"99", 1080, 0, 96, 99},
        {"9", 16, 0, 96, 6}, // a screen too low for any row still gets the smallest size
        {"21", 1080, 49, 144, 14}, {"300", 1080, 1, 144, 256}, {"300", 1080, 2, 192, 176},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.size, FontSizeFromText(c.text, c.height, c.lastRow, c.dpi)) << c.text;
}

TEST(PropertiesValues, TheBarsEditTheWorkingCopiesOfTheChosenGroupUntilOk)
{
    ResetFakeSystem();
    int* fields[] = {&Settings.backR,  &Settings.backG,  &Settings.backB,  &Settings.text1R,
                     &Settings.text1G, &Settings.text1B, &Settings.text2R, &Settings.text2G,
                     &Settings.text2B, &Settings.rectR,  &Settings.rectG,  &Settings.rectB};
    for (int i = 0; i < 12; ++i)
        *fields[i] = 10 * i;
    Settings.toumeido = 100;
    Settings.ftype = 700;
    Settings.wintop = 5;
    PropertiesWork work;
    LoadWorkingValues(&work);
    Settings.backR = 99; // OK puts back every colour of the working copy
    EXPECT_EQ(1, StartsBold());
    EXPECT_EQ(1, StartsAlwaysFront());
    for (int group = GROUP_BACK; group <= GROUP_FRAME; ++group) {
        SelectColourGroup(&work, group);
        for (int bar = BAR_RED; bar <= BAR_BLUE; ++bar)
            EXPECT_EQ(10 * (3 * group + bar), WorkingBarValue(&work, bar));
        EXPECT_EQ(100, WorkingBarValue(&work, BAR_OPACITY));
    }
    EXPECT_EQ(0x6E645Au, WorkingColour(&work, GROUP_FRAME));
    SelectColourGroup(&work, GROUP_TEXT2);
    EXPECT_EQ(54, ScrollWorkingBar(&work, BAR_GREEN, SCROLL_PAGE_LEFT, 0));
    EXPECT_EQ(1, ScrollWorkingBar(&work, BAR_OPACITY, SCROLL_THUMB_TRACK, 0));
    EXPECT_EQ(70, *fields[7]); // nothing reaches Settings before OK
    ChooseWorkingFontface(&work, std::string(200, 'F').c_str());
    ApplyWorkingValues(&work, 0, 0, "30", 0);
    EXPECT_EQ(54, Settings.text2G);
    EXPECT_EQ(0, Settings.backR);
    EXPECT_EQ(90, Settings.rectR);
    EXPECT_EQ(1, Settings.toumeido);
    EXPECT_EQ(0, Settings.wintop);
    EXPECT_EQ(400, Settings.ftype);
    EXPECT_EQ(30, Settings.fsize);
    EXPECT_EQ(0, Settings.hotkey); // none
    EXPECT_EQ(127u, strlen(Settings.fontface));
    char box[16];
    FormatComponentBox(BAR_BLUE, 255, box, sizeof box);
    EXPECT_STREQ("B 255", box);
    EXPECT_EQ(0, IsOfferedFace("@MS Gothic"));
    EXPECT_EQ(1, IsOfferedFace("MS Gothic"));
    EXPECT_EQ(0, StartsAlwaysFront() + StartsBold());
    ApplyWorkingValues(&work, 1, 1, "30", 0);
    EXPECT_EQ(1, Settings.wintop);
    EXPECT_EQ(700, Settings.ftype);
}

} // namespace
