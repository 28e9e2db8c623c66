#include "settings/list_fit.h"

enum { LIST_MARGIN = 12 };

int ListOuterHeight(int lastRow, int fsize)
{
    return (lastRow + 1) * fsize + LIST_MARGIN;
}

int LastRowThatFits(int screenHeight, int fsize)
{
    return (screenHeight - LIST_MARGIN) / fsize - 1;
}

int LargestFittingFontSize(int screenHeight, int lastRow)
{
    return (screenHeight - LIST_MARGIN) / (lastRow + 1);
}
