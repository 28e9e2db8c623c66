#include "display/geometry.h"

#include <algorithm>

#include "base/pixel_scale.h"
#include "settings/settings_file.h"

int windowWidth; // set by FitWindowToTasks before the window first shows

namespace {
enum { TEXT_LEFT = 5, FRAME = 1, STRIP_MARGIN = 10, NARROWEST = 30, NAME_MARGIN = 20 };
}

StripSizes SizesAt(int fsize, int dpi)
{
    StripSizes sizes;
    sizes.rows = ListRowGrid(fsize, dpi);
    sizes.textLeft = ScalePixels(TEXT_LEFT, dpi);
    sizes.frame = ScalePixels(FRAME, dpi);
    sizes.outerHeight = sizes.rows.pitch + ScalePixels(STRIP_MARGIN, dpi);
    return sizes;
}

StripSizes CurrentSizes()
{
    return SizesAt(Settings.fsize, windowDpi);
}

int WidthForNames(const int* nameWidths, int count, int screenWidth, int fx, int dpi)
{
    int width = ScalePixels(NARROWEST, dpi);
    for (int i = 0; i < count; ++i)
        width = std::max(width, nameWidths[i] + ScalePixels(NAME_MARGIN, dpi));
    return std::min(width, screenWidth + 2 * fx);
}

void ClampWindowOrigin(int* winX, int* winY, int width, int stripHeight, int ox, int oy,
                       int screenWidth, int screenHeight, int fx, int fy)
{
    *winX = std::max(ox, std::min(*winX, ox + screenWidth + 2 * fx - width));
    // The strip's bound, also while the list opens: its lower rows may lie off the screen.
    // At the bound the visible strip ends one pixel below the screen's edge.
    *winY = std::max(oy, std::min(*winY, oy + screenHeight + 2 * fy - stripHeight + 1));
}

int RowAtPointer(int y, RowGrid rows, int lastRow)
{
    // The pitch is at least 6 pixels from the load on.
    return std::min(std::max((y - rows.top) / rows.pitch, 0), lastRow);
}

RowSpan RowBand(int row, RowGrid rows)
{
    RowSpan band = {rows.top + row * rows.pitch, rows.top + (row + 1) * rows.pitch};
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
