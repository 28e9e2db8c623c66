// The strip and the open list as screen readers read them (MSAA), and what they are told.
#pragma once
#include <windows.h>

// WM_GETOBJECT: the window's client object for OBJID_CLIENT, the system's answer otherwise.
LRESULT AnswerAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam);
// After a switch: the strip's name has changed.
void AnnounceStripName(HWND window);
// After the selection moved in the open list: the row selected, and focused when the list
// has the keyboard.
void AnnounceSelectedRow(HWND window);
