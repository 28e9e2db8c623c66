#include "settings/settings_file.h"

#include <stddef.h>
#include <string.h>

#include <algorithm>

#include "base/decimal_number.h"
#include "base/kept_file.h"
#include "base/pixel_scale.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "base/unicode_text.h"
#include "settings/list_fit.h"
#include "tasks/task_table.h"

SettingsRecord Settings;

const ColourGroup kColourGroups[COLOUR_GROUPS] = {
    {{"backR=", "backG=", "backB="}, {&Settings.backR, &Settings.backG, &Settings.backB}},
    {{"rectR=", "rectG=", "rectB="}, {&Settings.rectR, &Settings.rectG, &Settings.rectB}},
    {{"text1R=", "text1G=", "text1B="}, {&Settings.text1R, &Settings.text1G, &Settings.text1B}},
    {{"text2R=", "text2G=", "text2B="}, {&Settings.text2R, &Settings.text2G, &Settings.text2B}},
};

unsigned long ComposeColour(int red, int green, int blue)
{
    return static_cast<unsigned long>(red & 255) | (static_cast<unsigned long>(green & 255) << 8) |
           (static_cast<unsigned long>(blue & 255) << 16);
}

unsigned long SettingsColour(int group)
{
    int* const* c = kColourGroups[group].component;
    return ComposeColour(*c[0], *c[1], *c[2]);
}

namespace {

const char kFileName[] = "setting.ini";

// The whole file text, read and built here only, one operation at a time; nothing holds it
// across a message box.
char settingsText[SETTINGS_TEXT_LIMIT + 1];

// The keys after the 50 slots, in the order they are written, the colours' keys after them;
// fontface is the one without a number.
struct NamedKey {
    const char* key;
    int* number;
};
// current_task and fontface have no field here: their lines are read and written by name.
const NamedKey kLeadingKeys[] = {
    {"current_task=", nullptr},       {"winX=", &Settings.winX},
    {"winY=", &Settings.winY},        {"wintop=", &Settings.wintop},
    {"fsize=", &Settings.fsize},      {"fontface=", nullptr},
    {"ftype=", &Settings.ftype},      {"toumeido=", &Settings.toumeido},
};
// After the colours: the hotkey, which readers of the 70 lines pass over as a key they
// do not know.
const NamedKey kTrailingKeys[] = {{"hotkey=", &Settings.hotkey}};
enum {
    LEADING_KEYS = sizeof kLeadingKeys / sizeof kLeadingKeys[0],
    COLOUR_KEYS = LEADING_KEYS + 3 * COLOUR_GROUPS, // where the colours' keys end
    NAMED_KEYS = COLOUR_KEYS + sizeof kTrailingKeys / sizeof kTrailingKeys[0],
    KEY_COUNT = TASK_SLOTS + NAMED_KEYS, // slot keys first, then the named ones
    CURRENT_TASK_KEY = TASK_SLOTS,
    FONTFACE_KEY = TASK_SLOTS + 5
};

NamedKey KeyAt(int k)
{
    if (k < LEADING_KEYS)
        return kLeadingKeys[k];
    if (k >= COLOUR_KEYS)
        return kTrailingKeys[k - COLOUR_KEYS];
    const ColourGroup& group = kColourGroups[(k - LEADING_KEYS) / 3];
    int c = (k - LEADING_KEYS) % 3;
    return NamedKey{group.key[c], group.component[c]};
}

// Where each key's value starts in the text and how long it is; -1 for a key not found.
struct KeyPositions {
    long at[KEY_COUNT];
    size_t length[KEY_COUNT];
    int untaken; // a line was not taken, or not whole
};

int SameIgnoringCase(const char* text, const char* key, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (LowerAscii(text[i]) != LowerAscii(key[i]))
            return 0;
    }
    return 1;
}

// The key a line of `room` bytes begins with, or -1; keys are compared without case.
int KeyOfLine(const char* line, size_t room, size_t* keyLength)
{
    *keyLength = 3;
    if (room >= 3 && line[0] >= '0' && line[0] <= '4' && line[1] >= '0' && line[1] <= '9' &&
        line[2] == '=')
        return (line[0] - '0') * 10 + (line[1] - '0');
    for (int k = 0; k < NAMED_KEYS; ++k) {
        *keyLength = strlen(KeyAt(k).key);
        if (*keyLength <= room && SameIgnoringCase(line, KeyAt(k).key, *keyLength))
            return TASK_SLOTS + k;
    }
    return -1;
}

