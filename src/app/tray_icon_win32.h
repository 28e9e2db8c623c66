// The notification-area icon and the context menus it and the window open.
#pragma once
#include <windows.h>

BOOL AddTrayIcon(HWND window, UINT id, HICON icon, const char* tip);
const char* CurrentTrayTip(); // what the icon shows, for its re-registration
void RemoveTrayIcon();
void HandleTrayCallback(HWND window, LPARAM lParam);
int ShowContextMenu(HWND window);
