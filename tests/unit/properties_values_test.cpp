#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "app/shell_state.h"
#include "fake_system.h"
#include "properties/properties_values.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

namespace {

class PropertiesValuesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFakeSystem(); }

    // Distinct values in every colour field, so that a field mixed up with another shows.
    static void GiveEveryColourItsOwnValue()
    {
        Settings.backR = 1;
        Settings.backG = 2;
        Settings.backB = 3;
        Settings.text1R = 11;
        Settings.text1G = 12;
        Settings.text1B = 13;
        Settings.text2R = 21;
        Settings.text2G = 22;
        Settings.text2B = 23;
        Settings.rectR = 31;
        Settings.rectG = 32;
        Settings.rectB = 33;
    }

    // The dialog as the user leaves it: check boxes and size text unchanged, then OK.
    static void PressOkWithoutChanges()
    {
        ApplyWorkingValues(StartsAlwaysFront(), StartsBold(), std::to_string(Settings.fsize).c_str());
    }
};

std::string BoxText(int bar, int value)
{
    char text[16];
    FormatComponentBox(bar, value, text, sizeof text);
    return text;
}

// ---------------------------------------------------------------------------------------
// Scroll steps.

struct StepCase {
    const char* behaviour;
    int bar;
    int start;
    int code;
    int thumb;
    int expected;
};

class BarStepTest : public PropertiesValuesTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(BarStepTest, MovesTheWorkingValueWithinTheBarsRange)
{
    const StepCase& c = GetParam();
    LoadWorkingValues();
    SelectColourGroup(GROUP_TEXT2);
    // Put the start value in place with the thumb, as dragging would.
    ScrollWorkingBar(c.bar, SCROLL_THUMB_POSITION, c.start);
    ASSERT_EQ(c.start, WorkingBarValue(c.bar)) << c.behaviour;

    EXPECT_EQ(c.expected, ScrollWorkingBar(c.bar, c.code, c.thumb)) << c.behaviour;
    EXPECT_EQ(c.expected, WorkingBarValue(c.bar)) << c.behaviour;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, BarStepTest,
    ::testing::Values(
        StepCase{"line left takes one off", BAR_RED, 100, SCROLL_LINE_LEFT, 0, 99},
        StepCase{"line right adds one", BAR_RED, 100, SCROLL_LINE_RIGHT, 0, 101},
        StepCase{"page left takes sixteen off", BAR_BLUE, 100, SCROLL_PAGE_LEFT, 0, 84},
        StepCase{"page right adds sixteen", BAR_BLUE, 100, SCROLL_PAGE_RIGHT, 0, 116},
        StepCase{"thumb position sets the value", BAR_GREEN, 100, SCROLL_THUMB_POSITION, 7, 7},
        StepCase{"thumb track follows the drag", BAR_GREEN, 100, SCROLL_THUMB_TRACK, 200, 200},
        StepCase{"page left on green at 10 stops at 0", BAR_GREEN, 10, SCROLL_PAGE_LEFT, 0, 0},
        StepCase{"page right on green at 250 stops at 255", BAR_GREEN, 250, SCROLL_PAGE_RIGHT, 0, 255},
        StepCase{"line left at 0 stays 0", BAR_RED, 0, SCROLL_LINE_LEFT, 0, 0},
        StepCase{"line right at 255 stays 255", BAR_BLUE, 255, SCROLL_LINE_RIGHT, 0, 255},
        StepCase{"end of scroll changes nothing", BAR_RED, 100, 8, 0, 100},
        StepCase{"top changes nothing", BAR_RED, 100, 6, 0, 100},
        StepCase{"bottom changes nothing", BAR_RED, 100, 7, 0, 100},
        StepCase{"opacity line left at 1 stays 1", BAR_OPACITY, 1, SCROLL_LINE_LEFT, 0, 1},
        StepCase{"opacity page left at 10 stops at 1", BAR_OPACITY, 10, SCROLL_PAGE_LEFT, 0, 1},
        StepCase{"opacity page right at 250 stops at 255", BAR_OPACITY, 250, SCROLL_PAGE_RIGHT, 0, 255},
        StepCase{"opacity line right adds one", BAR_OPACITY, 128, SCROLL_LINE_RIGHT, 0, 129},
        StepCase{"opacity thumb at 0 gives 1", BAR_OPACITY, 128, SCROLL_THUMB_TRACK, 0, 1}));

TEST_F(PropertiesValuesTest, OnlyTheSixScrollCodesMoveABar)
{
    for (int code = -1; code <= 9; ++code)
        EXPECT_EQ(code >= 0 && code <= 5 ? 1 : 0, IsScrollStep(code)) << code;
}