// The most of a value that the load keeps.
size_t ValueLimit(int key)
{
    if (key < TASK_SLOTS)
        return TASK_NAME_SIZE - 1;
    return key == FONTFACE_KEY ? FONTFACE_SIZE - 1 : SETTINGS_TEXT_LIMIT;
}

int IsBlank(const char* text, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (text[i] != ' ' && text[i] != '\t')
            return 0;
    }
    return 1;
}

// The line from `start` to `end` (its LF or the text's end): the first one for its key
// gives that key's value, which runs to the first CR.
void NoteLine(const char* text, size_t start, size_t end, KeyPositions* found)
{
    if (end > start && text[end - 1] == '\r')
        --end;
    const char* line = text + start;
    size_t room = end - start;
    size_t keyLength = 0;
    int key = KeyOfLine(line, room, &keyLength);
    if (key >= 0 && found->at[key] < 0) {
        const char* value = line + keyLength;
        const void* cr = memchr(value, '\r', room - keyLength);
        size_t length = cr != nullptr ? static_cast<size_t>(static_cast<const char*>(cr) - value)
                                      : room - keyLength;
        found->at[key] = static_cast<long>(start + keyLength);
        found->length[key] = length;
        if (length < room - keyLength || length > ValueLimit(key))
            found->untaken = 1;
    } else if (!IsBlank(line, room)) {
        found->untaken = 1;
    }
}

// One pass over the lines, each ended by LF or CR LF.
void FindAllKeys(const char* text, size_t length, KeyPositions* found)
{
    for (int k = 0; k < KEY_COUNT; ++k)
        found->at[k] = -1;
    found->untaken = 0;
    size_t start = 0;
    while (start < length) {
        const void* lf = memchr(text + start, '\n', length - start);
        size_t end = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - text) : length;
        NoteLine(text, start, end, found);
        start = end + 1;
    }
}

// A value outside low..high becomes `outside`.
int Within(int value, int low, int high, int outside)
{
    return (value < low || value > high) ? outside : value;
}

void ClampSettings()
{
    // A place outside the screen area goes to its origin: 0, 0 with one monitor.
    Settings.winX = Within(Settings.winX, screenLeft, screenLeft + screenWidth, screenLeft);
    Settings.winY = Within(Settings.winY, screenTop, screenTop + screenHeight, screenTop);
    Settings.fsize = std::clamp(Settings.fsize, int(FSIZE_LOWEST), int(FSIZE_HIGHEST));
    Settings.toumeido = std::clamp(Settings.toumeido, int(TOUMEIDO_LOWEST), int(TOUMEIDO_HIGHEST));
    for (const ColourGroup& group : kColourGroups) {
        for (int* component : group.component)
            *component = Within(*component, COLOUR_LOWEST, COLOUR_HIGHEST, 0);
    }
    Settings.hotkey = Within(Settings.hotkey, 0, HOTKEY_HIGHEST, 0);
}

// Takes the value of key `k`, `length` bytes at `value`, into the table or the record.
void TakeValue(int k, const char* value, size_t length)
{
    if (k < TASK_SLOTS)
        CopyText(TaskTable[k], TASK_NAME_SIZE, value, length);
    else if (k == CURRENT_TASK_KEY)
        current_task = ParseDecimal(value); // the slot the last run left as running
    else if (k != FONTFACE_KEY)
        *KeyAt(k - TASK_SLOTS).number = ParseDecimal(value);
    else if (length <= FONTFACE_SIZE - 1) // a longer face is none the system has: it stays
        CopyText(Settings.fontface, FONTFACE_SIZE, value, length);
}

