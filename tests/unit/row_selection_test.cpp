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
        {SELECT_PAGE_DOWN, 2, 30, 12}, {SELECT_PAGE_DOWN, 25, 30, 30},
        {SELECT_PAGE_UP, 12, 30, 2}, {SELECT_PAGE_UP, 5, 30, 0},
        {SELECT_FIRST, 4, 49, 0}, {SELECT_LAST, 0, 49, 49},
        {SELECT_UP, 9, 5, 4}, // a row the list no longer shows: from its last row
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.after, RowAfterMove(c.move, c.row, c.last)) << c.move << " from " << c.row;
}

// Types `keys` byte by byte from `row` over the names, as the list's keys do.
int Typed(int codePage, const std::vector<std::string>& names, int row, const std::string& keys)
{
    ResetFakeSystem();
    fake.codePage = codePage;
    for (size_t i = 0; i < names.size(); ++i)
        SetTaskName(static_cast<int>(i), names[i].c_str());
    char character[2];
    for (char key : keys) {
        size_t length = TakeTypedByte(static_cast<unsigned char>(key), character);
        if (length > 0)
            row = RowStartingWith(character, length, row, static_cast<int>(names.size()) - 1);
    }
    return row;
}

TEST(RowSelection, ATypedCharacterGoesToTheNextNameStartingWithItWithoutCaseAndWrapping)
{
    const std::vector<std::string> western = {"Break", "mail", "Meeting", "", "review", "\xC9t\xE9", "Mango"};
    // Full-width A, the katakana "a" (whose second byte is an ASCII "A"), a full-width a.
    const std::vector<std::string> japanese = {"Break", "\x82\x60x", "\x83\x41", "\x82\x81y", "A"};
    struct Case { int codePage; const std::vector<std::string>& names; int row; std::string keys; int after; } cases[] = {
        {1252, western, 0, "M", 1}, {1252, western, 1, "m", 2}, {1252, western, 2, "m", 6},
        {1252, western, 6, "M", 1},  // past the last row: round to the first
        {1252, western, 4, "b", 0}, {1252, western, 4, "r", 4}, {1252, western, 1, "x", 1},
        {1252, western, 9, "r", 4},  // from a row the list no longer shows
        {1252, western, 0, "\xE9", 5}, {1252, western, 0, " \x08", 0}, {1252, western, 0, "mm", 2},
        {932, japanese, 0, "\x82\x81", 1}, {932, japanese, 1, "\x82\x60", 3},
        {932, japanese, 0, "A", 4}, {932, japanese, 0, "\x83\x41", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.after, Typed(c.codePage, c.names, c.row, c.keys)) << c.codePage << " " << c.keys;
}

} // namespace
