#include "settings/settings_file.h"

#include <limits.h>
#include <string.h>

#include "app/shell_state.h"
#include "app/text_builder.h"
#include "tasks/task_table.h"

SettingsRecord Settings;

namespace {

const char kFileName[] = "setting.ini";

struct NumericKey {
    const char* key;
    int* field;
};

// The numeric keys in the order they are read; "fontface=" is read last, apart.
const NumericKey kNumericKeys[] = {
    {"current_task=", &current_task}, {"winX=", &Settings.winX},
    {"winY=", &Settings.winY},        {"fsize=", &Settings.fsize},
    {"wintop=", &Settings.wintop},    {"ftype=", &Settings.ftype},
    {"toumeido=", &Settings.toumeido}, {"backR=", &Settings.backR},
    {"backG=", &Settings.backG},      {"backB=", &Settings.backB},
    {"rectR=", &Settings.rectR},      {"rectG=", &Settings.rectG},
    {"rectB=", &Settings.rectB},      {"text1R=", &Settings.text1R},
    {"text1G=", &Settings.text1G},    {"text1B=", &Settings.text1B},
    {"text2R=", &Settings.text2R},    {"text2G=", &Settings.text2G},
    {"text2B=", &Settings.text2B},
};
const int kNumericKeyCount = sizeof kNumericKeys / sizeof kNumericKeys[0];
const char kFontfaceKey[] = "fontface=";

// Where each key's value starts in the text being parsed, or -1.
struct KeyPositions {
    int slot[TASK_SLOTS];
    int numeric[kNumericKeyCount];
    int fontface;
};

// 1 once this run has read or written setting.ini; until then an existing file that could
// not be read must not be overwritten.
int settingsFileKnown = 0;
int settingsFileUnread = 0;

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int SameIgnoringCase(const char* text, const char* key, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (LowerAscii(text[i]) != LowerAscii(key[i]))
            return 0;
    }
    return 1;
}

// The start of the line after the one starting at `pos`, or -1 when no CR LF follows.
long NextLineStart(const char* text, size_t length, size_t pos)
{
    while (pos + 1 < length) {
        const void* cr = memchr(text + pos, '\r', length - pos - 1);
        if (cr == nullptr)
            return -1;
        pos = static_cast<size_t>(static_cast<const char*>(cr) - text);
        if (text[pos + 1] == '\n')
            return static_cast<long>(pos + 2);
        ++pos;
    }
    return -1;
}

// Records the line at `pos` as the first one for any key it begins.
void NoteLine(const char* text, size_t length, size_t pos, KeyPositions* found)
{
    const char* line = text + pos;
    // A key counts only where at least three characters follow it.
    if (pos + 3 + 2 < length && line[0] >= '0' && line[0] <= '4' && line[1] >= '0' &&
        line[1] <= '9' && line[2] == '=') {
        int slot = (line[0] - '0') * 10 + (line[1] - '0');
        if (found->slot[slot] < 0)
            found->slot[slot] = static_cast<int>(pos + 3);
        return;
    }
    for (int k = 0; k < kNumericKeyCount; ++k) {
        size_t keyLength = strlen(kNumericKeys[k].key);
        if (found->numeric[k] < 0 && pos + keyLength + 2 < length &&
            SameIgnoringCase(line, kNumericKeys[k].key, keyLength)) {
            found->numeric[k] = static_cast<int>(pos + keyLength);
            return;
        }
    }
    size_t faceLength = sizeof kFontfaceKey - 1;
    if (found->fontface < 0 && pos + faceLength + 2 < length &&
        SameIgnoringCase(line, kFontfaceKey, faceLength))
        found->fontface = static_cast<int>(pos + faceLength);
}

// One pass over the line starts; gives what FindKey gives for every key.
void FindAllKeys(const char* text, KeyPositions* found)
{
    memset(found, 0xff, sizeof *found);
    size_t length = strlen(text);
    long pos = 0;
    while (pos >= 0) {
        NoteLine(text, length, static_cast<size_t>(pos), found);
        pos = NextLineStart(text, length, static_cast<size_t>(pos));
    }
}

size_t ValueLength(const char* value)
{
    size_t n = 0;
    while (value[n] != '\0' && value[n] != '\r' && value[n] != '\n')
        ++n;
    return n;
}

