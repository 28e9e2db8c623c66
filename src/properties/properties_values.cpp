#include "properties/properties_values.h"

#include <stdio.h>

#include <algorithm>

#include "base/decimal_number.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "settings/list_fit.h"
#include "tasks/task_table.h"

namespace {

int editGroup = GROUP_BACK;
int workColours[WORK_COLOUR_COUNT]; // back, text1, text2, rect; R, G, B each
int workToumeido = TOUMEIDO_HIGHEST;
char workFontface[FONTFACE_SIZE];

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

} // namespace

void LoadWorkingValues()
{
    editGroup = GROUP_BACK;
    workToumeido = Settings.toumeido;
    CopyString(workFontface, FONTFACE_SIZE, Settings.fontface);
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
    return IsColourBar(bar) ? COLOUR_LOWEST : TOUMEIDO_LOWEST;
}

int BarHighest(int bar)
{
    return IsColourBar(bar) ? COLOUR_HIGHEST : TOUMEIDO_HIGHEST;
}

int IsScrollStep(int code)
{
    return code >= SCROLL_LINE_LEFT && code <= SCROLL_THUMB_TRACK ? 1 : 0;
}

int StepScrollValue(int value, int code, int thumb, int lowest, int highest)
{
    switch (code) {
    case SCROLL_LINE_LEFT:
        return std::clamp(value - kLineStep, lowest, highest);
    case SCROLL_LINE_RIGHT:
        return std::clamp(value + kLineStep, lowest, highest);
    case SCROLL_PAGE_LEFT:
        return std::clamp(value - kPageStep, lowest, highest);
    case SCROLL_PAGE_RIGHT:
        return std::clamp(value + kPageStep, lowest, highest);
    case SCROLL_THUMB_POSITION:
    case SCROLL_THUMB_TRACK:
        return std::clamp(thumb, lowest, highest);
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
    CopyString(workFontface, FONTFACE_SIZE, face);
}

int FontSizeHighest(int height, int last)
{
    return std::min(int(FSIZE_HIGHEST), LargestFittingFontSize(height, last));
}

int FontSizeFromText(const char* text, int height, int last)
{
    // Below 6 first: on a screen too low for any row, 6 still wins.
    return std::max(int(FSIZE_LOWEST), std::min(ParseDecimal(text), FontSizeHighest(height, last)));
}

void ApplyWorkingValues(int alwaysFrontChecked, int boldChecked, const char* sizeText)
{
    for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
        *ColourField(i) = workColours[i];
    Settings.toumeido = workToumeido;
    Settings.wintop = alwaysFrontChecked ? 1 : 0;
    CopyString(Settings.fontface, FONTFACE_SIZE, workFontface);
    Settings.ftype = boldChecked ? WEIGHT_BOLD : WEIGHT_NORMAL;
    Settings.fsize = FontSizeFromText(sizeText, screenHeight, lastRow);
}
