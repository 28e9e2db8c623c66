// The Edit task dialog: rename, add or empty the selected row.
#pragma once
#include <windows.h>

// Runs the dialog over `owner`; OK stores the name typed (at most 1023 bytes) in the slot.
void RunEditTaskDialog(HWND owner);
