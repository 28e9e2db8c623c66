// The open list must fit the screen's height: rows 0..lastRow of fsize pixels each, and 12
// pixels of frame and margin. One rule, read three ways.
#pragma once

int ListOuterHeight(int lastRow, int fsize);
// The last row a screen `screenHeight` pixels high still shows whole; below 0 only on a
// screen lower than fsize + 12.
int LastRowThatFits(int screenHeight, int fsize);
// The largest font size that still shows rows 0..lastRow (lastRow 0 or more).
int LargestFittingFontSize(int screenHeight, int lastRow);
