#include <gtest/gtest.h>

#include <string>

#include "app/shell_state.h"
#include "fake_system.h"
#include "tasks/time_log.h"

namespace {

class TimeLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        StartWithThreeTasks();
    }
    std::string Log() { return FileText("timelog.csv"); }
};

TEST(TimeLogLine, DurationsAreCutToWholeSecondsAndSplit)
{
    struct Case {
        LocalTime start, end;
        const char* line;
    } cases[] = {
        {At(2026, 12, 5, 9, 3, 7, 250), At(2026, 12, 5, 10, 15, 40, 500),
         "2026/12/05 09:03:07,1:12:33,4353,Coding\r\n"},
        {At(2026, 12, 5, 9, 3, 7, 900), At(2026, 12, 5, 10, 15, 40, 100),
         "2026/12/05 09:03:07,1:12:32,4352,Coding\r\n"},
        {At(2026, 1, 2, 3, 4, 5, 0), At(2026, 1, 3, 6, 9, 14, 0),
         "2026/01/02 03:04:05,27:05:09,97509,Coding\r\n"},
        {At(2026, 1, 2, 3, 4, 5, 100), At(2026, 1, 2, 3, 4, 6, 99),
         "2026/01/02 03:04:05,0:00:00,0,Coding\r\n"},
        {At(2026, 1, 2, 3, 4, 5, 0), At(2026, 1, 2, 3, 4, 4, 0),
         "2026/01/02 03:04:05,0:00:00,0,Coding\r\n"}, // the clock went back
        {At(2026, 2, 28, 23, 59, 59, 0), At(2026, 3, 1, 0, 0, 1, 0),
         "2026/02/28 23:59:59,0:00:02,2,Coding\r\n"},
        {At(2016, 1, 1, 0, 0, 0, 0), At(2200, 12, 31, 23, 59, 59, 0),
         "2016/01/01 00:00:00,1621679:59:59,5838047999,Coding\r\n"}, // beyond 2^31 seconds
    };
    for (const Case& c : cases) {
        char line[4096];
        size_t n = FormatTimeLogLine(line, sizeof line, c.start,
                                     DurationSeconds(c.start, c.end), "Coding");
        EXPECT_EQ(c.line, std::string(line, n));
    }
}

TEST(TimeLogLine, NamesAreWrittenAsTheyAre)
{
    char line[4096];
    std::string names[] = {"Meeting, client", "\"quoted\"", "", std::string(2047, 'x')};
    for (const std::string& name : names) {
        size_t n = FormatTimeLogLine(line, sizeof line, At(2026, 12, 5, 9, 0, 0), 60, name.c_str());
        EXPECT_EQ("2026/12/05 09:00:00,0:01:00,60," + name + "\r\n", std::string(line, n));
    }
}

TEST(TimeLogLine, YearIsPaddedWithSpacesToFourCharacters)
{
    char line[256];
    size_t n = FormatTimeLogLine(line, sizeof line, At(999, 1, 1, 0, 0, 0), 0, "x");
    EXPECT_EQ(" 999/01/01 00:00:00,0:00:00,0,x\r\n", std::string(line, n));
}

TEST_F(TimeLogTest, FirstSwitchWritesNothingAndCountsFromStartUp)
{
    SwitchAt(1, At(2026, 12, 5, 9, 30, 0));
    EXPECT_FALSE(HasFile("timelog.csv"));
    EXPECT_EQ(1, current_task);
    SwitchAt(2, At(2026, 12, 5, 10, 0, 0));
    EXPECT_EQ("2026/12/05 09:00:00,1:00:00,3600,A\r\n", Log());
    EXPECT_STREQ("B", runningTaskName);
    EXPECT_EQ(10, runningTaskStart.wHour);
}

TEST_F(TimeLogTest, ExitWithoutASwitchLogsNothing)
{
    fake.now = At(2026, 12, 5, 17, 0, 0);
    AppendTimeLog(nullptr, TaskTable[0]);
    EXPECT_FALSE(HasFile("timelog.csv"));
}

TEST_F(TimeLogTest, SwitchingToTheRunningTaskEndsAndRestartsIt)
{
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    SwitchAt(1, At(2026, 12, 5, 9, 10, 0));
    SwitchAt(1, At(2026, 12, 5, 9, 25, 0));
    EXPECT_EQ("2026/12/05 09:00:00,0:10:00,600,A\r\n"
              "2026/12/05 09:10:00,0:15:00,900,A\r\n",
              Log());
}

