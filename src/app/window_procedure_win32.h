// The main window's procedure and its command table.
#pragma once
#include <windows.h>

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// 1 when the window procedure's command table routes command `id`.
int HasCommandRoute(WORD id);
