#include <gtest/gtest.h>

#include <string>

#include "app/shell_state.h"
#include "fake_system.h"
#include "tasks/backdated_moment.h"
#include "tasks/time_log.h"

namespace {

struct Fields {
    int values[MOMENT_FIELD_COUNT];
};

Fields FieldsOf(int year, int month, int day, int hour, int minute, int second)
{
    return Fields{{year, month, day, hour, minute, second}};
}

// What the up-down controls show when the dialog opens: the members of the opening time.
Fields FieldsAt(const LocalTime& t)
{
    return FieldsOf(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

LocalTime WithDayOfWeek(LocalTime t, int dayOfWeek)
{
    t.wDayOfWeek = static_cast<unsigned short>(dayOfWeek);
    return t;
}

std::string Text(const LocalTime& t)
{
    char text[64];
    size_t n = FormatMomentText(text, sizeof text, t);
    return std::string(text, n) + "." + std::to_string(t.wMilliseconds);
}

// ---------------------------------------------------------------------------------------
// The moment the fields make.

const int kEmpty = 0; // an empty field, or one holding letters, reads as 0

TEST(BackdatedMomentFields, InRangeValuesAreTakenOthersFallBackToTheCurrentTime)
{
    // The press: Saturday 5 December 2026, 10:25:47.250.
    const LocalTime now = WithDayOfWeek(At(2026, 12, 5, 10, 25, 47, 250), 6);
    struct Case {
        const char* behaviour;
        Fields fields;
        LocalTime want;
    } cases[] = {
        {"enter at once: the opening second with the milliseconds of the press",
         FieldsOf(2026, 12, 5, 10, 25, 40), At(2026, 12, 5, 10, 25, 40, 250)},
        {"only the minute changed", FieldsOf(2026, 12, 5, 10, 15, 40),
         At(2026, 12, 5, 10, 15, 40, 250)},
        {"every field taken", FieldsOf(2027, 3, 9, 1, 2, 3), At(2027, 3, 9, 1, 2, 3, 250)},
        {"lowest bounds included", FieldsOf(2016, 1, 1, 0, 0, 0), At(2016, 1, 1, 0, 0, 0, 250)},
        {"highest bounds included", FieldsOf(2200, 12, 31, 23, 59, 59),
         At(2200, 12, 31, 23, 59, 59, 250)},
        {"year 2015 gives the current year", FieldsOf(2015, 3, 9, 1, 2, 3),
         At(2026, 3, 9, 1, 2, 3, 250)},
        {"year 2201 gives the current year", FieldsOf(2201, 3, 9, 1, 2, 3),
         At(2026, 3, 9, 1, 2, 3, 250)},
        {"year -5 gives the current year", FieldsOf(-5, 3, 9, 1, 2, 3),
         At(2026, 3, 9, 1, 2, 3, 250)},
        {"empty year gives the current year", FieldsOf(kEmpty, 3, 9, 1, 2, 3),
         At(2026, 3, 9, 1, 2, 3, 250)},
        {"month 0 gives the current month", FieldsOf(2027, 0, 9, 1, 2, 3),
         At(2027, 12, 9, 1, 2, 3, 250)},
        {"month 13 gives the current month", FieldsOf(2027, 13, 9, 1, 2, 3),
         At(2027, 12, 9, 1, 2, 3, 250)},
        {"month -1 gives the current month", FieldsOf(2027, -1, 9, 1, 2, 3),
         At(2027, 12, 9, 1, 2, 3, 250)},
        {"day 0 gives the current day", FieldsOf(2027, 3, 0, 1, 2, 3),
         At(2027, 3, 5, 1, 2, 3, 250)},
        {"day 32 gives the current day", FieldsOf(2027, 3, 32, 1, 2, 3),
         At(2027, 3, 5, 1, 2, 3, 250)},
        {"hour 24 gives the current hour", FieldsOf(2027, 3, 9, 24, 2, 3),
         At(2027, 3, 9, 10, 2, 3, 250)},
        {"hour -1 gives the current hour", FieldsOf(2027, 3, 9, -1, 2, 3),
         At(2027, 3, 9, 10, 2, 3, 250)},
        {"minute 60 gives the current minute", FieldsOf(2027, 3, 9, 1, 60, 3),
         At(2027, 3, 9, 1, 25, 3, 250)},
        {"second 60 gives the current second", FieldsOf(2027, 3, 9, 1, 2, 60),
         At(2027, 3, 9, 1, 2, 47, 250)},
        {"empty or non-numeric hour, minute and second give 0",
         FieldsOf(2026, 12, 5, kEmpty, kEmpty, kEmpty), At(2026, 12, 5, 0, 0, 0, 250)},
        {"a huge value is out of range, not wrapped", FieldsOf(2026 + 65536, 12 + 65536, 5, 1, 2, 3),
         At(2026, 12, 5, 1, 2, 3, 250)},
        {"31 April passes the field ranges (judged later)", FieldsOf(2027, 4, 31, 1, 2, 3),
         At(2027, 4, 31, 1, 2, 3, 250)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        LocalTime got = MomentFromFields(c.fields.values, now);
        EXPECT_EQ(Text(c.want), Text(got));
        EXPECT_EQ(6, got.wDayOfWeek) << "the day of the week is the current time's";
    }
}

TEST(BackdatedMomentFields, RangesAreTheUpDownRanges)
{
    const int want[MOMENT_FIELD_COUNT][2] = {{2016, 2200}, {1, 12}, {1, 31},
                                             {0, 23},     {0, 59}, {0, 59}};
    for (int field = 0; field < MOMENT_FIELD_COUNT; ++field) {
        EXPECT_EQ(want[field][0], MomentFieldLow(field)) << "field " << field;
        EXPECT_EQ(want[field][1], MomentFieldHigh(field)) << "field " << field;
    }
    const LocalTime t = At(2026, 12, 5, 10, 25, 40, 250);
    const int members[MOMENT_FIELD_COUNT] = {2026, 12, 5, 10, 25, 40};
    for (int field = 0; field < MOMENT_FIELD_COUNT; ++field)
        EXPECT_EQ(members[field], MomentFieldOf(t, field)) << "field " << field;
}

// ---------------------------------------------------------------------------------------
// The check against the running task's start.

TEST(BackdatedMomentJudgement, EarlierThanTheLastStartOrOffTheCalendarIsRefused)
{
    const LocalTime lastStart = At(2026, 12, 5, 9, 0, 0, 500);
    struct Case {
        const char* behaviour;
        LocalTime moment;
        MomentVerdict want;
    } cases[] = {
        {"same second, press milliseconds equal to the start's", At(2026, 12, 5, 9, 0, 0, 500),
         MOMENT_ACCEPTED},
        {"same second, press milliseconds above the start's", At(2026, 12, 5, 9, 0, 0, 999),
         MOMENT_ACCEPTED},
        {"same second, press milliseconds below the start's", At(2026, 12, 5, 9, 0, 0, 499),
         MOMENT_BEFORE_LAST_START},
        {"one second before the start", At(2026, 12, 5, 8, 59, 59, 500),
         MOMENT_BEFORE_LAST_START},
        {"an earlier day", At(2026, 12, 4, 23, 0, 0, 0), MOMENT_BEFORE_LAST_START},
        {"later the same day", At(2026, 12, 5, 10, 15, 40, 0), MOMENT_ACCEPTED},
        {"tomorrow", At(2026, 12, 6, 8, 0, 0, 0), MOMENT_ACCEPTED},
        {"31 April", At(2027, 4, 31, 12, 0, 0, 0), MOMENT_NOT_ON_CALENDAR},
        {"31 April before the start: the date is what is wrong", At(2026, 4, 31, 12, 0, 0, 0),
         MOMENT_NOT_ON_CALENDAR},
        {"29 February in a common year", At(2027, 2, 29, 12, 0, 0, 0), MOMENT_NOT_ON_CALENDAR},
        {"29 February in a leap year", At(2028, 2, 29, 12, 0, 0, 0), MOMENT_ACCEPTED},
        {"30 February in a leap year", At(2028, 2, 30, 12, 0, 0, 0), MOMENT_NOT_ON_CALENDAR},
        {"29 February 2100, a century that is not a leap year", At(2100, 2, 29, 12, 0, 0, 0),
         MOMENT_NOT_ON_CALENDAR},
        {"31 December 2200", At(2200, 12, 31, 23, 59, 59, 999), MOMENT_ACCEPTED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        EXPECT_EQ(c.want, JudgeMoment(c.moment, lastStart));
    }
}

TEST(BackdatedMomentJudgement, RefusalsAreExplainedAcceptanceIsNot)
{
    EXPECT_EQ(nullptr, RefusalText(MOMENT_ACCEPTED));
    EXPECT_STREQ("The start time of the new task is before the start time of the last task.",
                 RefusalText(MOMENT_BEFORE_LAST_START));
    EXPECT_STREQ("The start date of the new task does not exist.",
                 RefusalText(MOMENT_NOT_ON_CALENDAR));
}

// ---------------------------------------------------------------------------------------
// The last task's start as the dialog shows it.

TEST(BackdatedMomentText, StartIsShownToTheSecondWithAnUnpaddedYear)
{
    struct Case {
        LocalTime time;
        const char* want;
    } cases[] = {
        {At(2026, 12, 5, 9, 3, 7, 250), "2026/12/05 09:03:07"},
        {At(2016, 1, 1, 0, 0, 0, 999), "2016/01/01 00:00:00"},
        {At(2200, 12, 31, 23, 59, 59), "2200/12/31 23:59:59"},
        {At(999, 1, 2, 3, 4, 5), "999/01/02 03:04:05"},
    };
    for (const Case& c : cases) {
        char text[64];
        size_t n = FormatMomentText(text, sizeof text, c.time);
        EXPECT_EQ(c.want, std::string(text, n));
        EXPECT_EQ(n, std::string(text).size()) << "terminated";
    }
}

TEST(BackdatedMomentText, TextIsCutToItsBuffer)
{
    char text[8] = "xxxxxxx";
    size_t n = FormatMomentText(text, 5, At(2026, 12, 5, 9, 3, 7));
    EXPECT_EQ(4u, n);
    EXPECT_STREQ("2026", text);
    EXPECT_EQ('x', text[5]) << "nothing written past the buffer";
}

// ---------------------------------------------------------------------------------------
// OK in the dialog, then the switch the command makes.

class BackdatedChangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartWithThreeTasks();
        listOpen = 1;
    }
    // Past the first switch (which logs nothing), with A running since `start` and the
    // log emptied of the lines that led there.
    void RunASince(LocalTime start)
    {
        SwitchAt(0, At(2026, 12, 5, 9, 0, 0));
        SwitchAt(1, start);
        fake.files.erase("timelog.csv");
    }
    // The dialog opens at `opening` on row `row` and shows the opening time's members.
    void Open(int row, LocalTime opening)
    {
        selectedRow = row;
        fake.now = opening;
        openingFields = FieldsAt(opening);
        dialogOpen = 1;
    }
    // OK at `press`: 1 when the dialog ends, 0 when it stays open.
    int PressOk(const Fields& fields, LocalTime press)
    {
        fake.now = press;
        int accepted = ChooseBackdatedMoment(nullptr, fields.values);
        if (accepted)
            dialogOpen = 0;
        return accepted;
    }
    // What the command does once the dialog has ended.
    void DialogEnded()
    {
        if (useBackdatedTime == 1)
            SwitchToSelectedTask(nullptr);
    }
    std::string Log() { return FileText("timelog.csv"); }

    Fields openingFields{};
};

TEST_F(BackdatedChangeTest, EnterAtOnceLogsTheSwitchAtTheOpeningSecond)
{
    RunASince(At(2026, 12, 5, 9, 30, 0));
    Open(2, At(2026, 12, 5, 10, 25, 40, 100));
    ASSERT_EQ(1, PressOk(openingFields, At(2026, 12, 5, 10, 25, 47, 250)));
    EXPECT_EQ(0, dialogOpen);
    EXPECT_EQ(1, useBackdatedTime);
    EXPECT_EQ(Text(At(2026, 12, 5, 10, 25, 40, 250)), Text(backdatedTime));
    DialogEnded();
    EXPECT_EQ("2026/12/05 09:30:00,0:55:40,3340,A\r\n", Log());
    EXPECT_EQ(0, useBackdatedTime);
    EXPECT_EQ(2, current_task);
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(BackdatedChangeTest, ChangedMinuteEndsTheRunningTaskAndStartsTheNewOneThen)
{
    RunASince(At(2026, 12, 5, 9, 30, 0));
    Open(2, At(2026, 12, 5, 10, 25, 40, 100));
    Fields fields = openingFields;
    fields.values[FIELD_MINUTE] = 15;
    ASSERT_EQ(1, PressOk(fields, At(2026, 12, 5, 10, 25, 52, 300)));
    DialogEnded();
    EXPECT_EQ("2026/12/05 09:30:00,0:45:40,2740,A\r\n", Log());
    // The new task's own line begins at 10:15:40; the press's milliseconds count.
    SwitchAt(1, At(2026, 12, 5, 11, 0, 0, 0));
    EXPECT_EQ("2026/12/05 09:30:00,0:45:40,2740,A\r\n"
              "2026/12/05 10:15:40,0:44:19,2659,B\r\n",
              Log());
}

TEST_F(BackdatedChangeTest, MomentBeforeTheLastStartWarnsAndKeepsTheDialogOpen)
{
    RunASince(At(2026, 12, 5, 9, 30, 0, 600));
    Open(2, At(2026, 12, 5, 10, 25, 40, 100));
    struct Case {
        const char* behaviour;
        Fields fields;
        int pressMs;
    } cases[] = {
        {"one second before", FieldsOf(2026, 12, 5, 9, 29, 59), 600},
        {"same second, fewer milliseconds", FieldsOf(2026, 12, 5, 9, 30, 0), 599},
        {"empty hour: midnight", FieldsOf(2026, 12, 5, kEmpty, 25, 40), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        fake.messages.clear();
        EXPECT_EQ(0, PressOk(c.fields, At(2026, 12, 5, 10, 25, 45, c.pressMs)));
        EXPECT_EQ(1, dialogOpen);
        EXPECT_EQ(0, useBackdatedTime);
        ASSERT_EQ(1u, fake.messages.size());
        EXPECT_EQ("The start time of the new task is before the start time of the last task.",
                  fake.messages[0].text);
        EXPECT_EQ("Warning", fake.messages[0].title);
        EXPECT_EQ(unsigned(MESSAGE_WARNING), fake.messages[0].kind);
    }
    // The user corrects the field and presses OK again: the same second now suffices.
    fake.messages.clear();
    EXPECT_EQ(1, PressOk(FieldsOf(2026, 12, 5, 9, 30, 0), At(2026, 12, 5, 10, 25, 50, 600)));
    DialogEnded();
    EXPECT_EQ("2026/12/05 09:30:00,0:00:00,0,A\r\n", Log());
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(BackdatedChangeTest, DayPastTheEndOfItsMonthIsRefusedAndNeverLogged)
{
    fake.now = At(2026, 1, 10, 9, 0, 0);
    StartRunningTask();
    SwitchAt(1, At(2026, 1, 10, 9, 30, 0));
    struct Case {
        const char* behaviour;
        Fields fields;
    } cases[] = {
        {"31 April", FieldsOf(2027, 4, 31, 12, 0, 0)},
        {"29 February 2027", FieldsOf(2027, 2, 29, 12, 0, 0)},
        {"31 April, before the last start", FieldsOf(2025, 4, 31, 12, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.behaviour);
        Open(2, At(2026, 1, 10, 10, 0, 0));
        fake.messages.clear();
        EXPECT_EQ(0, PressOk(c.fields, At(2026, 1, 10, 10, 0, 5)));
        EXPECT_EQ(1, dialogOpen);
        EXPECT_EQ(0, useBackdatedTime);
        ASSERT_EQ(1u, fake.messages.size());
        EXPECT_EQ("The start date of the new task does not exist.", fake.messages[0].text);
        EXPECT_EQ("Warning", fake.messages[0].title);
        EXPECT_EQ(unsigned(MESSAGE_WARNING), fake.messages[0].kind);
        EXPECT_FALSE(HasFile("timelog.csv"));
    }
    // Cancel after the refusals: nothing switched, nothing logged.
    dialogOpen = 0;
    DialogEnded();
    EXPECT_FALSE(HasFile("timelog.csv"));
    EXPECT_EQ(1, current_task);
}

TEST_F(BackdatedChangeTest, LeapDayOfALeapYearIsAccepted)
{
    RunASince(At(2026, 12, 5, 9, 30, 0));
    Open(2, At(2026, 12, 5, 10, 0, 0));
    ASSERT_EQ(1, PressOk(FieldsOf(2028, 2, 29, 12, 0, 0), At(2026, 12, 5, 10, 0, 1, 0)));
    DialogEnded();
    EXPECT_EQ("2026/12/05 09:30:00,10826:30:00,38975400,A\r\n", Log());
}

TEST_F(BackdatedChangeTest, MomentTomorrowIsAcceptedAndAnEarlierSwitchLogsZero)
{
    RunASince(At(2026, 12, 5, 9, 30, 0));
    Open(2, At(2026, 12, 5, 10, 0, 0));
    ASSERT_EQ(1, PressOk(FieldsOf(2026, 12, 6, 8, 0, 0), At(2026, 12, 5, 10, 0, 3, 0)));
    DialogEnded();
    EXPECT_EQ("2026/12/05 09:30:00,22:30:00,81000,A\r\n", Log());
    SwitchAt(1, At(2026, 12, 5, 11, 0, 0));
    EXPECT_EQ("2026/12/05 09:30:00,22:30:00,81000,A\r\n"
              "2026/12/06 08:00:00,0:00:00,0,B\r\n",
              Log());
}

TEST_F(BackdatedChangeTest, OutOfRangeAndNonNumericFieldsFallBackInTheLog)
{
    RunASince(At(2026, 12, 5, 9, 30, 0));
    Open(2, At(2026, 12, 5, 10, 25, 40));
    // Year 2201, month 13, day 32, hour 24: the current ones; letters in the seconds: 0.
    ASSERT_EQ(1, PressOk(FieldsOf(2201, 13, 32, 24, 10, kEmpty), At(2026, 12, 5, 10, 25, 44)));
    DialogEnded();
    EXPECT_EQ("2026/12/05 09:30:00,0:40:00,2400,A\r\n", Log());
}

TEST_F(BackdatedChangeTest, BeforeAnySwitchTheAcceptedMomentIsNotUsed)
{
    Open(1, At(2026, 12, 5, 9, 20, 0));
    // Compared with the start-up time, 09:00:00: 09:10 is accepted ...
    ASSERT_EQ(1, PressOk(FieldsOf(2026, 12, 5, 9, 10, 0), At(2026, 12, 5, 9, 20, 5)));
    DialogEnded();
    EXPECT_FALSE(HasFile("timelog.csv"));
    EXPECT_EQ(0, useBackdatedTime);
    EXPECT_EQ(1, current_task);
    // ... but A counts from start-up.
    SwitchAt(2, At(2026, 12, 5, 10, 0, 0));
    EXPECT_EQ("2026/12/05 09:00:00,1:00:00,3600,A\r\n", Log());
}

TEST_F(BackdatedChangeTest, BeforeAnySwitchAMomentBeforeStartUpIsRefused)
{
    Open(1, At(2026, 12, 5, 9, 20, 0));
    EXPECT_EQ(0, PressOk(FieldsOf(2026, 12, 5, 8, 59, 59), At(2026, 12, 5, 9, 20, 5)));
    ASSERT_EQ(1u, fake.messages.size());
    EXPECT_EQ("Warning", fake.messages[0].title);
    EXPECT_EQ(1, dialogOpen);
}

} // namespace
