#include "display/geometry.h"

#include <algorithm>

int windowWidth; // set by FitWindowToTasks before the window first shows

int WidthForNames(const int* nameWidths, int count, int screenWidth, int fx)
{
    int width = 30;
    for (int i = 0; i < count; ++i)
        width = std::max(width, nameWidths[i] + 20);
    return std::min(width, screenWidth + 2 * fx);
}

void ClampWindowOrigin(int* winX, int* winY, int width, int fsize, int ox, int oy,
                       int screenWidth, int screenHeight, int fx, int fy)
{
    *winX = std::max(ox, std::min(*winX, ox + screenWidth + 2 * fx - width));
    // The strip's bound, also while the list opens: its lower rows may lie off the screen.
    *winY = std::max(oy, std::min(*winY, oy + screenHeight + 2 * fy - fsize - 9));
}

int StripOuterHeight(int fsize)
{
    return fsize + 10;
}

int RowAtPointer(int y, int fsize, int lastRow)
{
    // fsize is at least 6 from the load on.
    return std::min(std::max((y - 3) / fsize, 0), lastRow);
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
    return std::max(oy, std::min(stripTop, oy + screenHeight - visibleHeight));
}