TEST_F(TimeLogTest, NoSwitchOnAnEmptyRowOrWithADialogOpen)
{
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    useBackdatedTime = 1;
    SwitchAt(5, At(2026, 12, 5, 9, 10, 0));
    EXPECT_EQ(1, current_task);
    EXPECT_EQ(0, useBackdatedTime);
    dialogOpen = 1;
    useBackdatedTime = 1;
    SwitchAt(2, At(2026, 12, 5, 9, 20, 0));
    EXPECT_EQ(1, current_task);
    EXPECT_EQ(0, useBackdatedTime);
    selectedRow = 77;
    dialogOpen = 0;
    SwitchToSelectedTask(nullptr);
    EXPECT_EQ(1, current_task);
    EXPECT_FALSE(HasFile("timelog.csv"));
}

TEST_F(TimeLogTest, RenamedTaskIsLoggedUnderTheNameItStartedWith)
{
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    SetTaskName(1, "Renamed");
    SwitchAt(2, At(2026, 12, 5, 9, 5, 0));
    EXPECT_EQ("2026/12/05 09:00:00,0:05:00,300,A\r\n", Log());
}

TEST_F(TimeLogTest, NamesOfAnyLengthAreLoggedWhole)
{
    std::string longName(2047, 'L');
    SetTaskName(3, longName.c_str());
    SwitchAt(3, At(2026, 12, 5, 9, 0, 0));
    SwitchAt(1, At(2026, 12, 5, 9, 0, 1));
    EXPECT_EQ("2026/12/05 09:00:00,0:00:01,1," + longName + "\r\n", Log());
}

TEST_F(TimeLogTest, LineGoesAfterTheLastByteOfAnExistingLog)
{
    fake.files["timelog.csv"].content = "old line without end";
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    SwitchAt(2, At(2026, 12, 5, 9, 0, 30));
    EXPECT_EQ("old line without end2026/12/05 09:00:00,0:00:30,30,A\r\n", Log());
}

TEST_F(TimeLogTest, BackdatedSwitchUsesTheChosenMomentOnlyAfterTheFirstSwitch)
{
    useBackdatedTime = 1;
    backdatedTime = At(2026, 12, 5, 8, 0, 0);
    SwitchAt(1, At(2026, 12, 5, 9, 30, 0)); // first switch: the moment is not used
    EXPECT_EQ(9, runningTaskStart.wHour);
    EXPECT_EQ(0, runningTaskStart.wMinute);

    useBackdatedTime = 1;
    backdatedTime = At(2026, 12, 5, 10, 15, 40);
    SwitchAt(2, At(2026, 12, 5, 10, 25, 40));
    EXPECT_EQ("2026/12/05 09:00:00,1:15:40,4540,A\r\n", Log());
    EXPECT_EQ(15, runningTaskStart.wMinute);
    EXPECT_EQ(0, useBackdatedTime);
}

TEST_F(TimeLogTest, UnrealBackdatedMomentNeverReachesTheLog)
{
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    useBackdatedTime = 1;
    backdatedTime = At(2026, 11, 31, 9, 0, 0);
    SwitchAt(2, At(2026, 12, 5, 10, 0, 0));
    EXPECT_EQ("2026/12/05 09:00:00,1:00:00,3600,A\r\n", Log());
    EXPECT_EQ(10, runningTaskStart.wHour);
}

TEST_F(TimeLogTest, FutureStartThenEarlierSwitchLogsZero)
{
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    useBackdatedTime = 1;
    backdatedTime = At(2026, 12, 6, 9, 0, 0);
    SwitchAt(2, At(2026, 12, 5, 10, 0, 0));
    SwitchAt(1, At(2026, 12, 5, 11, 0, 0));
    EXPECT_EQ("2026/12/05 09:00:00,24:00:00,86400,A\r\n"
              "2026/12/06 09:00:00,0:00:00,0,B\r\n",
              Log());
}

