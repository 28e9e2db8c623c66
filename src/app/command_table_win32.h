// The commands of the menus and the keys.
#pragma once
#include <windows.h>

// Runs command `id` when the shell's flags give it what it needs, and what follows it; any
// other id does nothing.
void RunCommand(HWND window, WORD id);
// 1 when the table has command `id`.
int HasCommandRoute(WORD id);
