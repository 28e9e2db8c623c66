#include "tasks/row_selection.h"

#include <algorithm>

#include "base/system.h"
#include "tasks/task_table.h"

int RowAfterMove(SelectionMove move, int row, int lastRow)
{
    // Home and End: further than any list is long.
    const int steps[] = {-1, 1, -PAGE_ROWS, PAGE_ROWS, -TASK_SLOTS, TASK_SLOTS};
    return std::clamp(std::min(row, lastRow) + steps[move], 0, lastRow);
}

static unsigned char waitingLead; // the first byte of a two-byte character typed

size_t TakeTypedByte(unsigned char byte, char character[2])
{
    if (waitingLead != 0) {
        character[0] = static_cast<char>(waitingLead);
        character[1] = static_cast<char>(byte);
        waitingLead = 0;
        return 2;
    }
    if (IsLeadByte(byte)) {
        waitingLead = byte;
        return 0;
    }
    character[0] = static_cast<char>(byte);
    return byte > ' ' && byte != 0x7F ? 1 : 0;
}

static int StartsWith(const char* name, const char* character, size_t length)
{
    size_t first = IsLeadByte(static_cast<unsigned char>(name[0])) ? 2 : 1;
    return name[0] != '\0' && first == length && SameCharacterIgnoringCase(name, character, length);
}

int RowStartingWith(const char* character, size_t length, int row, int lastRow)
{
    row = std::min(row, lastRow);
    for (int step = 1; step <= lastRow + 1; ++step) {
        int candidate = (row + step) % (lastRow + 1);
        if (StartsWith(TaskTable[candidate], character, length))
            return candidate;
    }
    return row;
}
