#include <gtest/gtest.h>

#include <string>

#include "app/program_run.h"
#include "base/shell_state.h"
#include "fake_system.h"
#include "tasks/away_time.h"
#include "tasks/running_file.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

namespace {

const char kRunning[] = "timelog-running.csv";

// A start at 09:00 with Break, A and B, the running file taken over as at start-up, a
// question about a file left by another run answered with `answer`.
void StartWithFile(const std::string* left = nullptr, int answer = ANSWER_NO)
{
    ResetFakeSystem();
    fake.answer = answer;
    SetTaskName(0, "Break");
    SetTaskName(1, "A");
    SetTaskName(2, "B");
    StartRunningTask();
    if (left != nullptr)
        PutFile(kRunning, *left);
    TakeOverRunningFile(nullptr);
}

void SwitchAt(int row, int hour, int minute)
{
    fake.now = At(2026, 12, 5, hour, minute, 0);
    selectedRow = row;
    SwitchToSelectedTask(nullptr);
}

TEST(RunningFile, HoldsWhatExitWouldLogNowAndGoesWithTheRunsEnd)
{
    StartWithFile();
    EXPECT_EQ("\r\n", FileText(kRunning)); // the first switch would log nothing
    SwitchAt(1, 9, 30);
    EXPECT_EQ("2026/12/05 09:00:00,0:30:00,1800,A\r\n", FileText(kRunning));
    fake.files["timelog.csv"].locked = true;
    SwitchAt(2, 10, 0);
    EXPECT_EQ("2026/12/05 10:00:00,0:00:00,0,B\r\n2026/12/05 09:00:00,1:00:00,3600,A\r\n",
              FileText(kRunning));
    fake.files["timelog.csv"].locked = false;
    EXPECT_EQ(0, RefreshRunningFile(nullptr, At(2026, 12, 5, 10, 1, 0)));
    EXPECT_EQ("2026/12/05 10:00:00,0:00:00,0,B\r\n2026/12/05 09:00:00,1:00:00,3600,A\r\n",
              FileText(kRunning)); // the clock of the fake: the refresh writes "now"
    fake.now = At(2026, 12, 5, 11, 0, 0);
    WriteRunEnd(nullptr);
    EXPECT_FALSE(HasFile(kRunning));
    EXPECT_EQ("2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,1:00:00,3600,B\r\n",
              FileText("timelog.csv"));
    EXPECT_NE(std::string::npos, FileText("setting.ini").find("\r\ncurrent_task=0\r\n"));
    EXPECT_STREQ("Break", runningTaskName); // nothing but the break task runs after a run
    // Lines no file takes stay in it for the next start, and nothing runs any more.
    StartWithFile();
    SwitchAt(1, 9, 30);
    fake.files["timelog.csv"].locked = true;
    fake.files["timelog-unsaved.csv"].failWrites = true;
    WriteRunEnd(nullptr);
    EXPECT_EQ("\r\n2026/12/05 09:00:00,0:30:00,1800,A\r\n", FileText(kRunning));
}

TEST(RunningFile, AFileThatCannotBeWrittenIsToldOnceWhenTimeIsAtStake)
{
    ResetFakeSystem();
    SetTaskName(1, "A");
    PutFile("timelog.csv", "");
    fake.noNewFiles = true; // a folder that takes no new file: the log was there
    TakeOverRunningFile(nullptr);
    EXPECT_EQ("", TakeTitles()); // nothing runs that the log would keep
    SwitchAt(1, 9, 30);
    SwitchAt(1, 10, 0);
    EXPECT_EQ("Warning", TakeTitles());
    EXPECT_FALSE(HasFile(kRunning));
}

TEST(RunningFile, IsRenewedOnlyWhileATaskRunsAndALateRenewalIsTimeAway)
{
    StartWithFile();
    EXPECT_EQ(0, RunningFileWantsRefresh()); // the first-switch state
    SwitchAt(0, 9, 10);
    EXPECT_EQ(0, RunningFileWantsRefresh()); // the break task
    SwitchAt(1, 9, 20);
    EXPECT_EQ(1, RunningFileWantsRefresh());
    fake.now = At(2026, 12, 5, 9, 25, 0);
    EXPECT_EQ(0, RefreshRunningFile(nullptr, fake.now)); // 5 minutes: no gap yet
    fake.now = At(2026, 12, 5, 9, 30, 1);
    EXPECT_EQ(1, RefreshRunningFile(nullptr, fake.now));
    EXPECT_EQ(0, RunningFileWantsRefresh()); // away until the question
    fake.answer = ANSWER_YES;
    AskAboutTimeAway(nullptr);
    EXPECT_EQ("Away from 09:25:00 to 09:30:01.\r\nLog this time as Break?", fake.messages.at(0).text);
    EXPECT_EQ(1, RunningFileWantsRefresh());
    EXPECT_EQ("2026/12/05 09:30:01,0:00:00,0,A\r\n", FileText(kRunning));
}

TEST(RunningFile, ARunThatDidNotEndProperlyIsAskedAboutAndItsHeldLinesLogged)
{
    std::string running = "2026/12/04 16:00:00,1:30:05,5405,Meeting, client\r\n";
    std::string held = "2026/12/04 15:00:00,1:00:00,3600,A\r\n";
    struct Case { std::string left; int answer; std::string log; bool asked, kept; } cases[] = {
        {running + held, ANSWER_YES, held + running, true, false},
        {running + held, ANSWER_NO, held, true, false},
        {"\r\n" + held, ANSWER_YES, held, false, false},
        {running, ANSWER_NO, "", true, false},
        {running + "not a line\r\n", ANSWER_YES, "", false, true},
        {running.substr(0, running.size() - 2), ANSWER_YES, "", false, true}, // cut short
        {"2026/02/30 16:00:00,0:00:05,5,A\r\n", ANSWER_YES, "", false, true},  // no such day
    };
    for (const Case& c : cases) {
        StartWithFile(&c.left, c.answer);
        EXPECT_EQ(c.log, FileText("timelog.csv")) << c.left;
        EXPECT_EQ(!c.log.empty(), HasFile("timelog.csv")) << c.left;
        ASSERT_EQ(c.asked || c.kept ? 1u : 0u, fake.messages.size()) << c.left;
        if (c.asked || c.kept) {
            EXPECT_EQ(c.kept ? "timelog-running.csv holds lines Vornet cannot read, so it was kept as "
                               "timelog-running-kept-1.csv. Its time is not logged."
                             : "Vornet did not end properly.\r\nMeeting, client ran from 2026/12/04 "
                               "16:00:00 until at least 17:30:05.\r\nLog this time?",
                      fake.messages.at(0).text);
            EXPECT_EQ(c.kept ? "Warning" : "Vornet", fake.messages.at(0).title);
        }
        EXPECT_EQ(c.kept, HasFile("timelog-running-kept-1.csv"));
        EXPECT_EQ("\r\n", FileText(kRunning)); // written anew for this run
    }
}

TEST(TimeLogLine, ReadsBackWhatTheTimerWritesAndNothingElse)
{
    struct Case { std::string line; bool read; } cases[] = {
        {"2026/12/05 09:03:07,1:12:33,4353,Coding", true},
        {" 999/01/01 00:00:00,0:00:00,0,x", false}, // before 1601: no moment of the timer
        {"2016/01/01 00:00:00,1621679:59:59,5838047999,a,b", true},
        {"2026/12/05 09:03:07,1:12:33,4354,Coding", false}, // the durations apart
        {"2026/13/05 09:03:07,0:00:00,0,x", false},         {"2026/12/05 24:00:00,0:00:00,0,x", false},
        {"2026/12/05 09:03:07,0:60:00,3600,x", false},      {"2026/12/05 9:03:07,0:00:00,0,x", false},
        {"2026/12/05 09:03:07,0:00:00,0", false},           {"", false},
    };
    for (const Case& c : cases) {
        LocalTime start;
        int64_t seconds = -1;
        size_t nameAt = 0;
        EXPECT_EQ(c.read, ParseTimeLogLine(c.line.data(), c.line.size(), &start, &seconds, &nameAt) == 1)
            << c.line;
        if (c.read) {
            char again[128];
            size_t n = FormatTimeLogLine(again, sizeof again, start, seconds, c.line.c_str() + nameAt);
            EXPECT_EQ(c.line + "\r\n", std::string(again, n));
        }
    }
}

} // namespace
