// The Properties dialog's working state and its arithmetic: scroll steps, the font-size
// rule, and copying the settings in and out. Nothing here needs the window system.
#pragma once
#include <stddef.h>

#include "settings/settings_file.h"

// Scroll codes, with the values the Win32 SB_ constants have.
enum {
    SCROLL_LINE_LEFT = 0,      // SB_LINELEFT
    SCROLL_LINE_RIGHT = 1,     // SB_LINERIGHT
    SCROLL_PAGE_LEFT = 2,      // SB_PAGELEFT
    SCROLL_PAGE_RIGHT = 3,     // SB_PAGERIGHT
    SCROLL_THUMB_POSITION = 4, // SB_THUMBPOSITION
    SCROLL_THUMB_TRACK = 5     // SB_THUMBTRACK
};

// The colour groups in the order of the radio buttons; workColours keeps this order.
enum EditGroup { GROUP_BACK = 0, GROUP_TEXT1 = 1, GROUP_TEXT2 = 2, GROUP_FRAME = 3 };
enum { WORK_COLOUR_COUNT = 12 };

// The four bars: red, green and blue of the group being edited, and the opacity.
enum PropertiesBar { BAR_RED = 0, BAR_GREEN = 1, BAR_BLUE = 2, BAR_OPACITY = 3 };

enum { WEIGHT_NORMAL = 400, WEIGHT_BOLD = 700 };

// The dialog's working state while it is open; nothing reaches Settings before OK.
struct PropertiesWork {
    int editGroup;                  // the group the colour bars edit
    int colours[WORK_COLOUR_COUNT]; // back, text1, text2, rect; R, G, B each
    int toumeido;
    char fontface[FONTFACE_SIZE];
};

// Fills the working state from Settings; the bars start on Back.
void LoadWorkingValues(PropertiesWork* work);
// What the check boxes show when the dialog opens.
int StartsBold();        // 1 when ftype is 700
int StartsAlwaysFront(); // 1 when wintop is anything but 0

// Chooses the group the colour bars edit (0..3, the radio buttons' order).
void SelectColourGroup(PropertiesWork* work, int group);
// The working value a bar stands for (its colour component of editGroup, or the opacity).
int WorkingBarValue(const PropertiesWork* work, int bar);
// The lowest and highest value of a bar.
int BarLowest(int bar);
int BarHighest(int bar);

// 1 for the six codes that move a bar, 0 for every other code.
int IsScrollStep(int code);
// The value after scroll `code` (thumb: the thumb's position), kept within lowest..highest.
// Any other code leaves the value as it is.
int StepScrollValue(int value, int code, int thumb, int lowest, int highest);
// Steps the working value of `bar` and returns its new value.
int ScrollWorkingBar(PropertiesWork* work, int bar, int code, int thumb);

// "R %d", "G %d" or "B %d" for a colour bar's box, bounded by `capacity`.
void FormatComponentBox(int bar, int value, char* out, size_t capacity);
// The colour value of a working group, by the shared colour rule.
unsigned long WorkingColour(const PropertiesWork* work, int group);

// Only faces whose names do not begin with "@" (the vertical variants) are offered.
int IsOfferedFace(const char* face);
// Takes `face` as the working face name, at most 127 characters of it.
void ChooseWorkingFontface(PropertiesWork* work, const char* face);

// The largest size (at 100%) the dialog takes: what lets rows 0..lastRow fit the screen's
// height at `dpi`, and never more than a load keeps (256).
int FontSizeHighest(int screenHeight, int lastRow, int dpi);
// The size entered as text: read as a signed integer (not a number reads as 0), below 6
// gives 6, above FontSizeHighest gives that.
int FontSizeFromText(const char* text, int screenHeight, int lastRow, int dpi);

// OK: stores the working state and the dialog's other fields into Settings, in the order
// colours, toumeido, wintop, fontface, ftype, fsize (bounded at the window's scale), hotkey
// (as the hotkey control gives it).
void ApplyWorkingValues(const PropertiesWork* work, int alwaysFrontChecked, int boldChecked,
                        const char* sizeText, int hotkey);
