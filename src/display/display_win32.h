// Drawing resources and window placement of the main window.
#pragma once
#include <windows.h>

extern HDC backBuffer;
extern HFONT taskFont;
extern HFONT previewFont;

void CreateBackBufferAndFonts(HWND window);
LRESULT PaintMainWindow(HWND window);
void RecreateTaskFont();
void ReleaseDrawingResources();

void FitWindowToTasks();
void ReadWindowOrigin(HWND window);
void PlaceInitialStrip(HWND window);
void CollapseList(HWND window);
void ExpandList(HWND window);
void BringToFront(HWND window);