TEST_F(PropertiesValuesTest, PageRightOnText2GreenShowsG255)
{
    Settings.text2G = 250;
    LoadWorkingValues();
    SelectColourGroup(GROUP_TEXT2);
    int value = ScrollWorkingBar(BAR_GREEN, SCROLL_PAGE_RIGHT, 0);
    EXPECT_EQ("G 255", BoxText(BAR_GREEN, value));
    EXPECT_EQ(255, workColours[3 * GROUP_TEXT2 + 1]);
}

TEST_F(PropertiesValuesTest, ColourBarsEditOnlyTheChosenGroup)
{
    struct Case {
        int group;
        int bar;
        int changedEntry;
    } cases[] = {
        {GROUP_BACK, BAR_RED, 0},   {GROUP_BACK, BAR_BLUE, 2},   {GROUP_TEXT1, BAR_RED, 3},
        {GROUP_TEXT1, BAR_GREEN, 4}, {GROUP_TEXT2, BAR_GREEN, 7}, {GROUP_TEXT2, BAR_BLUE, 8},
        {GROUP_FRAME, BAR_RED, 9},  {GROUP_FRAME, BAR_BLUE, 11},
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        GiveEveryColourItsOwnValue();
        LoadWorkingValues();
        int before[WORK_COLOUR_COUNT];
        memcpy(before, workColours, sizeof before);
        int toumeido = workToumeido;

        SelectColourGroup(c.group);
        ScrollWorkingBar(c.bar, SCROLL_THUMB_TRACK, 200);
        for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
            EXPECT_EQ(i == c.changedEntry ? 200 : before[i], workColours[i])
                << "group " << c.group << " bar " << c.bar << " entry " << i;
        EXPECT_EQ(toumeido, workToumeido);
    }
}

TEST_F(PropertiesValuesTest, OpacityBarLeavesTheColoursAlone)
{
    GiveEveryColourItsOwnValue();
    LoadWorkingValues();
    int before[WORK_COLOUR_COUNT];
    memcpy(before, workColours, sizeof before);
    EXPECT_EQ(239, ScrollWorkingBar(BAR_OPACITY, SCROLL_PAGE_LEFT, 0));
    EXPECT_EQ(0, memcmp(before, workColours, sizeof before));
}

// ---------------------------------------------------------------------------------------
// Working state: filling, group switching, boxes, colours, faces.

TEST_F(PropertiesValuesTest, WorkingStateStartsFromSettingsOnTheBackGroup)
{
    GiveEveryColourItsOwnValue();
    Settings.toumeido = 77;
    strcpy(Settings.fontface, "MS Gothic");
    SelectColourGroup(GROUP_FRAME); // left over from an earlier opening

    LoadWorkingValues();
    const int expected[WORK_COLOUR_COUNT] = {1, 2, 3, 11, 12, 13, 21, 22, 23, 31, 32, 33};
    for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
        EXPECT_EQ(expected[i], workColours[i]) << i;
    EXPECT_EQ(GROUP_BACK, editGroup);
    EXPECT_EQ(1, WorkingBarValue(BAR_RED));
    EXPECT_EQ(2, WorkingBarValue(BAR_GREEN));
    EXPECT_EQ(3, WorkingBarValue(BAR_BLUE));
    EXPECT_EQ(77, WorkingBarValue(BAR_OPACITY));
    EXPECT_STREQ("MS Gothic", workFontface);
}

TEST_F(PropertiesValuesTest, BarsShowTheValuesOfTheChosenGroup)
{
    GiveEveryColourItsOwnValue();
    LoadWorkingValues();
    struct Case {
        int group;
        int red, green, blue;
    } cases[] = {{GROUP_BACK, 1, 2, 3}, {GROUP_TEXT1, 11, 12, 13}, {GROUP_TEXT2, 21, 22, 23},
                 {GROUP_FRAME, 31, 32, 33}, {7, 31, 32, 33} /* no such group: stays */};
    for (const Case& c : cases) {
        SelectColourGroup(c.group);
        EXPECT_EQ(c.red, WorkingBarValue(BAR_RED)) << c.group;
        EXPECT_EQ(c.green, WorkingBarValue(BAR_GREEN)) << c.group;
        EXPECT_EQ(c.blue, WorkingBarValue(BAR_BLUE)) << c.group;
    }
}

TEST_F(PropertiesValuesTest, SwitchingGroupsKeepsEditedValues)
{
    GiveEveryColourItsOwnValue();
    LoadWorkingValues();
    SelectColourGroup(GROUP_FRAME);
    ScrollWorkingBar(BAR_RED, SCROLL_THUMB_TRACK, 100);
    ScrollWorkingBar(BAR_BLUE, SCROLL_PAGE_RIGHT, 0);
    SelectColourGroup(GROUP_BACK);
    EXPECT_EQ(1, WorkingBarValue(BAR_RED));
    EXPECT_EQ(2, WorkingBarValue(BAR_GREEN));
    EXPECT_EQ(3, WorkingBarValue(BAR_BLUE));
    SelectColourGroup(GROUP_FRAME);
    EXPECT_EQ(100, WorkingBarValue(BAR_RED));
    EXPECT_EQ(32, WorkingBarValue(BAR_GREEN));
    EXPECT_EQ(49, WorkingBarValue(BAR_BLUE));
}

