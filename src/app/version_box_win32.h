// The version box.
#pragma once
#include <windows.h>

void ShowVersionBox(HWND window);
