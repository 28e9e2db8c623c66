// The scale of the monitor the window is on, and the dialog frame at that scale.
#pragma once
#include <windows.h>

// Pixels per inch of the window's monitor: GetDpiForWindow on Windows 10, GetDpiForMonitor
// on 8.1, the screen's LOGPIXELSY on 7, each looked up while the program runs.
int ReadWindowDpi(HWND window);
// The dialog frame that the window region cuts away, at windowDpi, read afresh at every use.
void ReadFrameMetrics(int* fx, int* fy);
