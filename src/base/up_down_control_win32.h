// Up-down controls of the dialogs' number fields; COMCTL32 is loaded on first use.
#pragma once
#include <windows.h>

void PrepareUpDownControls();
HWND MakeUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                       HINSTANCE instance, HWND buddy, int upper, int lower, int position);
