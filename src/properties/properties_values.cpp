#include "properties/properties_values.h"

#include <limits.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "app/shell_state.h"
#include "display/geometry.h"
#include "tasks/task_table.h"

int editGroup = GROUP_BACK;
int workColours[WORK_COLOUR_COUNT];
int workToumeido = OPACITY_HIGHEST;
char workFontface[FONTFACE_SIZE];

namespace {

// The Settings fields behind workColours, in the working order (back, text1, text2, rect),
// which is not the order the record keeps them in.
int* const kColourFields[WORK_COLOUR_COUNT] = {
    &Settings.backR,  &Settings.backG,  &Settings.backB,  &Settings.text1R,
    &Settings.text1G, &Settings.text1B, &Settings.text2R, &Settings.text2G,
    &Settings.text2B, &Settings.rectR,  &Settings.rectG,  &Settings.rectB,
};

const int kLineStep = 1;
const int kPageStep = 16;

int IsColourBar(int bar)
{
    return bar >= BAR_RED && bar <= BAR_BLUE;
}

int Clamp(int value, int lowest, int highest)
{
    if (value < lowest)
        return lowest;
    if (value > highest)
        return highest;
    return value;
}

void CopyFace(char* target, const char* face)
{
    // Bounded: a face name keeps at most FONTFACE_SIZE - 1 characters.
    size_t length = strlen(face);
    if (length > FONTFACE_SIZE - 1)
        length = FONTFACE_SIZE - 1;
    memcpy(target, face, length);
    target[length] = '\0';
}

// Signed decimal in the manner of strtol: no digits read as 0, the int range is kept.
int ReadSignedInteger(const char* text)
{
    char* end = NULL;
    long value = strtol(text, &end, 10);
    if (end == text)
        return 0;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

} // namespace

void LoadWorkingValues()
{
    editGroup = GROUP_BACK;
    workToumeido = Settings.toumeido;
    CopyFace(workFontface, Settings.fontface);
    for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
        workColours[i] = *kColourFields[i];
}

int StartsBold()
{
    return Settings.ftype == WEIGHT_BOLD ? 1 : 0;
}

int StartsAlwaysFront()
{
    return Settings.wintop != 0 ? 1 : 0;
}

void SelectColourGroup(int group)
{
    if (group >= 0 && group < COLOUR_GROUPS)
        editGroup = group;
}

int WorkingBarValue(int bar)
{
    if (IsColourBar(bar))
        return workColours[3 * editGroup + bar];
    return workToumeido;
}

int BarLowest(int bar)
{
    return IsColourBar(bar) ? COLOUR_LOWEST : OPACITY_LOWEST;
}

int BarHighest(int bar)
{
    return IsColourBar(bar) ? COLOUR_HIGHEST : OPACITY_HIGHEST;
}

int IsScrollStep(int code)
{
    return code >= SCROLL_LINE_LEFT && code <= SCROLL_THUMB_TRACK ? 1 : 0;
}

int StepScrollValue(int value, int code, int thumb, int lowest, int highest)
{
    switch (code) {
    case SCROLL_LINE_LEFT:
        return Clamp(value - kLineStep, lowest, highest);
    case SCROLL_LINE_RIGHT:
        return Clamp(value + kLineStep, lowest, highest);
    case SCROLL_PAGE_LEFT:
        return Clamp(value - kPageStep, lowest, highest);
    case SCROLL_PAGE_RIGHT:
        return Clamp(value + kPageStep, lowest, highest);
    case SCROLL_THUMB_POSITION:
    case SCROLL_THUMB_TRACK:
        return Clamp(thumb, lowest, highest);
    default:
        return value;
    }
}

int ScrollWorkingBar(int bar, int code, int thumb)
{
    int value = StepScrollValue(WorkingBarValue(bar), code, thumb, BarLowest(bar), BarHighest(bar));
    if (IsColourBar(bar))
        workColours[3 * editGroup + bar] = value;
    else
        workToumeido = value;
    return value;
}

void FormatComponentBox(int bar, int value, char* out, size_t capacity)
{
    static const char kLetters[] = {'R', 'G', 'B'};
    if (capacity == 0)
        return;
    char letter = IsColourBar(bar) ? kLetters[bar] : '?';
    snprintf(out, capacity, "%c %d", letter, value);
}

unsigned long WorkingColour(int group)
{
    const int* colour = &workColours[3 * group];
    return ComposeColour(colour[0], colour[1], colour[2]);
}

int IsOfferedFace(const char* face)
{
    return face[0] != '@' ? 1 : 0;
}

void ChooseWorkingFontface(const char* face)
{
    CopyFace(workFontface, face);
}

int FontSizeLimit(int height, int last)
{
    // lastRow is never below 0; the guard only keeps a broken value from dividing by 0.
    int rows = last + 1 < 1 ? 1 : last + 1;
    return (height - 12) / rows;
}

int FontSizeFromText(const char* text, int height, int last)
{
    int size = ReadSignedInteger(text);
    if (size < FONT_SIZE_LOWEST)
        return FONT_SIZE_LOWEST;
    int limit = FontSizeLimit(height, last);
    return size < limit ? size : limit;
}

void ApplyWorkingValues(int alwaysFrontChecked, int boldChecked, const char* sizeText)
{
    for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
        *kColourFields[i] = workColours[i];
    Settings.toumeido = workToumeido;
    Settings.wintop = alwaysFrontChecked ? 1 : 0;
    CopyFace(Settings.fontface, workFontface);
    Settings.ftype = boldChecked ? WEIGHT_BOLD : WEIGHT_NORMAL;
    Settings.fsize = FontSizeFromText(sizeText, screenHeight, lastRow);
}
