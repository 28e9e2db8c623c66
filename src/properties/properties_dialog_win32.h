// The Properties dialog: font, size, weight, colours, opacity and "Always front", with a
// preview drawn in `previewFont`.
#pragma once
#include <windows.h>

// Runs the dialog over `owner`; 1 when OK stored the working values in Settings. The
// preview font is read where the program keeps it: a change of scale may replace it.
int RunPropertiesDialog(HWND owner, const HFONT* previewFont);
