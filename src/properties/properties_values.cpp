#include "properties/properties_values.h"

#include <stdio.h>

#include <algorithm>

#include "base/decimal_number.h"
#include "base/pixel_scale.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "settings/list_fit.h"
#include "tasks/task_table.h"

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

} // namespace

void LoadWorkingValues(PropertiesWork* work)
{
    work->editGroup = GROUP_BACK;
    work->toumeido = Settings.toumeido;
    CopyString(work->fontface, FONTFACE_SIZE, Settings.fontface);
    for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
        work->colours[i] = *ColourField(i);
}

int StartsBold()
{
    return Settings.ftype == WEIGHT_BOLD ? 1 : 0;
}

int StartsAlwaysFront()
{
    return Settings.wintop != 0 ? 1 : 0;
}

void SelectColourGroup(PropertiesWork* work, int group)
{
    work->editGroup = group;
}

int WorkingBarValue(const PropertiesWork* work, int bar)
{
    if (IsColourBar(bar))
        return work->colours[3 * work->editGroup + bar];
    return work->toumeido;
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

int ScrollWorkingBar(PropertiesWork* work, int bar, int code, int thumb)
{
    int value = StepScrollValue(WorkingBarValue(work, bar), code, thumb, BarLowest(bar),
                                BarHighest(bar));
    if (IsColourBar(bar))
        work->colours[3 * work->editGroup + bar] = value;
    else
        work->toumeido = value;
    return value;
}

void FormatComponentBox(int bar, int value, char* out, size_t capacity)
{
    static const char kLetters[] = {'R', 'G', 'B'};
    char letter = IsColourBar(bar) ? kLetters[bar] : '?';
    snprintf(out, capacity, "%c %d", letter, value);
}

unsigned long WorkingColour(const PropertiesWork* work, int group)
{
    const int* colour = &work->colours[3 * group];
    return ComposeColour(colour[0], colour[1], colour[2]);
}

int IsOfferedFace(const char* face)
{
    return face[0] != '@' ? 1 : 0;
}

void ChooseWorkingFontface(PropertiesWork* work, const char* face)
{
    CopyString(work->fontface, FONTFACE_SIZE, face);
}

int FontSizeHighest(int height, int last, int dpi)
{
    return std::min(int(FSIZE_HIGHEST), LargestFittingFontSize(height, last, dpi));
}

int FontSizeFromText(const char* text, int height, int last, int dpi)
{
    // Below 6 first: on a screen too low for any row, 6 still wins.
    return std::max(int(FSIZE_LOWEST),
                    std::min(ParseDecimal(text), FontSizeHighest(height, last, dpi)));
}

void ApplyWorkingValues(const PropertiesWork* work, int alwaysFrontChecked, int boldChecked,
                        const char* sizeText, int hotkey)
{
    for (int i = 0; i < WORK_COLOUR_COUNT; ++i)
        *ColourField(i) = work->colours[i];
    Settings.toumeido = work->toumeido;
    Settings.wintop = alwaysFrontChecked ? 1 : 0;
    CopyString(Settings.fontface, FONTFACE_SIZE, work->fontface);
    Settings.ftype = boldChecked ? WEIGHT_BOLD : WEIGHT_NORMAL;
    Settings.fsize = FontSizeFromText(sizeText, screenHeight, lastRow, windowDpi);
    Settings.hotkey = hotkey;
}