TEST_F(TimeLogTest, LockedLogHoldsLinesAndWritesThemInOrderLater)
{
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    fake.files["timelog.csv"].locked = true;
    SwitchAt(2, At(2026, 12, 5, 9, 10, 0));
    ASSERT_EQ(1u, fake.messages.size());
    EXPECT_EQ("timelog.csv file open error.", fake.messages[0].text);
    EXPECT_EQ("OPEN ERROR", fake.messages[0].title);
    EXPECT_EQ(MESSAGE_ERROR, fake.messages[0].kind);
    EXPECT_EQ(2, current_task);
    EXPECT_STREQ("B", runningTaskName);
    SwitchAt(1, At(2026, 12, 5, 9, 30, 0));
    EXPECT_EQ(2u, fake.messages.size());
    EXPECT_EQ("", Log());

    fake.files["timelog.csv"].locked = false;
    SwitchAt(2, At(2026, 12, 5, 10, 0, 0));
    EXPECT_EQ("2026/12/05 09:00:00,0:10:00,600,A\r\n"
              "2026/12/05 09:10:00,0:20:00,1200,B\r\n"
              "2026/12/05 09:30:00,0:30:00,1800,A\r\n",
              Log());
    EXPECT_EQ(0u, HeldLogLength());
}

TEST_F(TimeLogTest, FailedWriteIsHeldLikeAFailedOpen)
{
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    fake.files["timelog.csv"].failWrites = true;
    SwitchAt(2, At(2026, 12, 5, 9, 10, 0));
    EXPECT_EQ("timelog.csv file write error.", fake.messages.at(0).text);
    fake.files["timelog.csv"].failWrites = false;
    SwitchAt(1, At(2026, 12, 5, 9, 20, 0));
    EXPECT_EQ("2026/12/05 09:00:00,0:10:00,600,A\r\n"
              "2026/12/05 09:10:00,0:10:00,600,B\r\n",
              Log());
}

TEST_F(TimeLogTest, LinesStillHeldAtExitAreSavedBeside)
{
    SwitchAt(1, At(2026, 12, 5, 9, 0, 0));
    fake.files["timelog.csv"].locked = true;
    SwitchAt(2, At(2026, 12, 5, 9, 10, 0));
    fake.now = At(2026, 12, 5, 9, 15, 0);
    AppendTimeLog(nullptr, TaskTable[0]);
    SaveHeldLogAside(nullptr);
    EXPECT_EQ("2026/12/05 09:00:00,0:10:00,600,A\r\n"
              "2026/12/05 09:10:00,0:05:00,300,B\r\n",
              FileText("timelog-unsaved.csv"));
    EXPECT_EQ("Warning", fake.messages.back().title);
}

TEST(LocalTimeTicks, RealMomentsOnly)
{
    struct Case {
        LocalTime t;
        int real;
    } cases[] = {
        {At(2026, 4, 30, 0, 0, 0), 1}, {At(2026, 4, 31, 0, 0, 0), 0},
        {At(2024, 2, 29, 0, 0, 0), 1}, {At(2026, 2, 29, 0, 0, 0), 0},
        {At(2000, 2, 29, 0, 0, 0), 1}, {At(2100, 2, 29, 0, 0, 0), 0},
        {At(2026, 13, 1, 0, 0, 0), 0}, {At(2026, 1, 1, 24, 0, 0), 0},
        {At(1600, 12, 31, 0, 0, 0), 0}, {At(1601, 1, 1, 0, 0, 0), 1},
        {At(2026, 1, 1, 0, 0, 0, 999), 1}, {At(2026, 1, 1, 0, 0, 0, 1000), 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.real, IsRealMoment(c.t)) << c.t.wYear << "-" << c.t.wMonth << "-" << c.t.wDay;
}

TEST(LocalTimeTicks, DifferencesMatchTheCalendar)
{
    EXPECT_EQ(int64_t(86400) * TICKS_PER_SECOND,
              TimeDifference(At(2024, 2, 28, 12, 0, 0), At(2024, 2, 29, 12, 0, 0)));
    EXPECT_EQ(int64_t(366) * 86400 * TICKS_PER_SECOND,
              TimeDifference(At(2024, 1, 1, 0, 0, 0), At(2025, 1, 1, 0, 0, 0)));
    EXPECT_EQ(-int64_t(10000), TimeDifference(At(2026, 1, 1, 0, 0, 0, 1), At(2026, 1, 1, 0, 0, 0, 0)));
    int64_t ticks = 0;
    ASSERT_TRUE(LocalTimeToTicks(At(1970, 1, 1, 0, 0, 0), &ticks));
    EXPECT_EQ(116444736000000000LL, ticks);
}

} // namespace
