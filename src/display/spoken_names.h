// What a screen reader hears of the strip and of the open list's rows.
#pragma once

// The running task, or "Vornet" before the first switch: until then no task runs.
const char* StripSpokenName();
// The name in slot `row`, or "empty" for an empty slot.
const char* RowSpokenName(int row);
