#include <gtest/gtest.h>

#include <string>

#include "base/shell_state.h"
#include "fake_system.h"
#include "tasks/away_time.h"
#include "tasks/running_period.h"
#include "tasks/task_switch.h"

namespace {

TEST(AwayTime, ALongAbsenceMayBeLoggedAsTheBreakTask)
{
    // runningRow 0: the break task; -1: no switch since start-up.
    struct Case { int awaySeconds, runningRow, dialog, answer; bool asked; const char* log; } cases[] = {
        {3600, 1, 0, ANSWER_YES, true,
         "2026/12/05 09:00:00,9:00:00,32400,A\r\n2026/12/05 18:00:00,1:00:00,3600,Break\r\n"},
        {60, 1, 0, ANSWER_YES, true,
         "2026/12/05 09:00:00,9:00:00,32400,A\r\n2026/12/05 18:00:00,0:01:00,60,Break\r\n"},
        {3600, 1, 0, 7, true, ""}, /* No */ {59, 1, 0, ANSWER_YES, false, ""},
        {3600, 0, 0, ANSWER_YES, false, ""}, {3600, -1, 0, ANSWER_YES, false, ""},
        {3600, 1, 1, ANSWER_YES, false, ""},
    };
    for (const Case& c : cases) {
        StartWithTasks();
        selectedRow = c.runningRow < 0 ? 0 : c.runningRow;
        if (c.runningRow >= 0)
            SwitchToSelectedTask(nullptr); // the first switch: counts from 09:00
        fake.answer = c.answer;
        LocalTime left = At(2026, 12, 5, 18, 0, 0);
        LocalTime back =
            At(2026, 12, 5, 18 + c.awaySeconds / 3600, c.awaySeconds / 60 % 60, c.awaySeconds % 60);
        NoteUserLeft(left);
        NoteUserLeft(At(2026, 12, 5, 18, 0, 30)); // a lock after the suspend: the first counts
        NoteUserBack(back);
        NoteUserBack(At(2026, 12, 5, 20, 0, 0)); // the second notice of the same return
        dialogOpen = c.dialog;
        AskAboutTimeAway(nullptr);
        AskAboutTimeAway(nullptr); // asked once only
        EXPECT_EQ(c.asked ? 1u : 0u, fake.messages.size());
        if (c.asked) {
            EXPECT_EQ("Away from 18:00:00 to " + std::string(c.awaySeconds == 60 ? "18:01:00" : "19:00:00") +
                          ".\r\nLog this time as Break?",
                      fake.messages.at(0).text);
            EXPECT_EQ("Away", fake.messages.at(0).title);
            EXPECT_EQ(unsigned(MESSAGE_QUESTION), fake.messages.at(0).kind);
            EXPECT_EQ(1, fake.messages.at(0).dialogOpen);
        }
        EXPECT_EQ(c.log, FileText("timelog.csv"));
        EXPECT_EQ(c.dialog, dialogOpen);
        if (c.log[0] != '\0') { // the running task goes on from the return
            EXPECT_STREQ("A", runningTaskName);
            EXPECT_EQ(back.wMinute, runningTaskStart.wMinute);
            EXPECT_EQ(back.wHour, runningTaskStart.wHour);
        }
    }
}

TEST(AwayTime, PresenceNoticesTellALeaveAtTheLastInputAndAReturnAfterTheFirstNotice)
{
    // The user left at their last input, never before the running task started (09:30).
    // The question names the break task whole, however long its name.
    struct Case { unsigned long idleMs; const char* left; std::string breakName; } cases[] = {
        {0, "12:00:00", "Break"}, {300000, "11:55:00", std::string(2047, 'b')},
        {90000500, "09:30:00", "B"},
    };
    for (const Case& c : cases) {
        StartWithTasks();
        SetTaskName(0, c.breakName.c_str());
        SwitchAt(1, 9, 0);
        SwitchAt(1, 9, 30); // A from 09:30
        LocalTime noon = At(2026, 12, 5, 12, 0, 0);
        EXPECT_EQ(0, NotePresence(PRESENCE_INACTIVE, noon, 0)); // the state as it was: no leave
        EXPECT_EQ(0, UserIsAway());
        EXPECT_EQ(0, NotePresence(PRESENCE_PRESENT, noon, 0));
        EXPECT_EQ(0, NotePresence(PRESENCE_INACTIVE, noon, c.idleMs));
        EXPECT_EQ(1, UserIsAway());
        EXPECT_EQ(1, NotePresence(PRESENCE_PRESENT, At(2026, 12, 5, 13, 0, 0), 0));
        AskAboutTimeAway(nullptr);
        EXPECT_EQ("Away from " + std::string(c.left) + " to 13:00:00.\r\nLog this time as " +
                      c.breakName + "?",
                  fake.messages.at(0).text);
        EXPECT_EQ(0, UserIsAway());
    }
}

TEST(AwayTime, TheBoxsAbsenceIsTheOneLoggedAndASwitchEndsOneAndAsksFirst)
{
    StartWithTasks();
    SwitchAt(1, 9, 0); // A from 09:00
    auto at = [](int hour, int minute) { return At(2026, 12, 5, hour, minute, 0); };
    NoteUserLeft(at(10, 0));
    NoteUserBack(at(10, 5));
    // Away and back again while the box is up: a second absence, asked after the first.
    fake.insideBox = [&] { NoteUserLeft(at(10, 6)); NoteUserBack(at(10, 8)); return ANSWER_YES; };
    AskAboutTimeAway(nullptr);
    EXPECT_EQ(1, AwayQuestionWaits());
    fake.answer = ANSWER_YES;
    AskAboutTimeAway(nullptr);
    // A switch while away ends the absence; a return before it goes back to the task.
    NoteUserLeft(at(11, 0));
    SwitchAt(2, 11, 5);
    NoteUserLeft(at(12, 0));
    NoteUserBack(at(12, 10));
    SwitchAt(1, 12, 20);
    std::string texts;
    for (const ShownMessage& m : fake.messages)
        texts += m.text.substr(10, 20) + "|";
    EXPECT_EQ("10:00:00 to 10:05:00|10:06:00 to 10:08:00|11:00:00 to 11:05:00|12:00:00 to 12:10:00|",
              texts);
    EXPECT_EQ("2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,0:05:00,300,Break\r\n"
              "2026/12/05 10:05:00,0:01:00,60,A\r\n2026/12/05 10:06:00,0:02:00,120,Break\r\n"
              "2026/12/05 10:08:00,0:52:00,3120,A\r\n2026/12/05 11:00:00,0:05:00,300,Break\r\n"
              "2026/12/05 11:05:00,0:55:00,3300,B\r\n2026/12/05 12:00:00,0:10:00,600,Break\r\n"
              "2026/12/05 12:10:00,0:10:00,600,B\r\n",
              FileText("timelog.csv"));
    EXPECT_STREQ("A", runningTaskName);
}

} // namespace