// Line k of the keys after the slots, CR LF included.
void AppendNamedLine(TextBuilder* b, int k)
{
    NamedKey key = KeyAt(k);
    AppendText(b, key.key);
    if (k == CURRENT_TASK_KEY - TASK_SLOTS)
        AppendInt(b, current_task);
    else if (k == FONTFACE_KEY - TASK_SLOTS)
        AppendText(b, Settings.fontface);
    else
        AppendInt(b, *key.number);
    AppendText(b, "\r\n");
}

size_t SettingsTextLength()
{
    size_t total = 0;
    for (int i = 0; i < TASK_SLOTS; ++i)
        total += 3 + strlen(TaskTable[i]) + 2;
    char line[FONTFACE_SIZE + 32];
    for (int k = 0; k < NAMED_KEYS; ++k) {
        TextBuilder b = {line, sizeof line, 0};
        AppendNamedLine(&b, k);
        total += b.length;
    }
    return total;
}

// What this run knows of the file on disk: the version it last read whole or wrote, and
// why a file that is not that version would be kept aside before a save replaces it.
const char kUnreadReason[] = "could not be read";
const char kUntakenReason[] = "held lines that Vornet does not use";
const char kChangedReason[] = "was changed by another program";
const char kLossyReason[] = "held characters that this system's code page cannot show";
int stampKnown;
FileStamp knownStamp;
const char* keepReason = kChangedReason;

void KnowFileAs(const FileStamp& stamp)
{
    stampKnown = 1;
    knownStamp = stamp;
    keepReason = kChangedReason;
}

// 0 when a save may replace what is on disk: nothing there, the version this run knows,
// or another one now kept aside under the name put in `kept`. -1 when it could not be moved.
int KeepUnknownFileAside(char* kept, size_t keptSize)
{
    kept[0] = '\0';
    FileStamp now;
    if (!ReadFileStamp(kFileName, &now) ||
        (stampKnown && now.size == knownStamp.size && now.written == knownStamp.written))
        return 0;
    if (KeepFileAside(kFileName, kept, keptSize) == 0)
        return 0;
    kept[0] = '\0';
    return -1;
}

// A kept file is always named: also when the new one could not be written after it.
void ReportKeptFile(OwnerWindow owner, const char* reason, const char* kept, WriteResult result)
{
    char text[512];
    TextBuilder b = {text, sizeof text, 0};
    if (result != WRITE_OK)
        AppendText(&b, result == WRITE_FAILED ? "setting.ini file write error.\r\n\r\nThe "
                                              : "setting.ini file open error.\r\n\r\nThe ");
    AppendText(&b, "setting.ini ");
    AppendText(&b, reason);
    AppendText(&b, ", so it was kept as ");
    AppendText(&b, kept);
    AppendText(&b, result == WRITE_OK ? " before a new setting.ini was written."
                                      : ". No new setting.ini could be written.");
    TellUser(owner, text, result == WRITE_OK ? "Warning" : "OPEN ERROR",
             result == WRITE_OK ? MESSAGE_WARNING : MESSAGE_ERROR);
}

int ReportTooLarge(OwnerWindow owner)
{
    char kept[260];
    char text[512];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "setting.ini file size too large.");
    if (KeepFileAside(kFileName, kept, sizeof kept) == 0) {
        AppendText(&b, "\r\n\r\nThe file was kept as ");
        AppendText(&b, kept);
        AppendText(&b, "; a new setting.ini will be written.");
    } else {
        keepReason = kUnreadReason;
    }
    TellUser(owner, text, "SIZE ERROR", MESSAGE_ERROR);
    return -1;
}

WriteResult WriteSettingsText()
{
    size_t length = BuildSettingsText(settingsText, sizeof settingsText);
    FileStamp stamp;
    WriteResult result = ReplaceWholeFile(kFileName, settingsText, length, &stamp);
    // A folder that takes no new file still lets its setting.ini be rewritten.
    if (result == WRITE_NO_TEMPORARY)
        result = RewriteWholeFile(kFileName, settingsText, length, &stamp);
    if (result == WRITE_OK)
        KnowFileAs(stamp);
    return result;
}

} // namespace

void SetDefaultSettings()
{
    Settings.winX = screenLeft + screenWidth / 2;
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
    Settings.hotkey = HOTKEY_DEFAULT;
    ClearTaskTable();
    current_task = 0;
    lastRow = 1;
}

