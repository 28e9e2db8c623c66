// Up-down controls of the dialogs' number fields; COMCTL32 is loaded on first use.
#pragma once
#include <windows.h>

// The up-down and hotkey controls' classes, before a dialog that has them opens.
void PrepareCommonControls();
HWND MakeUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                       HINSTANCE instance, HWND buddy, int upper, int lower, int position);
