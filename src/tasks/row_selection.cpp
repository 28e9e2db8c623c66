#include "tasks/row_selection.h"

#include <stddef.h>

#include <algorithm>

#include "base/system.h"
#include "tasks/task_table.h"

int RowAfterMove(SelectionMove move, int row, int lastRow)
{
    // Home and End: further than any list is long.
    const int steps[] = {-1, 1, -PAGE_ROWS, PAGE_ROWS, -TASK_SLOTS, TASK_SLOTS};
    return std::clamp(std::min(row, lastRow) + steps[move], 0, lastRow);
}

static int StartsWith(const char* name, const char* character, size_t length)
{
    size_t first = IsLeadByte(static_cast<unsigned char>(name[0])) ? 2 : 1;
    return name[0] != '\0' && first == length && SameCharacterIgnoringCase(name, character, length);
}

int RowAfterTypedByte(unsigned char byte, int row, int lastRow)
{
    static unsigned char lead; // the first byte of a two-byte character being typed
    if (lead == 0 && IsLeadByte(byte)) {
        lead = byte;
        return row;
    }
    const char character[2] = {static_cast<char>(lead != 0 ? lead : byte), static_cast<char>(byte)};
    size_t length = lead != 0 ? 2 : 1;
    lead = 0;
    row = std::min(row, lastRow);
    for (int step = 1; step <= lastRow; ++step) {
        int candidate = (row + step) % (lastRow + 1);
        if (StartsWith(TaskTable[candidate], character, length))
            return candidate;
    }
    return row;
}
