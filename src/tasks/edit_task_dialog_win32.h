// The Edit task command and its dialog.
#pragma once
#include <windows.h>

void RunEditTaskCommand(HWND window);
