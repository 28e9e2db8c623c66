// The back buffer, the two fonts, and painting the strip and the list.
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
