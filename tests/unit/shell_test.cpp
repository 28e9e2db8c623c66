#include <gtest/gtest.h>

#include <string>

#include "app/command_rule.h"
#include "app/program_run.h"
#include "app/startup_shortcut.h"
#include "base/shell_state.h"
#include "fake_system.h"
#include "settings/settings_file.h"
#include "tasks/away_time.h"
#include "tasks/task_table.h"
#include "tasks/running_period.h"

namespace {

TEST(Commands, RunOnlyWithTheDialogClosedOrTheListOpenWhereTheyNeedIt)
{
    struct Case { int needs, dialogOpen, listOpen, runs; } cases[] = {
        {NEEDS_NOTHING, 1, 0, 1},   {NEEDS_NO_DIALOG, 0, 0, 1},   {NEEDS_NO_DIALOG, 1, 1, 0},
        {NEEDS_OPEN_LIST, 1, 1, 1}, {NEEDS_OPEN_LIST, 0, 0, 0},
        {NEEDS_NO_DIALOG | NEEDS_OPEN_LIST, 0, 1, 1}, {NEEDS_NO_DIALOG | NEEDS_OPEN_LIST, 1, 1, 0},
        {NEEDS_NO_DIALOG | NEEDS_OPEN_LIST, 0, 0, 0},
    };
    for (const Case& c : cases) {
        dialogOpen = c.dialogOpen;
        listOpen = c.listOpen;
        EXPECT_EQ(c.runs, CommandMayRun(c.needs)) << c.needs << c.dialogOpen << c.listOpen;
    }
    dialogOpen = listOpen = 0;
}

TEST(Messages, EveryBoxCountsAsAModalDialogAndWhatASessionEndHidesIsToldAtTheNextStart)
{
    ResetFakeSystem();
    for (int open : {0, 1}) {
        dialogOpen = open;
        TellUser(nullptr, "text", "Warning", MESSAGE_WARNING);
        EXPECT_EQ(1, fake.messages.back().dialogOpen);
        EXPECT_EQ(open, dialogOpen);
    }
    KeepUntoldNotices();
    EXPECT_FALSE(HasFile("vornet-notices.txt")); // nothing untold
    fake.answer = ANSWER_YES;
    sessionEnding = 1;
    EXPECT_EQ(0, TellUser(nullptr, "asked?", "Away", MESSAGE_QUESTION)); // no answer, no notice
    TellUser(nullptr, "One.", "Warning", MESSAGE_WARNING);
    TellUser(nullptr, "Two.", "OPEN ERROR", MESSAGE_ERROR);
    EXPECT_EQ(2u, fake.messages.size());
    KeepUntoldNotices();
    for (int button : {2, 1, 0}) { // closed by a session end, then read, then gone
        ResetProgramState();
        fake.insideBox = [button] { return button; };
        TellUntoldNotices(nullptr);
    }
    ASSERT_EQ(4u, fake.messages.size());
    EXPECT_EQ("When Windows ended the last session, Vornet could not tell you:\r\n\r\nOne.\r\n\r\n"
              "Two.",
              fake.messages[3].text);
    EXPECT_EQ("Warning", fake.messages[3].title);
    EXPECT_FALSE(HasFile("vornet-notices.txt"));
    PutFile("vornet-notices.txt", "");
    TellUntoldNotices(nullptr);
    EXPECT_EQ(4u, fake.messages.size()); // nothing to tell
    const std::string last(4000, 'b'); // of many, the latest whole lines, whole
    PutFile("vornet-notices.txt", std::string(200, 'a') + "\r\n" + last + "\r\n");
    TellUntoldNotices(nullptr);
    EXPECT_TRUE("When Windows ended the last session, Vornet could not tell you:\r\n\r\n" + last ==
                fake.messages.at(4).text);
}

TEST(RunStart, ForgetsEverythingTheLastRunLeftInMemory)
{
    ResetFakeSystem();
    dialogOpen = listOpen = sessionEnding = useBackdatedTime = 1;
    selectedRow = current_task = lastRow = 7;
    firstSwitchPending = 0;
    SetTaskName(3, "left");
    NoteUserLeft(fake.now);
    ResetProgramState();
    EXPECT_EQ(0, dialogOpen + listOpen + sessionEnding + useBackdatedTime + selectedRow + current_task);
    EXPECT_EQ(1, firstSwitchPending);
    EXPECT_EQ(1, lastRow);
    EXPECT_STREQ("", TaskTable[3]);
    EXPECT_EQ(0, UserIsAway());
    EXPECT_EQ(960, Settings.winX); // the middle of the screen
}

TEST(StartWithWindows, IsOurShortcutAloneAndATogglePutsItOrTakesItAway)
{
    const FakeShortcut ours = {"c:\\VORNET\\vornet.exe", "c:\\zEIT"}; // names compare without case
    const FakeShortcut theirs = {"C:\\Vornet\\Vornet.exe", "D:\\Elsewhere"};
    typedef std::map<std::string, FakeShortcut> Folder;
    struct Case { Folder before; bool refuses; int checked; Folder after; bool warned; } cases[] = {
        {{}, false, 0, {{"Vornet.lnk", {"C:\\Vornet\\Vornet.exe", "C:\\Zeit"}}}, false},
        {{{"Vornet.lnk", ours}}, false, 1, {}, false},
        {{{"Vornet.lnk", theirs}}, false, 0,
         {{"Vornet.lnk", theirs}, {"Vornet (2).lnk", {"C:\\Vornet\\Vornet.exe", "C:\\Zeit"}}}, false},
        {{{"Vornet.lnk", theirs}, {"Vornet (2).lnk", ours}}, false, 1, {{"Vornet.lnk", theirs}}, false},
        {{}, true, 0, {}, true},
        {{{"Vornet.lnk", ours}}, true, 1, {{"Vornet.lnk", ours}}, true},
        {{{"Vornet (9).lnk", theirs}}, false, 0,
         {{"Vornet (9).lnk", theirs}, {"Vornet.lnk", {"C:\\Vornet\\Vornet.exe", "C:\\Zeit"}}}, false},
    };
    Folder full;
    for (int n = 1; n <= 9; ++n)
        full[n == 1 ? "Vornet.lnk" : "Vornet (" + std::to_string(n) + ").lnk"] = theirs;
    Folder eight = full, nine = full;
    eight.erase("Vornet (9).lnk");
    nine["Vornet (9).lnk"] = {"C:\\Vornet\\Vornet.exe", "C:\\Zeit"};
    for (const Case& c : {cases[0], cases[1], cases[2], cases[3], cases[4], cases[5], cases[6],
                          Case{full, false, 0, full, true}, Case{eight, false, 0, nine, false}}) {
        ResetFakeSystem();
        fake.startup = c.before;
        fake.startupRefuses = c.refuses;
        EXPECT_EQ(c.checked, StartsWithWindows());
        ToggleStartWithWindows(nullptr);
        EXPECT_EQ(c.after.size(), fake.startup.size());
        for (const auto& shortcut : c.after) {
            EXPECT_EQ(shortcut.second.program, fake.startup[shortcut.first].program) << shortcut.first;
            EXPECT_EQ(shortcut.second.folder, fake.startup[shortcut.first].folder) << shortcut.first;
        }
        EXPECT_EQ(c.warned ? "Warning" : "", TakeTitles());
        EXPECT_EQ(c.warned ? c.checked : !c.checked, StartsWithWindows()); // the new state
    }
}

} // namespace
