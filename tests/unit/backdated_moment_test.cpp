#include <gtest/gtest.h>

#include <string>

#include "fake_system.h"
#include "tasks/backdated_moment.h"
#include "tasks/running_period.h"

namespace {

std::string Text(const LocalTime& t)
{
    char text[64];
    size_t n = FormatMomentText(text, sizeof text, t);
    return std::string(text, n) + "." + std::to_string(t.wMilliseconds) + "/" +
           std::to_string(t.wDayOfWeek);
}

TEST(BackdatedMoment, FieldsInTheirRangesAreTakenOthersKeepThePressMoment)
{
    LocalTime press = At(2026, 12, 5, 10, 25, 47, 250);
    press.wDayOfWeek = 6;
    struct Case { int fields[MOMENT_FIELD_COUNT]; const char* moment; } cases[] = {
        {{2026, 12, 5, 10, 15, 40}, "2026/12/05 10:15:40.250/6"},
        {{2016, 1, 1, 0, 0, 0}, "2016/01/01 00:00:00.250/6"},
        {{2200, 12, 31, 23, 59, 59}, "2200/12/31 23:59:59.250/6"},
        {{2015, 0, 0, 24, 60, 60}, "2026/12/05 10:25:47.250/6"},
        {{2201, 13, 32, -1, -1, -1}, "2026/12/05 10:25:47.250/6"},
        {{-5, -12, -5, 0, 0, 0}, "2026/12/05 00:00:00.250/6"}, // empty or letters read as 0
        {{67536, 65548, 65541, 65546, 65546, 65546}, "2026/12/05 10:25:47.250/6"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.moment, Text(MomentFromFields(c.fields, press)));
    EXPECT_EQ(2016, MomentFieldLow(FIELD_YEAR));
    EXPECT_EQ(59, MomentFieldHigh(FIELD_SECOND));
    EXPECT_EQ(12, MomentFieldOf(press, FIELD_MONTH));
    EXPECT_EQ(47, MomentFieldOf(press, FIELD_SECOND));
}

TEST(BackdatedMoment, AMomentBeforeTheLastStartOrOffTheCalendarIsRefused)
{
    LocalTime start = At(2026, 12, 5, 10, 0, 0, 500);
    struct Case { LocalTime moment; MomentVerdict verdict; } cases[] = {
        {At(2026, 12, 5, 10, 0, 0, 500), MOMENT_ACCEPTED},
        {At(2026, 12, 5, 10, 0, 0, 499), MOMENT_BEFORE_LAST_START},
        {At(2026, 12, 5, 9, 59, 59, 900), MOMENT_BEFORE_LAST_START},
        {At(2026, 12, 6, 10, 0, 0, 0), MOMENT_ACCEPTED}, {At(2028, 2, 29, 10, 0, 0), MOMENT_ACCEPTED},
        {At(2027, 2, 29, 10, 0, 0), MOMENT_NOT_ON_CALENDAR}, {At(2026, 4, 31, 10, 0, 0), MOMENT_NOT_ON_CALENDAR},
        {At(2026, 11, 31, 10, 0, 0), MOMENT_NOT_ON_CALENDAR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.verdict, JudgeMoment(c.moment, start)) << Text(c.moment);
}

TEST(BackdatedMoment, OkHandsTheMomentToTheNextSwitchOrWarns)
{
    struct Case { int fields[MOMENT_FIELD_COUNT]; int accepted; const char* warning; } cases[] = {
        {{2026, 12, 5, 10, 15, 40}, 1, nullptr},
        {{2026, 12, 5, 8, 59, 59}, 0,
         "The start time of the new task is before the start time of the last task."},
        {{2026, 2, 29, 10, 0, 0}, 0, "The start date of the new task does not exist."},
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        fake.now = At(2026, 12, 5, 10, 25, 40, 100);
        EXPECT_EQ(c.accepted, ChooseBackdatedMoment(nullptr, c.fields));
        EXPECT_EQ(c.accepted, useBackdatedTime);
        EXPECT_EQ(c.accepted ? 0u : 1u, fake.messages.size());
        if (!c.accepted) {
            EXPECT_EQ(c.warning, fake.messages[0].text);
            EXPECT_EQ("Warning", fake.messages[0].title);
            EXPECT_EQ(unsigned(MESSAGE_WARNING), fake.messages[0].kind);
        }
        EXPECT_EQ(c.fields[FIELD_MINUTE], backdatedTime.wMinute);
    }
    EXPECT_EQ(nullptr, RefusalText(MOMENT_ACCEPTED));
}

} // namespace
