#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_system.h"
#include "tasks/task_table.h"

namespace {

using Names = std::vector<std::string>;

// Slots 1.. from `names` ("" empty), the rest empty.
void FillFrom(const Names& names)
{
    ResetFakeSystem();
    SetTaskName(0, "Break");
    for (size_t i = 0; i < names.size(); ++i)
        SetTaskName(static_cast<int>(i) + 1, names[i].c_str());
}

Names Slots(size_t count)
{
    Names names;
    for (size_t i = 1; i <= count; ++i)
        names.push_back(TaskTable[i]);
    return names;
}

TEST(TaskTable, SortOrdersNamesAsTheSystemDoesAndTheRunningTaskFollows)
{
    struct Case { Names names; int running; Names sorted; int runningAfter; } cases[] = {
        {{"b", "", "a", "B"}, 4, {"a", "b", "B", ""}, 3},
        {{"9", "_x", "10", "a", "A"}, 1, {"_x", "10", "9", "a", "A"}, 3},
        {{"Zeta", "alpha", "Beta"}, 0, {"alpha", "Beta", "Zeta"}, 0},
        {{"", "", "c"}, 3, {"c", "", ""}, 1},
        {{"x", "x", "a"}, 2, {"a", "x", "x"}, 3},
        {{"x\x01X", "x\x01x"}, 0, {"x\x01x", "x\x01X"}, 0}, // case decides past a control byte
        {{"ab", "a"}, 0, {"a", "ab"}, 0},
        {{"ab", "a", "abc"}, 1, {"a", "ab", "abc"}, 2},
        {{"0", ":"}, 0, {":", "0"}, 0},
        {{"B", "b", "B"}, 3, {"b", "B", "B"}, 3},
    };
    for (const Case& c : cases) {
        FillFrom(c.names);
        current_task = c.running;
        selectedRow = 7;
        SortTasks();
        EXPECT_EQ(c.sorted, Slots(c.names.size()));
        EXPECT_EQ(c.runningAfter, current_task);
        EXPECT_STREQ("Break", TaskTable[0]);
        EXPECT_EQ(7, selectedRow);
    }
    std::vector<std::string> lastOnly(49, "");
    lastOnly[48] = "z";
    FillFrom(lastOnly);
    current_task = 49;
    SortTasks();
    EXPECT_STREQ("z", TaskTable[1]);
    EXPECT_EQ(1, current_task);
}

TEST(TaskTable, DeleteClosesTheGapUpToTheLastRowAndTheRunningTaskFollows)
{
    struct Case { int row, running, last; DeleteRowOutcome outcome; Names after; int runningAfter; } cases[] = {
        {3, 7, 8, DELETE_DONE, {"1", "2", "4", "5", "6", "7", "", "", "9"}, 6},
        {7, 3, 8, DELETE_DONE, {"1", "2", "3", "4", "5", "6", "", "", "9"}, 3},
        {8, 3, 8, DELETE_DONE, {"1", "2", "3", "4", "5", "6", "7", "", "9"}, 3},
        {9, 3, 8, DELETE_DONE, {"1", "2", "3", "4", "5", "6", "7", "", "9"}, 3}, // past lastRow
        {0, 3, 8, DELETE_NOT_ALLOWED, {"1", "2", "3", "4", "5", "6", "7", "", "9"}, 3},
        {3, 3, 8, DELETE_RUNNING_TASK, {"1", "2", "3", "4", "5", "6", "7", "", "9"}, 3},
        {50, 3, 8, DELETE_NOT_ALLOWED, {"1", "2", "3", "4", "5", "6", "7", "", "9"}, 3},
    };
    for (const Case& c : cases) {
        FillFrom({"1", "2", "3", "4", "5", "6", "7", "", "9"});
        current_task = c.running;
        lastRow = c.last;
        selectedRow = c.row;
        TakeTitles();
        EXPECT_EQ(c.outcome, DeleteSelectedTask(nullptr));
        EXPECT_EQ(c.outcome == DELETE_RUNNING_TASK ? "Warning" : "", TakeTitles());
        EXPECT_EQ(c.after, Slots(9));
        EXPECT_EQ(c.runningAfter, current_task);
    }
    std::vector<std::string> full(49, "n");
    full[48] = "last";
    FillFrom(full);
    lastRow = 49;
    DeleteTaskRow(49);
    EXPECT_STREQ("", TaskTable[49]);
}

} // namespace
