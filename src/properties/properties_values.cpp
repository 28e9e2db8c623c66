#include "properties/properties_values.h"

#include <stdio.h>
#include <string.h>

#include "base/decimal_number.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "tasks/task_table.h"

int editGroup = GROUP_BACK;
int workColours[WORK_COLOUR_COUNT];
int workToumeido = OPACITY_HIGHEST;
char workFontface[FONTFACE_SIZE];

namespace {

// The radio buttons' order of the colour groups (Back, Text1, Text2, Frame), which is not
// the order setting.ini keeps them in.
const int kGroupInFile[COLOUR_GROUPS] = {COLOUR_BACK, COLOUR_TEXT1, COLOUR_TEXT2, COLOUR_RECT};

int* ColourField(int workIndex)
{
    return kColourGroups[kGroupInFile[workIndex / 3]].component[workIndex % 3];
}

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
    CopyText(target, FONTFACE_SIZE, face, strlen(face));
}

} // namespace

void LoadWorkingValues()
{
    editGroup = GROUP_BACK;
    workToumeido = Settings.toumeido;
    CopyFace(workFontface, Settings.fontface);
    for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
        workColours[i] = *ColourField(i);
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
    int size = ParseDecimal(text);
    if (size < FONT_SIZE_LOWEST)
        return FONT_SIZE_LOWEST;
    int limit = FontSizeLimit(height, last);
    return size < limit ? size : limit;
}

void ApplyWorkingValues(int alwaysFrontChecked, int boldChecked, const char* sizeText)
{
    for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
        *ColourField(i) = workColours[i];
    Settings.toumeido = workToumeido;
    Settings.wintop = alwaysFrontChecked ? 1 : 0;
    CopyFace(Settings.fontface, workFontface);
    Settings.ftype = boldChecked ? WEIGHT_BOLD : WEIGHT_NORMAL;
    Settings.fsize = FontSizeFromText(sizeText, screenHeight, lastRow);
}
