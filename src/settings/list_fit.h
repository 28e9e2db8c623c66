// The open list must fit the screen's height: rows 0..lastRow of fsize each, and 12 pixels of
// frame and margin, all at the window's scale. One rule, read three ways.
#pragma once

// The list's rows in pixels: row i spans top + i * pitch to top + (i + 1) * pitch. Drawing,
// hit-testing and the fit all take it from ListRowGrid.
struct RowGrid {
    int top;    // 3 at 100%
    int pitch;  // fsize: the font's height and the row's
    int margin; // what the list is taller than its rows: 12 at 100%
};
RowGrid ListRowGrid(int fsize, int dpi);

int ListOuterHeight(int lastRow, RowGrid grid);
// The last row a screen `screenHeight` pixels high still shows whole; below 0 only on a
// screen lower than one row and the margin.
int LastRowThatFits(int screenHeight, RowGrid grid);
// The largest font size (at 100%) that still shows rows 0..lastRow (lastRow 0 or more).
int LargestFittingFontSize(int screenHeight, int lastRow, int dpi);
