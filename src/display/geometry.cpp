#include "display/geometry.h"

int windowWidth; // set by FitWindowToTasks before the window first shows

int WidthForNames(const int* nameWidths, int count, int screenWidth, int fx)
{
    int width = 30;
    for (int i = 0; i < count; ++i) {
        if (nameWidths[i] + 20 > width)
            width = nameWidths[i] + 20;
    }
    if (width > screenWidth + 2 * fx)
        width = screenWidth + 2 * fx;
    return width;
}

void ClampWindowOrigin(int* winX, int* winY, int width, int fsize, int ox, int oy,
                       int screenWidth, int screenHeight, int fx, int fy)
{
    int rightBound = ox + screenWidth + 2 * fx - width;
    if (*winX < ox)
        *winX = ox;
    else if (*winX > rightBound)
        *winX = rightBound;
    // The strip's bound, also while the list opens: its lower rows may lie off the screen.
    int bottomBound = oy + screenHeight + 2 * fy - fsize - 9;
    if (*winY < oy)
        *winY = oy;
    else if (*winY > bottomBound)
        *winY = bottomBound;
}

int StripOuterHeight(int fsize)
{
    return fsize + 10;
}

int ListOuterHeight(int lastRow, int fsize)
{
    return (lastRow + 1) * fsize + 12;
}

int RowAtPointer(int y, int fsize, int lastRow)
{
    int row = (y - 3) / fsize; // fsize is at least 6 from the load on
    if (row < 0)
        row = 0;
    return row > lastRow ? lastRow : row;
}

PixelRect RowBand(int row, int fsize)
{
    PixelRect band = {0, row * fsize + 3, 0, (row + 1) * fsize + 3};
    return band;
}

PixelRect VisibleRegion(int width, int outerHeight, int fx, int fy)
{
    PixelRect visible = {fx, fy, width - fx, outerHeight - fy};
    return visible;
}

int ListTop(int stripTop, int visibleHeight, int oy, int screenHeight)
{
    int top = stripTop;
    if (top + visibleHeight > oy + screenHeight)
        top = oy + screenHeight - visibleHeight;
    return top < oy ? oy : top;
}
