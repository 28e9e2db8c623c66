// Window geometry arithmetic: widths, heights, clamps, row bands and the visible region, in
// pixels of the window's scale.
#pragma once

#include "settings/list_fit.h"

struct PixelRect {
    int left, top, right, bottom; // right and bottom exclusive
};

// Outer width of the window in both states: set by FitWindowToTasks (window placement), read
// by the paint.
extern int windowWidth;

// The strip's and the list's sizes at one scale.
struct StripSizes {
    RowGrid rows;    // the list's rows; the strip's text stands where row 0's does
    int textLeft;    // 5 at 100%
    int frame;       // the outline's width: 1 at 100%
    int outerHeight; // the strip's: fsize + 10 at 100%
};
StripSizes SizesAt(int fsize, int dpi);
// The sizes of the font setting at the window's scale: what is drawn, placed and pointed at.
StripSizes CurrentSizes();

// Outer width for rows whose names measure `nameWidths` pixels: the widest + 20, at least
// 30 (at 100%), at most the screen's width plus the two frame edges.
int WidthForNames(const int* nameWidths, int count, int screenWidth, int fx, int dpi);

// Keeps the visible strip within the screen area that starts at (ox, oy).
void ClampWindowOrigin(int* winX, int* winY, int width, int stripHeight, int ox, int oy,
                       int screenWidth, int screenHeight, int fx, int fy);

// The row under client coordinate y of the open list: 0 above row 0, lastRow below the end.
int RowAtPointer(int y, RowGrid rows, int lastRow);
// Client y of row `row`'s band, the bottom excluded; the band runs the list's width.
struct RowSpan {
    int top, bottom;
};
RowSpan RowBand(int row, RowGrid rows);
// Window-relative rectangle that is left visible: exactly the client area.
PixelRect VisibleRegion(int width, int outerHeight, int fx, int fy);
// Screen y of the open list's client area for a strip whose client area starts at
// `stripTop`: the strip's place, or higher, just enough for the list's `visibleHeight` to
// end at the screen's bottom edge, never above its top.
int ListTop(int stripTop, int visibleHeight, int oy, int screenHeight);
