// The Delete task command.
#pragma once
#include <windows.h>

void DeleteSelectedTask(HWND window);
