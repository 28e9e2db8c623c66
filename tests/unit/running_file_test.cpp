#include <gtest/gtest.h>

#include <string>

#include "app/program_run.h"
#include "base/shell_state.h"
#include "fake_system.h"
#include "tasks/away_time.h"
#include "tasks/run_take_over.h"
#include "tasks/running_period.h"
#include "tasks/task_switch.h"
#include "tasks/task_table.h"

namespace {

const char kRunning[] = "timelog-running.csv";

// A start at 09:00 with Break, A and B, the running file taken over as at start-up, a
// question about a file left by another run answered with `answer`.
TakeOverResult StartWithFile(const std::string* left = nullptr, int answer = ANSWER_NO)
{
    StartWithTasks();
    fake.answer = answer;
    if (left != nullptr)
        PutFile(kRunning, *left);
    return TakeOverRunningFile(nullptr);
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
    fake.now = At(2026, 12, 5, 10, 1, 0);
    EXPECT_EQ(0, RefreshRunningTask(nullptr, fake.now));
    EXPECT_EQ("2026/12/05 10:00:00,0:01:00,60,B\r\n2026/12/05 09:00:00,1:00:00,3600,A\r\n",
              FileText(kRunning));
    fake.now = At(2026, 12, 5, 11, 0, 0);
    WriteRunEnd(nullptr);
    EXPECT_FALSE(HasFile(kRunning));
    EXPECT_EQ("2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,1:00:00,3600,B\r\n",
              FileText("timelog.csv"));
    EXPECT_NE(std::string::npos, FileText("setting.ini").find("\r\ncurrent_task=0\r\n"));
    EXPECT_STREQ("Break", runningTaskName); // nothing but the break task runs after a run
    WriteRunEnd(nullptr); // a second end (the session's, inside a box of Exit's) adds nothing
    SwitchAt(1, 11, 30);     // nor a click after it
    EXPECT_EQ("2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,1:00:00,3600,B\r\n",
              FileText("timelog.csv"));
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
    // Held by another program at Exit: told, and harmless, as the next start shows.
    StartWithFile();
    SwitchAt(1, 9, 30);
    fake.files[kRunning].locked = true;
    WriteRunEnd(nullptr);
    ASSERT_EQ(1u, fake.messages.size());
    EXPECT_EQ("timelog-running.csv could not be removed or rewritten (another program may hold "
              "it). It does no harm: the next start finds its task in timelog.csv.",
              fake.messages[0].text);
    std::string log = FileText("timelog.csv"), left = FileText(kRunning);
    fake.answer = ANSWER_YES;
    TakeOverRunningFile(nullptr);
    EXPECT_EQ(1u, fake.messages.size());
    EXPECT_EQ(log, FileText("timelog.csv"));
}

TEST(RunningFile, IsRenewedOnlyWhileATaskRunsAndALateRenewalIsTimeAway)
{
    StartWithFile();
    EXPECT_EQ(0, RefreshWanted()); // the first-switch state
    SwitchAt(0, 9, 10);
    EXPECT_EQ(0, RefreshWanted()); // the break task
    SwitchAt(1, 9, 20);
    EXPECT_EQ(1, RefreshWanted());
    fake.now = At(2026, 12, 5, 9, 25, 0);
    EXPECT_EQ(0, RefreshRunningTask(nullptr, fake.now)); // 5 minutes: no gap yet
    fake.now = At(2026, 12, 5, 9, 30, 1);
    EXPECT_EQ(1, RefreshRunningTask(nullptr, fake.now));
    EXPECT_EQ(0, RefreshWanted()); // away until the question
    fake.answer = ANSWER_YES;
    AskAboutTimeAway(nullptr);
    EXPECT_EQ("Away from 09:25:00 to 09:30:01.\r\nLog this time as Break?", fake.messages.at(0).text);
    EXPECT_EQ(1, RefreshWanted());
    EXPECT_EQ("2026/12/05 09:30:01,0:00:00,0,A\r\n", FileText(kRunning));
}

TEST(TakeOver, LogsWhatARunLeftOnceAndAsksAboutItsTaskUntilAnswered)
{
    const std::string running = "2026/12/04 16:00:00,1:30:05,5405,Meeting, client\r\n";
    const std::string held = "2026/12/04 15:00:00,1:00:00,3600,A\r\n";
    const std::string atExit = "2026/12/04 16:00:00,2:00:00,7200,Meeting, client\r\n";
    const std::string other = "2026/12/04 16:00:00,0:10:00,600,A\r\n"; // the same start only
    const std::string zeros(20000, '\0'); // what a power loss may leave at the log's end
    const std::string heldLate = "2026/12/04 16:45:00,0:01:00,60,B\r\n";
    std::string later; // more than the first look at the log's end: the held line lies before
    while (later.size() < 20000)
        later += "2026/12/04 16:30:00,0:00:01,1,X\r\n";
    struct Case { std::string left, log, unsaved; int answer; std::string logAfter; bool asked; } cases[] = {
        {running + held, "", "", ANSWER_YES, held + running, true},
        {running + held, "", "", ANSWER_NO, held, true},
        {"\r\n" + held, "", "", ANSWER_YES, held, false},
        {running, "", "", ANSWER_NO, "", true},
        {running + held, held, "", ANSWER_YES, held + running, true}, // written before the end
        {running + held, held + atExit, "", ANSWER_YES, held + atExit, false}, // the file stayed
        {running + held, other, held, ANSWER_YES, other + running, true},     // set aside at exit
        {running + held + held, "", "", ANSWER_NO, held, true},
        {running + held, "cut", "", ANSWER_NO, "cut\r\n" + held, true}, // a log ended in a line
        {running + held, "", "", 0, held, true}, // no answer: the session ends
        {running + held, held + zeros, "", ANSWER_NO, held + zeros + "\r\n", true},
        {running + held + heldLate, held + later, "", ANSWER_NO, held + later + heldLate, true},
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        if (!c.log.empty())
            PutFile("timelog.csv", c.log);
        if (!c.unsaved.empty())
            PutFile("timelog-unsaved.csv", c.unsaved);
        PutFile(kRunning, c.left);
        fake.answer = c.answer;
        EXPECT_EQ(TAKE_OVER_DONE, TakeOverRunningFile(nullptr));
        EXPECT_EQ(c.logAfter, FileText("timelog.csv")) << c.left << c.log;
        ASSERT_EQ(c.asked ? 1u : 0u, fake.messages.size()) << c.left << c.log;
        if (c.asked) {
            EXPECT_EQ("Vornet did not end properly.\r\nMeeting, client ran from 2026/12/04 "
                      "16:00:00 until at least 17:30:05.\r\nLog this time?",
                      fake.messages.at(0).text);
        }
        // Written anew for this run once answered; else as the left run wrote it.
        EXPECT_EQ(c.answer != 0 ? "\r\n" : c.left, FileText(kRunning)) << c.left << c.log;
    }
}

TEST(TakeOver, KeepsAsideAFileOfLinesItCannotRead)
{
    const std::string running = "2026/12/04 16:00:00,1:30:05,5405,A\r\n";
    for (std::string left : {running + "not a line\r\n", running.substr(0, running.size() - 2),
                             std::string("2026/02/30 16:00:00,0:00:05,5,A\r\n"), std::string("\r\n\r\n"),
                             std::string("2026/12/04 16:00:00,9999999:00:00,35996400000,A\r\n")}) {
        StartWithFile(&left, ANSWER_YES);
        EXPECT_FALSE(HasFile("timelog.csv")) << left;
        ASSERT_EQ(1u, fake.messages.size()) << left;
        EXPECT_EQ("timelog-running.csv holds lines Vornet cannot read, so it was kept as "
                  "timelog-running-kept-1.csv. Its time is not logged.",
                  fake.messages.at(0).text);
        EXPECT_EQ("Warning", fake.messages.at(0).title);
        EXPECT_EQ(left, FileText("timelog-running-kept-1.csv"));
        EXPECT_EQ("\r\n", FileText(kRunning));
    }
}

TEST(TakeOver, WaitsWhileAFileIsHeldAndSaysSoOnceAfterAMinute)
{
    const std::string left = "2026/12/04 16:00:00,1:30:05,5405,A\r\n";
    for (const char* held : {kRunning, "timelog.csv"}) {
        StartWithTasks();
        PutFile(kRunning, left);
        PutFile("timelog.csv", "");
        fake.files[held].locked = true;
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(TAKE_OVER_LATER, TakeOverRunningFile(nullptr));
        EXPECT_EQ(TAKE_OVER_LATER, TakeOverRunningFile(nullptr));
        SwitchAt(1, 9, 30);
        EXPECT_EQ(left, FileText(kRunning)); // this run keeps no file until then
        EXPECT_EQ("Warning", TakeTitles());
        fake.files[held].locked = false;
        fake.answer = ANSWER_YES;
        EXPECT_EQ(TAKE_OVER_DONE, TakeOverRunningFile(nullptr));
        EXPECT_EQ(left, FileText("timelog.csv"));
        EXPECT_EQ("2026/12/05 09:00:00,0:30:00,1800,A\r\n", FileText(kRunning));
    }
}

} // namespace