// strtol with base 10 over the value, saturating at the 32-bit limits.
int ParseNumber(const char* value)
{
    size_t i = 0;
    while (value[i] == ' ' || value[i] == '\t' || value[i] == '\v' || value[i] == '\f')
        ++i;
    int negative = 0;
    if (value[i] == '+' || value[i] == '-')
        negative = value[i++] == '-';
    long long magnitude = 0;
    for (; value[i] >= '0' && value[i] <= '9'; ++i) {
        if (magnitude <= INT_MAX + 1LL)
            magnitude = magnitude * 10 + (value[i] - '0');
    }
    if (negative)
        return magnitude > INT_MAX ? INT_MIN : static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

int ClampTo(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

int ZeroOutside(int value, int low, int high)
{
    return (value < low || value > high) ? 0 : value;
}

void ClampSettings()
{
    Settings.winX = ZeroOutside(Settings.winX, 0, screenWidth);
    Settings.winY = ZeroOutside(Settings.winY, 0, screenHeight);
    Settings.fsize = ClampTo(Settings.fsize, 6, 256);
    Settings.toumeido = ClampTo(Settings.toumeido, 1, 255);
    int* colours[] = {&Settings.backR,  &Settings.backG,  &Settings.backB,  &Settings.rectR,
                      &Settings.rectG,  &Settings.rectB,  &Settings.text1R, &Settings.text1G,
                      &Settings.text1B, &Settings.text2R, &Settings.text2G, &Settings.text2B};
    for (int* colour : colours)
        *colour = ZeroOutside(*colour, 0, 255);
}

// Rows 0..lastRow at fsize pixels each, plus 12, must fit the screen's height.
void LimitLastRowToScreen()
{
    long long needed = static_cast<long long>(Settings.fsize) * (lastRow + 2) + 12;
    if (screenHeight < needed)
        lastRow = (screenHeight - 12) / Settings.fsize - 1;
    if (lastRow < 0)
        lastRow = 0;
}

size_t SettingsTextLength()
{
    size_t total = 0;
    for (int i = 0; i < TASK_SLOTS; ++i)
        total += 3 + strlen(TaskTable[i]) + 2;
    char numbers[1024];
    TextBuilder b = {numbers, sizeof numbers, 0};
    for (int k = 0; k < kNumericKeyCount; ++k) {
        b.length = 0;
        AppendText(&b, kNumericKeys[k].key);
        AppendInt(&b, *kNumericKeys[k].field);
        total += b.length + 2;
    }
    return total + (sizeof kFontfaceKey - 1) + strlen(Settings.fontface) + 2;
}

void ReportKeptFile(OwnerWindow owner, const char* kept)
{
    TextBuilder b = {fileBuffer, FILE_BUFFER_SIZE, 0};
    AppendText(&b, "setting.ini could not be read, so it was kept as ");
    AppendText(&b, kept);
    AppendText(&b, " before a new setting.ini was written.");
    ShowMessage(owner, fileBuffer, "Warning", MESSAGE_WARNING);
}

// An existing file this run never read is moved aside before it would be replaced; `kept`
// receives its new name, or stays empty when there was nothing to move.
int GuardUnreadFile(char* kept, size_t keptSize)
{
    kept[0] = '\0';
    if (!settingsFileUnread)
        return 0;
    int moved = KeepFileAside(kFileName, kept, keptSize);
    if (moved < 0) {
        kept[0] = '\0';
        return -1;
    }
    if (moved > 0)
        kept[0] = '\0';
    settingsFileUnread = 0;
    return 0;
}

int ReportTooLarge(OwnerWindow owner)
{
    char kept[260];
    TextBuilder b = {fileBuffer, FILE_BUFFER_SIZE, 0};
    AppendText(&b, "setting.ini file size too large.");
    if (KeepFileAside(kFileName, kept, sizeof kept) == 0) {
        AppendText(&b, "\r\n\r\nThe file was kept as ");
        AppendText(&b, kept);
        AppendText(&b, "; a new setting.ini will be written.");
    } else {
        settingsFileUnread = 1;
    }
    ShowMessage(owner, fileBuffer, "SIZE ERROR", MESSAGE_ERROR);
    return -1;
}

} // namespace

void SetDefaultSettings()
{
    Settings.winX = screenWidth / 2;
    Settings.winY = 0;
    Settings.wintop = 1;
    Settings.fsize = 18;
    Settings.ftype = 400;
    Settings.toumeido = 255;
    Settings.backR = Settings.backG = Settings.backB = 0;
    Settings.rectR = Settings.rectG = Settings.rectB = 192;
    Settings.text1R = Settings.text1G = Settings.text1B = 255;
    Settings.text2R = Settings.text2G = Settings.text2B = 192;
    strcpy(Settings.fontface, "Arial");
    ClearTaskTable();
    current_task = 0;
    lastRow = 1;
}

int FindKey(const char* key, int* position, const char* text)
{
    size_t textLength = strlen(text);
    size_t keyLength = strlen(key);
    long pos = *position;
    while (pos >= 0 && static_cast<size_t>(pos) + keyLength + 2 < textLength) {
        if (SameIgnoringCase(text + pos, key, keyLength)) {
            *position = static_cast<int>(pos + keyLength);
            return 0;
        }
        pos = NextLineStart(text, textLength, static_cast<size_t>(pos));
    }
    return -1;
}

void ParseSettingsText(const char* text)
{
    KeyPositions found;
    FindAllKeys(text, &found);
    for (int i = 0; i < TASK_SLOTS; ++i) {
        if (found.slot[i] >= 0) {
            const char* value = text + found.slot[i];
            size_t n = ValueLength(value);
            if (n > TASK_NAME_SIZE - 1)
                n = TASK_NAME_SIZE - 1;
            memcpy(TaskTable[i], value, n);
            TaskTable[i][n] = '\0';
        }
        if (TaskTable[i][0] != '\0')
            lastRow = i == LAST_SLOT ? LAST_SLOT : i + 1;
    }
    for (int k = 0; k < kNumericKeyCount; ++k) {
        if (found.numeric[k] >= 0)
            *kNumericKeys[k].field = ParseNumber(text + found.numeric[k]);
    }
    if (found.fontface >= 0) {
        const char* value = text + found.fontface;
        size_t n = ValueLength(value);
        if (n <= FONTFACE_SIZE - 1) {
            memcpy(Settings.fontface, value, n);
            Settings.fontface[n] = '\0';
        }
    }
    ClampSettings();
    LimitLastRowToScreen();
}

int FitNamesToSettingsLimit()
{
    size_t total = SettingsTextLength();
    if (total <= SETTINGS_TEXT_LIMIT)
        return 0;
    size_t lengths[TASK_SLOTS];
    for (int i = 0; i < TASK_SLOTS; ++i)
        lengths[i] = strlen(TaskTable[i]);
    // Lower the longest length any name may keep until the text fits.
    size_t excess = total - SETTINGS_TEXT_LIMIT;
    size_t cap = TASK_NAME_SIZE - 1;
    while (excess > 0 && cap > 0) {
        --cap;
        for (int i = 0; i < TASK_SLOTS && excess > 0; ++i) {
            if (lengths[i] > cap)
                --excess;
        }
    }
    int shortened = 0;
    for (int i = 0; i < TASK_SLOTS; ++i) {
        if (lengths[i] > cap) {
            TaskTable[i][cap] = '\0';
            ++shortened;
        }
    }
    return shortened;
}

size_t BuildSettingsText(char* out, size_t capacity)
{
    TextBuilder b = {out, capacity, 0};
    for (int i = 0; i < TASK_SLOTS; ++i) {
        AppendPadded(&b, i, 2, '0');
        AppendText(&b, "=");
        AppendText(&b, TaskTable[i]);
        AppendText(&b, "\r\n");
    }
    static const int order[] = {0, 1, 2, 4, 3, -1, 5, 6}; // -1: fontface
    for (int k : order) {
        if (k < 0) {
            AppendText(&b, kFontfaceKey);
            AppendText(&b, Settings.fontface);
        } else {
            AppendText(&b, kNumericKeys[k].key);
            AppendInt(&b, *kNumericKeys[k].field);
        }
        AppendText(&b, "\r\n");
    }
    for (int k = 7; k < kNumericKeyCount; ++k) {
        AppendText(&b, kNumericKeys[k].key);
        AppendInt(&b, *kNumericKeys[k].field);
        AppendText(&b, "\r\n");
    }
    return b.length;
}

int LoadSettings(OwnerWindow owner)
{
    size_t length = 0;
    ReadResult result = ReadWholeFile(kFileName, fileBuffer, SETTINGS_TEXT_LIMIT, &length);
    if (result == READ_TOO_LARGE)
        return ReportTooLarge(owner);
    if (result != READ_OK) {
        if (result == READ_UNOPENABLE && !settingsFileKnown)
            settingsFileUnread = 1;
        SaveSettings(owner);
        return 0;
    }
    fileBuffer[length] = '\0';
    settingsFileKnown = 1;
    settingsFileUnread = 0;
    ParseSettingsText(fileBuffer);
    return 0;
}

int SaveSettings(OwnerWindow owner)
{
    // The file always names a break task; memory takes it only once the file is written.
    int breakAdded = TaskTable[0][0] == '\0';
    if (breakAdded)
        strcpy(TaskTable[0], "Break");
    int shortened = FitNamesToSettingsLimit();
    WriteResult result = WRITE_CANNOT_CREATE;
    char kept[260];
    if (GuardUnreadFile(kept, sizeof kept) == 0) {
        size_t length = BuildSettingsText(fileBuffer, FILE_BUFFER_SIZE);
        result = ReplaceWholeFile(kFileName, fileBuffer, length);
    }
    if (result != WRITE_OK) {
        if (breakAdded)
            TaskTable[0][0] = '\0';
        ShowMessage(owner,
                    result == WRITE_FAILED ? "setting.ini file write error."
                                           : "setting.ini file open error.",
                    "OPEN ERROR", MESSAGE_ERROR);
        return -1;
    }
    settingsFileKnown = 1;
    // Told only now: a message box runs a message loop, and the save is complete.
    if (kept[0] != '\0')
        ReportKeptFile(owner, kept);
    if (shortened > 0)
        ShowMessage(owner,
                    "Some task names were too long to fit in setting.ini and were shortened.",
                    "Warning", MESSAGE_WARNING);
    return 0;
}

void ResetSettingsFileState()
{
    settingsFileKnown = 0;
    settingsFileUnread = 0;
}
