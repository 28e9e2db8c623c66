#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_system.h"
#include "tasks/task_table.h"

namespace {

class TaskTableTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFakeSystem(); }

    void Fill(const std::vector<std::string>& names)
    {
        for (size_t i = 0; i < names.size(); ++i)
            SetTaskName(static_cast<int>(i), names[i].c_str());
    }
    std::vector<std::string> Slots(int count)
    {
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i)
            out.push_back(TaskTable[i]);
        return out;
    }
};

TEST_F(TaskTableTest, NamesCompareInWordOrder)
{
    // The order lstrcmpA gives: punctuation, digits char by char, then letters with lower
    // case before upper case of the same letter.
    const char* ordered[] = {"_x", "10", "9", "a", "A", "ab", "Ab", "b", "B", "Break"};
    for (size_t i = 0; i + 1 < sizeof ordered / sizeof *ordered; ++i) {
        EXPECT_LT(CompareTaskNames(ordered[i], ordered[i + 1]), 0) << ordered[i] << " < " << ordered[i + 1];
        EXPECT_GT(CompareTaskNames(ordered[i + 1], ordered[i]), 0) << ordered[i + 1] << " > " << ordered[i];
    }
    EXPECT_EQ(0, CompareTaskNames("Same", "Same"));
}

TEST_F(TaskTableTest, SortPutsNamesInOrderAndEmptySlotsLast)
{
    Fill({"Break", "b", "", "a", "B"});
    selectedRow = 3;
    SortTasks();
    EXPECT_EQ((std::vector<std::string>{"Break", "a", "b", "B", "", ""}), Slots(6));
    EXPECT_EQ(3, selectedRow);
}

TEST_F(TaskTableTest, SortGathersGapsAtTheBottom)
{
    Fill({"Break", "", "z", "", "", "m", "", "a"});
    SortTasks();
    EXPECT_EQ((std::vector<std::string>{"Break", "a", "m", "z", "", "", "", ""}), Slots(8));
    for (int i = 4; i < TASK_SLOTS; ++i)
        EXPECT_STREQ("", TaskTable[i]);
}

TEST_F(TaskTableTest, SortMovesCurrentTaskWithItsName)
{
    struct Case {
        int running;
        int expected;
    } cases[] = {{5, 2}, {0, 0}, {1, 5}, {3, 3}, {-4, -4}, {60, 60}};
    for (const Case& c : cases) {
        ClearTaskTable();
        Fill({"Break", "e", "d", "c", "a", "b"});
        current_task = c.running;
        std::string name = IsSlotIndex(c.running) ? TaskTable[c.running] : "";
        SortTasks();
        EXPECT_EQ(c.expected, current_task) << "running " << c.running;
        if (IsSlotIndex(c.running)) {
            EXPECT_EQ(name, TaskTable[current_task]);
        }
    }
}

TEST_F(TaskTableTest, SortKeepsEqualNamesInTheirOrder)
{
    // Equal names are never exchanged, so the running one of two twins stays where it is.
    Fill({"Break", "x", "Twin", "a", "Twin"});
    current_task = 4;
    SortTasks();
    EXPECT_EQ((std::vector<std::string>{"Break", "a", "Twin", "Twin", "x"}), Slots(5));
    EXPECT_EQ(3, current_task);
}

TEST_F(TaskTableTest, SortLeavesAnOrderedTableAsItWas)
{
    Fill({"Break", "a", "b", "c"});
    current_task = 2;
    SortTasks();
    EXPECT_EQ((std::vector<std::string>{"Break", "a", "b", "c", ""}), Slots(5));
    EXPECT_EQ(2, current_task);
}

TEST_F(TaskTableTest, SortOfAFullTableOrdersAll49)
{
    for (int i = 1; i < TASK_SLOTS; ++i)
        SetTaskName(i, ("t" + std::to_string(100 - i)).c_str());
    current_task = 49;
    SortTasks();
    for (int i = 1; i < LAST_SLOT; ++i)
        EXPECT_LT(CompareTaskNames(TaskTable[i], TaskTable[i + 1]), 0);
    EXPECT_STREQ("t51", TaskTable[current_task]);
    EXPECT_EQ(1, current_task);
}

TEST_F(TaskTableTest, DeleteClosesTheGapAndCurrentTaskFollows)
{
    struct Case {
        int row, running, lastRow;
        DeleteRowOutcome outcome;
        std::vector<std::string> after;
        int runningAfter;
    } cases[] = {
        {3, 7, 9, DELETE_DONE, {"B", "1", "2", "4", "5", "6", "7", "8", "", ""}, 6},
        {7, 3, 9, DELETE_DONE, {"B", "1", "2", "3", "4", "5", "6", "8", "", ""}, 3},
        {9, 3, 9, DELETE_DONE, {"B", "1", "2", "3", "4", "5", "6", "7", "8", ""}, 3},
        {0, 3, 9, DELETE_NOT_ALLOWED, {"B", "1", "2", "3", "4", "5", "6", "7", "8", ""}, 3},
        {3, 3, 9, DELETE_RUNNING_TASK, {"B", "1", "2", "3", "4", "5", "6", "7", "8", ""}, 3},
        {12, 3, 9, DELETE_DONE, {"B", "1", "2", "3", "4", "5", "6", "7", "8", ""}, 3},
        // rows after lastRow are neither moved nor emptied
        {2, 0, 4, DELETE_DONE, {"B", "1", "3", "4", "", "5", "6", "7", "8", ""}, 0},
    };
    for (const Case& c : cases) {
        ClearTaskTable();
        Fill({"B", "1", "2", "3", "4", "5", "6", "7", "8"});
        current_task = c.running;
        lastRow = c.lastRow;
        EXPECT_EQ(c.outcome, DeleteTaskRow(c.row)) << "row " << c.row;
        EXPECT_EQ(c.after, Slots(10)) << "row " << c.row;
        EXPECT_EQ(c.runningAfter, current_task) << "row " << c.row;
    }
}

TEST_F(TaskTableTest, DeleteInAFullTableEmptiesSlot49)
{
    for (int i = 0; i < TASK_SLOTS; ++i)
        SetTaskName(i, ("n" + std::to_string(i)).c_str());
    lastRow = 49;
    ASSERT_EQ(DELETE_DONE, DeleteTaskRow(10));
    EXPECT_STREQ("n11", TaskTable[10]);
    EXPECT_STREQ("n49", TaskTable[48]);
    EXPECT_STREQ("", TaskTable[49]);
    ASSERT_EQ(DELETE_DONE, DeleteTaskRow(49));
    EXPECT_STREQ("", TaskTable[49]);
}

TEST_F(TaskTableTest, SetTaskNameKeepsAtMost2047Bytes)
{
    std::string longName(3000, 'q');
    SetTaskName(5, longName.c_str());
    EXPECT_EQ(std::string(2047, 'q'), TaskTable[5]);
    SetTaskName(50, "nowhere");
    SetTaskName(-1, "nowhere");
}

} // namespace
