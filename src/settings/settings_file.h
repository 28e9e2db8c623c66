// The persisted look-and-place record, its defaults and clamps, and setting.ini.
#pragma once
#include <stddef.h>

#include "base/system.h"

enum {
    FONTFACE_SIZE = 128,          // at most 127 characters and the terminator
    SETTINGS_TEXT_LIMIT = 102650, // the most bytes setting.ini may hold
    // What a load keeps of the values: clamped into these bounds, both included.
    FSIZE_LOWEST = 6,
    FSIZE_HIGHEST = 256,
    TOUMEIDO_LOWEST = 1,
    TOUMEIDO_HIGHEST = 255,
    COLOUR_LOWEST = 0,
    COLOUR_HIGHEST = 255,
    // The hotkey as the system's hotkey control gives it: the virtual key in the low byte,
    // Shift 1, Ctrl 2 and Alt 4 in the next; 0 for none, and so is any value past 0x0FFF.
    HOTKEY_DEFAULT = 0x0620, // Ctrl+Alt+Space
    HOTKEY_HIGHEST = 0x0FFF
};

struct SettingsRecord {
    int winX, winY;   // screen position of the client area's top-left corner
    int wintop;       // 1: the strip stays topmost
    int fsize;        // font height = row height, 6..256, in pixels at 100% (96 dpi)
    int ftype;        // font weight, 400 or 700
    int toumeido;     // opacity of the strip, 1..255
    int backR, backG, backB;
    int rectR, rectG, rectB;
    int text1R, text1G, text1B;
    int text2R, text2G, text2B;
    char fontface[FONTFACE_SIZE];
    int hotkey; // opens the list from anywhere; the one key after the 70 lines
};

extern SettingsRecord Settings;

// The four colours, three ints R, G, B each, in the order setting.ini keeps them.
enum { COLOUR_BACK, COLOUR_RECT, COLOUR_TEXT1, COLOUR_TEXT2, COLOUR_GROUPS };
struct ColourGroup {
    const char* key[3]; // "backR=", "backG=", "backB="
    int* component[3];  // the fields of Settings
};
extern const ColourGroup kColourGroups[COLOUR_GROUPS];

// The colour rule: the low 8 bits of red, green and blue, red in the lowest byte.
unsigned long ComposeColour(int red, int green, int blue);
unsigned long SettingsColour(int group);

// Every field to its default (winX from the screen's width), all slots empty, current_task 0,
// lastRow 1.
void SetDefaultSettings();

// Takes every key found in the `length` bytes of `text` into the table and the record, then
// clamps and recounts lastRow. Returns 1 when the text holds anything the load did not take
// (a line without a key of ours, a second line for a key, a value cut short, bytes past a
// NUL), which a rewrite of the file would lose.
int ParseSettingsText(const char* text, size_t length);
// Builds the 71 lines into `out` (at least SETTINGS_TEXT_LIMIT + 1 bytes); returns the length.
size_t BuildSettingsText(char* out, size_t capacity);
// Shortens the longest names just enough for the text to fit the file's size limit.
// Returns the number of names shortened.
int FitNamesToSettingsLimit();
// lastRow from the names in memory: one past the last named slot, at most 49, then as
// many rows as the screen's height takes.
void RecountLastRow();

// Reads setting.ini (writing it when it cannot be read); 0, or -1 when refused as too large.
int LoadSettings(OwnerWindow owner);
// Rewrites setting.ini whole; 0, or -1 when it could not be written. A file on disk that
// this run did not read, or not all of, or that changed since, is kept aside first.
int SaveSettings(OwnerWindow owner);
// After an edit of the table: the file is read back to recount the rows when `saveResult`
// says it was written; after a failed save the rows are recounted from memory, so that the
// edit stays until a save succeeds.
void RecountAfterSave(OwnerWindow owner, int saveResult);

// Forgets what this run knows of the file on disk (for tests that start a new run).
void ResetSettingsFileState();
