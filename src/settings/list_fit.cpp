#include "settings/list_fit.h"

#include "base/pixel_scale.h"

enum { ROW_TOP = 3, LIST_MARGIN = 12 };

RowGrid ListRowGrid(int fsize, int dpi)
{
    RowGrid grid = {ScalePixels(ROW_TOP, dpi), ScalePixels(fsize, dpi),
                    ScalePixels(LIST_MARGIN, dpi)};
    return grid;
}

int ListOuterHeight(int lastRow, RowGrid grid)
{
    return (lastRow + 1) * grid.pitch + grid.margin;
}

int LastRowThatFits(int screenHeight, RowGrid grid)
{
    return (screenHeight - grid.margin) / grid.pitch - 1;
}

int LargestFittingFontSize(int screenHeight, int lastRow, int dpi)
{
    int rowHeight = (screenHeight - ScalePixels(LIST_MARGIN, dpi)) / (lastRow + 1);
    return LargestUnscaled(rowHeight, dpi);
}
