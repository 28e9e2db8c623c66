// The main window's two ends, the end of a session and a change of the display.
#pragma once
#include <windows.h>

extern HICON appIcon; // shared: class icon, small icon and every tray registration

LRESULT InitMainWindow(HWND window);
LRESULT ShutdownMainWindow(HWND window);
// Windows ends the session and then the process, without WM_DESTROY: everything Exit
// writes is written now, silently.
void EndSession(HWND window);
// A monitor removed, a new resolution: the screen is measured again and the strip put on it.
void FollowDisplayChange(HWND window);
