#include "base/pixel_scale.h"

int windowDpi = DPI_AT_100_PERCENT;

int ScalePixels(int pixels, int dpi)
{
    // 64 bits: a size typed into Properties may be large before a load clamps it.
    long long scaled = static_cast<long long>(pixels) * dpi + DPI_AT_100_PERCENT / 2;
    return static_cast<int>(scaled / DPI_AT_100_PERCENT);
}

int LargestUnscaled(int pixels, int dpi)
{
    // ScalePixels(n) <= pixels while n * dpi + 48 < (pixels + 1) * 96.
    long long limit =
        static_cast<long long>(pixels) * DPI_AT_100_PERCENT + DPI_AT_100_PERCENT / 2 - 1;
    return static_cast<int>(limit / dpi);
}
