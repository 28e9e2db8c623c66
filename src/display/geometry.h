// Window geometry arithmetic: widths, heights, clamps, row bands and the visible region.
#pragma once

struct PixelRect {
    int left, top, right, bottom; // right and bottom exclusive
};

// Outer width of the window in both states: set by FitWindowToTasks (window placement), read
// by the paint.
extern int windowWidth;

// Outer width for rows whose names measure `nameWidths` pixels: the widest + 20, at least
// 30, at most the screen's width plus the two frame edges.
int WidthForNames(const int* nameWidths, int count, int screenWidth, int fx);

// Keeps the visible strip within the screen area that starts at (ox, oy).
void ClampWindowOrigin(int* winX, int* winY, int width, int fsize, int ox, int oy,
                       int screenWidth, int screenHeight, int fx, int fy);

int StripOuterHeight(int fsize);

// The row under client coordinate y of the open list: 0 above row 0, lastRow below the end.
int RowAtPointer(int y, int fsize, int lastRow);
// Client rectangle of row `row`'s band.
PixelRect RowBand(int row, int fsize);
// Window-relative rectangle that is left visible: exactly the client area.
PixelRect VisibleRegion(int width, int outerHeight, int fx, int fy);
// Screen y of the open list's client area for a strip whose client area starts at
// `stripTop`: the strip's place, or higher, just enough for the list's `visibleHeight` to
// end at the screen's bottom edge, never above its top.
int ListTop(int stripTop, int visibleHeight, int oy, int screenHeight);
