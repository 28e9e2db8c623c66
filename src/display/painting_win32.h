// The back buffer, the two fonts, and painting the strip and the list.
#pragma once
#include <windows.h>

extern HDC backBuffer;
extern HFONT taskFont;
extern HFONT previewFont; // replaced when the scale changes, also while Properties is open

void CreateBackBufferAndFonts(HWND window);
// A screen larger than the one measured at start-up gets a back buffer as large.
void GrowBackBuffer(HWND window);
LRESULT PaintMainWindow(HWND window);
// The whole window painted again from the back buffer, with nothing erased first.
void Repaint(HWND window);
void RecreateTaskFont();
// Both fonts made again at a new windowDpi.
void RecreateFonts();
void ReleaseDrawingResources();
