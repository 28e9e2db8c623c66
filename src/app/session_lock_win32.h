// Lock and unlock notices, where the system offers them; asked for once, after the first
// paint.
#pragma once
#include <windows.h>

void WatchSessionLocks(HWND window);
void StopWatchingSessionLocks(HWND window);
