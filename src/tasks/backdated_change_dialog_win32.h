// The "Change task with a time back" command and its dialog.
#pragma once
#include <windows.h>

void RunBackdatedChangeCommand(HWND window);
