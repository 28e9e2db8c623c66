// The notices that tell the user left and came back: lock and unlock of the session, and the
// user's presence (Windows 8 and later). Both are asked for once, after the first paint, where
// the system offers them, and given up at shutdown.
#pragma once
#include <windows.h>

void WatchUserAway(HWND window);
void StopWatchingUserAway(HWND window);
// The presence state a WM_POWERBROADCAST / PBT_POWERSETTINGCHANGE notice carries, or -1 when
// it is a notice of another setting.
int PresenceInNotice(LPARAM lParam);
