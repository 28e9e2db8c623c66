// The Properties command and its dialog.
#pragma once
#include <windows.h>

void RunPropertiesCommand(HWND window);
