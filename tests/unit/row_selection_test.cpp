#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_system.h"
#include "tasks/row_selection.h"
#include "tasks/task_table.h"

namespace {

TEST(RowSelection, KeysMoveTheSelectionWithinTheList)
{
    struct Case { SelectionMove move; int row, last, after; } cases[] = {
        {SELECT_UP, 3, 5, 2}, {SELECT_UP, 0, 5, 0}, {SELECT_DOWN, 2, 5, 3}, {SELECT_DOWN, 5, 5, 5},
        {SELECT_PAGE_DOWN, 2, 30, 12}, {SELECT_PAGE_DOWN, 25, 30, 30}, {SELECT_PAGE_UP, 12, 30, 2},
        {SELECT_PAGE_UP, 5, 30, 0}, {SELECT_FIRST, 4, 49, 0}, {SELECT_LAST, 0, 49, 49},
        {SELECT_UP, 9, 5, 4}, // a row the list no longer shows: from its last row
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.after, RowAfterMove(c.move, c.row, c.last)) << c.move << " from " << c.row;
}

using Names = std::vector<std::string>;

TEST(RowSelection, ATypedCharacterGoesToTheNextNameStartingWithItWithoutCaseAndWrapping)
{
    const Names west = {"Break", "mail", "Meeting", "", "review", "Plan", "Mango"};
    // Full-width A, the katakana "a" (its second byte an ASCII "A"), a full-width a, an A.
    const Names japan = {"Break", "\x82\x60x", "\x83\x41", "\x82\x81y", "A"};
    struct Case { int codePage; const Names& names; int row; std::string keys; int after; } cases[] = {
        {1252, west, 0, "M", 1}, {1252, west, 1, "m", 2}, {1252, west, 2, "m", 6},
        {1252, west, 6, "M", 1}, {1252, west, 1, "b", 0}, {1252, west, 1, "x", 1},
        {1252, west, 9, "r", 4}, {1252, west, 0, "mm", 2},
        {1252, west, 2, std::string(1, '\0'), 2}, // never an empty slot
        {932, japan, 0, "\x82\x81", 1}, {932, japan, 1, "\x82\x60", 3}, {932, japan, 0, "A", 4},
        {932, japan, 0, "\x83\x41", 2},
    };
    for (const Case& c : cases) {
        ResetFakeSystem();
        fake.codePage = c.codePage;
        for (size_t i = 0; i < c.names.size(); ++i)
            SetTaskName(static_cast<int>(i), c.names[i].c_str());
        int row = c.row, last = static_cast<int>(c.names.size()) - 1;
        for (char key : c.keys)
            row = RowAfterTypedByte(static_cast<unsigned char>(key), row, last);
        EXPECT_EQ(c.after, row) << c.codePage << " " << c.keys;
    }
}

} // namespace
