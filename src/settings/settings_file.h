// The persisted look-and-place record, its defaults and clamps, and setting.ini.
#pragma once
#include <stddef.h>
#include "app/system.h"

enum { FONTFACE_SIZE = 128 }; // at most 127 characters and the terminator

struct SettingsRecord {
    int winX, winY;   // screen position of the client area's top-left corner
    int wintop;       // 1: the strip stays topmost
    int fsize;        // font height = row height, 6..256
    int ftype;        // font weight, 400 or 700
    int toumeido;     // opacity of the strip, 1..255
    int backR, backG, backB;
    int rectR, rectG, rectB;
    int text1R, text1G, text1B;
    int text2R, text2G, text2B;
    char fontface[FONTFACE_SIZE];
};

extern SettingsRecord Settings;

// Every field to its default (winX from screenWidth), all slots empty, current_task 0, lastRow 1.
void SetDefaultSettings();

// 0 and the index just past the key when `key` begins a line of `text` (without regard to
// case, at least three characters following it), else -1. Looks from *position, a line start.
int FindKey(const char* key, int* position, const char* text);

// Takes every key found in `text` into the table and the record, then clamps and recounts lastRow.
void ParseSettingsText(const char* text);
// Builds the 70 lines into `out` (at least SETTINGS_TEXT_LIMIT + 1 bytes); returns the length.
size_t BuildSettingsText(char* out, size_t capacity);
// Shortens the longest names just enough for the text to fit the file's size limit.
// Returns the number of names shortened.
int FitNamesToSettingsLimit();

// Reads setting.ini (writing it when it cannot be read); 0, or -1 when refused as too large.
int LoadSettings(OwnerWindow owner);
// Rewrites setting.ini whole; 0, or -1 when it could not be written.
int SaveSettings(OwnerWindow owner);

// Forgets what this run knows of the file on disk (for tests that start a new run).
void ResetSettingsFileState();
