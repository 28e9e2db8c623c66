// Every size the program draws is given as at 100% (96 pixels per inch) and drawn at the
// scale of the monitor the window is on, by one rule.
#pragma once

enum { DPI_AT_100_PERCENT = 96 };

// Pixels per inch of the monitor the main window is on: 96 at 100%, 144 at 150%.
extern int windowDpi;

// `pixels` at 100% in pixels at `dpi`, to the nearest pixel, a half rounded up (as MulDiv).
int ScalePixels(int pixels, int dpi);
// The largest size at 100% that takes at most `pixels` (0 or more) at `dpi`.
int LargestUnscaled(int pixels, int dpi);
