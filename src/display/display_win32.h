// Drawing resources and window placement of the main window.
#pragma once
#include <windows.h>

extern HDC backBuffer;
extern HFONT taskFont;
extern HFONT previewFont;

void CreateBackBufferAndFonts(HWND window);
// A screen larger than the one measured at start-up gets a back buffer as large.
void GrowBackBuffer(HWND window);
LRESULT PaintMainWindow(HWND window);
void RecreateTaskFont();
void ReleaseDrawingResources();

// The dialog frame that the window region cuts away, read afresh at every use.
void ReadFrameMetrics(int* fx, int* fy);
void FitWindowToTasks();
void ReadWindowOrigin(HWND window);
void PlaceInitialStrip(HWND window);
void CollapseList(HWND window);
void ExpandList(HWND window);
void BringToFront(HWND window);
// Above the other windows, in the band the state asks for, without taking the foreground.
void RaiseWithoutActivating(HWND window);