TEST_F(PropertiesValuesTest, BoxesReadLetterSpaceValue)
{
    struct Case {
        int bar;
        int value;
        const char* text;
    } cases[] = {{BAR_RED, 0, "R 0"}, {BAR_GREEN, 255, "G 255"}, {BAR_BLUE, 16, "B 16"}};
    for (const Case& c : cases)
        EXPECT_EQ(c.text, BoxText(c.bar, c.value));

    char small[3];
    FormatComponentBox(BAR_GREEN, 255, small, sizeof small);
    EXPECT_STREQ("G ", small); // cut to the buffer, still terminated
}

TEST_F(PropertiesValuesTest, PreviewColoursFollowTheWorkingValues)
{
    GiveEveryColourItsOwnValue();
    LoadWorkingValues();
    SelectColourGroup(GROUP_TEXT1);
    ScrollWorkingBar(BAR_BLUE, SCROLL_THUMB_TRACK, 0xAB);
    EXPECT_EQ(0x030201ul, WorkingColour(GROUP_BACK));
    EXPECT_EQ(0xAB0C0Bul, WorkingColour(GROUP_TEXT1));
    EXPECT_EQ(0x171615ul, WorkingColour(GROUP_TEXT2));
    EXPECT_EQ(0x21201Ful, WorkingColour(GROUP_FRAME));
}

TEST_F(PropertiesValuesTest, VerticalFacesAreNotOffered)
{
    struct Case {
        const char* face;
        int offered;
    } cases[] = {{"Droid Sans Fallback", 1}, {"@Droid Sans Fallback", 0}, {"@", 0},
                 {"MS @Gothic", 1}, {"", 1}};
    for (const Case& c : cases)
        EXPECT_EQ(c.offered, IsOfferedFace(c.face)) << c.face;
}

TEST_F(PropertiesValuesTest, ChosenFaceIsCutTo127Characters)
{
    LoadWorkingValues();
    ChooseWorkingFontface("IPAGothic");
    EXPECT_STREQ("IPAGothic", workFontface);
    std::string longFace(300, 'f');
    ChooseWorkingFontface(longFace.c_str());
    EXPECT_EQ(std::string(127, 'f'), workFontface);
}

TEST_F(PropertiesValuesTest, CheckBoxesStartFromWintopAndFtype)
{
    struct Case {
        int wintop, ftype;
        int alwaysFront, bold;
    } cases[] = {{1, 700, 1, 1}, {0, 400, 0, 0}, {-7, 701, 1, 0}, {2, 0, 1, 0}};
    for (const Case& c : cases) {
        Settings.wintop = c.wintop;
        Settings.ftype = c.ftype;
        EXPECT_EQ(c.alwaysFront, StartsAlwaysFront()) << c.wintop;
        EXPECT_EQ(c.bold, StartsBold()) << c.ftype;
    }
}

// ---------------------------------------------------------------------------------------
// The size rule.

struct SizeCase {
    const char* behaviour;
    int screenHeight;
    int lastRow;
    const char* text;
    int expected;
};

class FontSizeTest : public PropertiesValuesTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(FontSizeTest, EnteredSizeIsKeptWithinTheRule)
{
    const SizeCase& c = GetParam();
    EXPECT_EQ(c.expected, FontSizeFromText(c.text, c.screenHeight, c.lastRow)) << c.behaviour;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FontSizeTest,
    ::testing::Values(
        SizeCase{"two rows on 1080 accept 534", 1080, 1, "534", 534},
        SizeCase{"two rows on 1080 cut 535 to 534", 1080, 1, "535", 534},
        SizeCase{"no cap of 256", 1080, 1, "300", 300},
        SizeCase{"fifty rows on 1080 accept 21", 1080, 49, "21", 21},
        SizeCase{"fifty rows on 1080 cut 22 to 21", 1080, 49, "22", 21},
        SizeCase{"5 becomes 6", 1080, 1, "5", 6},
        SizeCase{"6 stays", 1080, 1, "6", 6},
        SizeCase{"a word reads as 0, then 6", 1080, 1, "abc", 6},
        SizeCase{"empty reads as 0, then 6", 1080, 1, "", 6},
        SizeCase{"a negative number becomes 6", 1080, 1, "-3", 6},
        SizeCase{"a number with a sign is read", 1080, 1, "+20", 20},
        SizeCase{"leading blanks are skipped", 1080, 1, "  24", 24},
        SizeCase{"digits before letters count", 1080, 1, "20abc", 20},
        SizeCase{"a huge number gives the bound", 1080, 1, "99999999999999999999", 534},
        SizeCase{"a huge negative number gives 6", 1080, 1, "-99999999999999999999", 6},
        SizeCase{"a smaller screen lowers the bound", 600, 1, "400", 294},
        SizeCase{"one row gets the whole height", 1080, 0, "2000", 1068}));