void RecountLastRow()
{
    for (int i = 0; i < TASK_SLOTS; ++i) {
        if (TaskTable[i][0] != '\0')
            lastRow = i == LAST_SLOT ? LAST_SLOT : i + 1;
    }
    RowGrid rows = ListRowGrid(Settings.fsize, windowDpi);
    lastRow = std::max(0, std::min(lastRow, LastRowThatFits(screenHeight, rows)));
}

int ParseSettingsText(const char* text, size_t length)
{
    const void* nul = memchr(text, '\0', length);
    size_t end = nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - text) : length;
    // Anything but NULs after the first NUL is text the load does not take.
    int untaken = std::count(text + end, text + length, '\0') != static_cast<ptrdiff_t>(length - end);
    // Windows editors may start a UTF-8 file with a byte-order mark.
    size_t start = end >= 3 && memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
    KeyPositions found;
    FindAllKeys(text + start, end - start, &found);
    const char* base = text + start;
    for (int k = 0; k < KEY_COUNT; ++k) {
        if (found.at[k] >= 0)
            TakeValue(k, base + found.at[k], found.length[k]);
    }
    ClampSettings();
    RecountLastRow();
    return untaken | found.untaken;
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
    while (excess > 0) {
        --cap;
        for (int i = 0; i < TASK_SLOTS && excess > 0; ++i) {
            if (lengths[i] > cap)
                --excess;
        }
    }
    int shortened = 0;
    for (int i = 0; i < TASK_SLOTS; ++i) {
        if (lengths[i] > cap) {
            TaskTable[i][CharacterBoundary(TaskTable[i], cap)] = '\0';
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
    for (int k = 0; k < NAMED_KEYS; ++k)
        AppendNamedLine(&b, k);
    return b.length;
}

int LoadSettings(OwnerWindow owner)
{
    size_t length;
    FileStamp stamp;
    ReadResult result = ReadWholeFile(kFileName, settingsText, SETTINGS_TEXT_LIMIT, &length, &stamp);
    if (result == READ_TOO_LARGE)
        return ReportTooLarge(owner);
    if (result != READ_OK) {
        // A file this run wrote is ours even while another program holds it.
        if (!stampKnown)
            keepReason = kUnreadReason;
        SaveSettings(owner);
        return 0;
    }
    // A file saved in Unicode is taken in the system's code page; the next save writes it so.
    int lossy = TakeTextAsAnsi(settingsText, &length) == TEXT_CONVERTED_LOSSY;
    settingsText[length] = '\0';
    int untaken = ParseSettingsText(settingsText, length);
    if (lossy || untaken) {
        stampKnown = 0;
        keepReason = lossy ? kLossyReason : kUntakenReason;
    } else {
        KnowFileAs(stamp);
    }
    return 0;
}

int SaveSettings(OwnerWindow owner)
{
    // The file always names a break task; memory takes it only once the file is written.
    int breakAdded = TaskTable[0][0] == '\0';
    if (breakAdded)
        strcpy(TaskTable[0], "Break");
    int shortened = FitNamesToSettingsLimit();
    const char* reason = keepReason;
    char kept[260];
    WriteResult result = WRITE_CANNOT_CREATE;
    if (KeepUnknownFileAside(kept, sizeof kept) == 0)
        result = WriteSettingsText();
    if (result != WRITE_OK && breakAdded)
        TaskTable[0][0] = '\0';
    // Told only now: a message box runs a message loop, and the save is complete.
    if (kept[0] != '\0')
        ReportKeptFile(owner, reason, kept, result);
    else if (result != WRITE_OK)
        TellFileError(owner, kFileName, result);
    if (result != WRITE_OK)
        return -1;
    if (shortened > 0)
        TellUser(owner, "Some task names were too long to fit in setting.ini and were shortened.",
                 "Warning", MESSAGE_WARNING);
    return 0;
}

void RecountAfterSave(OwnerWindow owner, int saveResult)
{
    if (saveResult == 0)
        LoadSettings(owner);
    else
        RecountLastRow();
}

void ResetSettingsFileState()
{
    stampKnown = 0;
    keepReason = kChangedReason;
}
