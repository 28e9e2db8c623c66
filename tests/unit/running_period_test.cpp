#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "base/shell_state.h"
#include "fake_system.h"
#include "app/program_run.h"
#include "base/log_line.h"
#include "tasks/running_period.h"
#include "tasks/task_switch.h"

namespace {

std::string Log()
{
    return FileText("timelog.csv");
}

TEST(TimeLogLine, GivesStartDurationSecondsAndTheNameAsItIs)
{
    struct Case { LocalTime start, end; const char* name; const char* line; } cases[] = {
        {At(2026, 12, 5, 9, 3, 7, 250), At(2026, 12, 5, 10, 15, 40, 500), "Coding",
         "2026/12/05 09:03:07,1:12:33,4353,Coding\r\n"},
        {At(2026, 12, 5, 9, 3, 7, 900), At(2026, 12, 5, 10, 15, 40, 100), "Coding",
         "2026/12/05 09:03:07,1:12:32,4352,Coding\r\n"},
        {At(2026, 1, 2, 3, 4, 5), At(2026, 1, 3, 6, 9, 14), "Meeting, client",
         "2026/01/02 03:04:05,27:05:09,97509,Meeting, client\r\n"},
        {At(2026, 1, 2, 3, 4, 5, 100), At(2026, 1, 2, 3, 4, 6, 99), "\"q\"",
         "2026/01/02 03:04:05,0:00:00,0,\"q\"\r\n"},
        {At(2026, 1, 2, 3, 4, 5), At(2026, 1, 2, 3, 4, 4), "x", // the clock went back
         "2026/01/02 03:04:05,0:00:00,0,x\r\n"},
        {At(2028, 2, 28, 23, 59, 59), At(2028, 3, 1, 0, 0, 1), "x",
         "2028/02/28 23:59:59,24:00:02,86402,x\r\n"},
        {At(2016, 1, 1, 0, 0, 0), At(2200, 12, 31, 23, 59, 59), "x", // as long as a line says
         "2016/01/01 00:00:00,596523:14:07,2147483647,x\r\n"},
        {At(999, 1, 1, 0, 0, 0), At(999, 1, 1, 0, 1, 0), "x", " 999/01/01 00:00:00,0:00:00,0,x\r\n"},
    };
    for (const Case& c : cases) {
        char line[256];
        size_t n = FormatTimeLogLine(line, sizeof line, c.start, DurationSeconds(c.start, c.end), c.name);
        EXPECT_EQ(c.line, std::string(line, n));
    }
    char line[64];
    size_t n = FormatTimeLogLine(line, sizeof line, At(2026, 1, 2, 3, 4, 5), -5, "x");
    EXPECT_EQ("2026/01/02 03:04:05,0:00:00,0,x\r\n", std::string(line, n));
}

TEST(TimeLog, TheFirstSwitchCountsFromStartUpAndEverySwitchLogsTheTaskThatEnded)
{
    StartWithTasks();
    SwitchAt(1, 9, 30);
    EXPECT_FALSE(HasFile("timelog.csv"));
    EXPECT_EQ(1, current_task);
    SetTaskName(1, "A renamed"); // the log keeps the name the task started with
    SwitchAt(2, 10, 0);
    SwitchAt(2, 10, 30, 15); // the running task again: it ends and starts anew
    dialogOpen = 1;
    SwitchAt(1, 11, 0);
    dialogOpen = 0;
    SwitchAt(3, 11, 0); // an empty row
    EXPECT_EQ(2, current_task);
    fake.now = At(2026, 12, 5, 12, 0, 0);
    EndRunningPeriod(nullptr); // exit
    EXPECT_EQ("2026/12/05 09:00:00,1:00:00,3600,A\r\n"
              "2026/12/05 10:00:00,0:30:15,1815,B\r\n"
              "2026/12/05 10:30:15,1:29:45,5385,B\r\n",
              Log());
    EXPECT_STREQ("Break", runningTaskName);
}

TEST(TimeLog, ABackdatedSwitchEndsTheTaskAtTheChosenMoment)
{
    struct Case { LocalTime chosen; bool firstSwitch; const char* log; } cases[] = {
        {At(2026, 12, 5, 10, 15, 40), false,
         "2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,0:15:40,940,B\r\n"
         "2026/12/05 10:15:40,0:14:20,860,A\r\n"},
        {At(2026, 4, 31, 10, 15, 40), false, // not on the calendar: now counts
         "2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,0:25:40,1540,B\r\n"
         "2026/12/05 10:25:40,0:04:20,260,A\r\n"},
        {At(2026, 12, 5, 9, 10, 0), true, "2026/12/05 09:00:00,1:30:00,5400,A\r\n"},
    };
    for (const Case& c : cases) {
        StartWithTasks();
        if (!c.firstSwitch) {
            SwitchAt(1, 9, 30);
            SwitchAt(2, 10, 0);
        }
        backdatedTime = c.chosen;
        useBackdatedTime = 1;
        SwitchAt(1, 10, 25, 40);
        EXPECT_EQ(0, useBackdatedTime);
        SwitchAt(2, 10, 30);
        EXPECT_EQ(c.log, Log());
    }
}

TEST(TimeLog, LinesTheLogRefusesAreHeldAndWrittenInOrderLater)
{
    StartWithTasks();
    PutFile("timelog.csv", "earlier");
    SwitchAt(1, 9, 30);
    fake.files["timelog.csv"].locked = true;
    SwitchAt(2, 10, 0);
    fake.files["timelog.csv"].locked = false;
    fake.files["timelog.csv"].failWrites = true;
    SwitchAt(1, 10, 30);
    EXPECT_EQ(2, (int)fake.messages.size());
    EXPECT_EQ("timelog.csv file open error.", fake.messages[0].text);
    EXPECT_EQ("timelog.csv file write error.", fake.messages[1].text);
    EXPECT_EQ("OPEN ERROR", fake.messages[1].title);
    EXPECT_EQ("earlier", Log()); // nothing partial
    EXPECT_EQ(1, current_task); // the strip still follows the switches
    fake.files["timelog.csv"].failWrites = false;
    SwitchAt(2, 11, 0);
    EXPECT_EQ("earlier2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,0:30:00,1800,B\r\n"
              "2026/12/05 10:30:00,0:30:00,1800,A\r\n",
              Log());
}

TEST(TimeLog, AtTheRunsEndHeldLinesGoToTheUnsavedLogOrAreShown)
{
    struct Case { bool unsavedWritable; int lines; bool ending; const char* title; } cases[] = {
        {true, 3, false, "OPEN ERROR|Warning"}, {false, 3, false, "OPEN ERROR|OPEN ERROR"},
        {false, 100, false, "OPEN ERROR|OPEN ERROR"}, {false, 3, true, ""},
    };
    for (const Case& c : cases) {
        StartWithTasks();
        SwitchAt(1, 9, 0);
        fake.files["timelog.csv"].locked = true;
        if (!c.unsavedWritable)
            fake.files["timelog-unsaved.csv"].failWrites = true;
        for (int i = 0; i < c.lines - 1; ++i)
            SwitchAt(1 + i % 2, 10 + i / 60, i % 60);
        TakeTitles();
        sessionEnding = c.ending;
        EndRunningPeriod(nullptr); // its own line the last held
        if (c.unsavedWritable) {
            EXPECT_EQ(0u, FileText("timelog-unsaved.csv").find("2026/12/05 09:00:00,1:00:00,3600,A\r\n"));
        }
        if (!c.unsavedWritable && !c.ending) {
            // Every line is either shown or counted.
            const std::string& text = fake.messages.back().text;
            size_t shown = 0, more = 0, tail = text.find("\r\n... and ");
            for (size_t at = 0; (at = text.find("\n2026/", at) + 1) != 0;)
                ++shown;
            if (tail != std::string::npos)
                more = std::stoul(text.substr(tail + 10));
            EXPECT_EQ(size_t(c.lines), shown + more);
            EXPECT_EQ(c.lines > 50, tail != std::string::npos);
            EXPECT_EQ(c.lines > 50, text.size() > 2048); // the box filled before lines are counted
            EXPECT_LE(text.size(), 2048u + 200);
        }
        EXPECT_EQ(c.title, TakeTitles());
    }
}

TEST(TimeLog, TheTrayTipTellsTheRunningTaskAndHowLongItHasRun)
{
    struct Case { int codePage; std::string name; LocalTime now; std::string tip; } cases[] = {
        {1252, "Coding", At(2026, 12, 5, 10, 5, 9, 999), "Coding 1:05:09"},
        {1252, "Break", At(2026, 12, 6, 12, 0, 0), "Break 27:00:00"},
        {1252, std::string(200, 'x'), At(2026, 12, 5, 9, 0, 1), std::string(127 - 8, 'x') + " 0:00:01"},
        {932, std::string(200, '\x82'), At(2026, 12, 5, 9, 0, 1), std::string(118, '\x82') + " 0:00:01"},
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        fake.codePage = c.codePage;
        SetTaskName(0, c.name.c_str());
        StartRunningTask();
        char tip[128];
        EXPECT_EQ(c.tip.size(), FormatRunningTip(tip, sizeof tip, c.now));
        EXPECT_EQ(c.tip, tip);
    }
}

} // namespace