TEST_F(PropertiesValuesTest, SizeLimitLeavesRoomForEveryRow)
{
    struct Case {
        int screenHeight, lastRow, limit;
    } cases[] = {{1080, 0, 1068}, {1080, 1, 534}, {1080, 49, 21}, {768, 3, 189}};
    for (const Case& c : cases)
        EXPECT_EQ(c.limit, FontSizeLimit(c.screenHeight, c.lastRow)) << c.screenHeight << "/" << c.lastRow;
}

// ---------------------------------------------------------------------------------------
// OK and Cancel.

TEST_F(PropertiesValuesTest, OkWithoutChangesKeepsEverythingButNormalisesWintopAndFtype)
{
    struct Case {
        int wintop, ftype;
        int storedWintop, storedFtype;
    } cases[] = {{1, 400, 1, 400}, {0, 700, 0, 700}, {5, 700, 1, 700}, {-1, 300, 1, 400},
                 {0, 1000, 0, 400}};
    for (const Case& c : cases) {
        ResetFakeSystem();
        GiveEveryColourItsOwnValue();
        Settings.winX = 123;
        Settings.winY = 45;
        Settings.fsize = 24;
        Settings.toumeido = 200;
        strcpy(Settings.fontface, "MS Gothic");
        Settings.wintop = c.wintop;
        Settings.ftype = c.ftype;
        SettingsRecord before = Settings;

        LoadWorkingValues();
        PressOkWithoutChanges();

        SettingsRecord expected = before;
        expected.wintop = c.storedWintop;
        expected.ftype = c.storedFtype;
        EXPECT_EQ(0, memcmp(&expected, &Settings, sizeof Settings))
            << "wintop " << c.wintop << " ftype " << c.ftype;
    }
}

TEST_F(PropertiesValuesTest, OkStoresEveryEditedValue)
{
    GiveEveryColourItsOwnValue();
    LoadWorkingValues();
    SelectColourGroup(GROUP_TEXT1);
    ScrollWorkingBar(BAR_RED, SCROLL_THUMB_TRACK, 111);
    SelectColourGroup(GROUP_FRAME);
    ScrollWorkingBar(BAR_BLUE, SCROLL_LINE_RIGHT, 0);
    ScrollWorkingBar(BAR_OPACITY, SCROLL_PAGE_LEFT, 0);
    ChooseWorkingFontface("IPAGothic");

    ApplyWorkingValues(0, 1, "30");
    EXPECT_EQ(111, Settings.text1R);
    EXPECT_EQ(34, Settings.rectB);
    EXPECT_EQ(1, Settings.backR);
    EXPECT_EQ(239, Settings.toumeido);
    EXPECT_STREQ("IPAGothic", Settings.fontface);
    EXPECT_EQ(0, Settings.wintop);
    EXPECT_EQ(700, Settings.ftype);
    EXPECT_EQ(30, Settings.fsize);
}

TEST_F(PropertiesValuesTest, OkLimitsTheSizeByTheRowsOfTheList)
{
    struct Case {
        int lastRow;
        const char* text;
        int fsize;
    } cases[] = {{1, "534", 534}, {1, "600", 534}, {49, "21", 21}, {49, "40", 21}, {3, "5", 6}};
    for (const Case& c : cases) {
        ResetFakeSystem();
        lastRow = c.lastRow;
        LoadWorkingValues();
        ApplyWorkingValues(1, 0, c.text);
        EXPECT_EQ(c.fsize, Settings.fsize) << c.lastRow << " " << c.text;
    }
}

TEST_F(PropertiesValuesTest, CancelAfterEditsLeavesSettingsUntouched)
{
    GiveEveryColourItsOwnValue();
    SettingsRecord before = Settings;
    LoadWorkingValues();
    SelectColourGroup(GROUP_TEXT2);
    ScrollWorkingBar(BAR_GREEN, SCROLL_PAGE_LEFT, 0);
    ScrollWorkingBar(BAR_OPACITY, SCROLL_THUMB_TRACK, 3);
    ChooseWorkingFontface("Courier");
    // Cancel applies nothing: Settings must be as it was.
    EXPECT_EQ(0, memcmp(&before, &Settings, sizeof Settings));
}

} // namespace
