// Fuzzes setting.ini: any bytes are loaded as the file (through the in-memory file system of
// the unit tests), the loaded state is saved, and the saved text must load back to exactly
// that state, within the size limit. FindKey must agree with a plain reference search and
// with what the loader took. A second round lengthens the names towards 2047 characters or
// brings the whole text to within a few bytes of the limit, so that saving has to shorten
// them to fit.
#include <ctype.h>
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>

#include <string>
#include <vector>

#include "app/shell_state.h"
#include "fake_system.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        fprintf(stderr, "settings_text_fuzz: %s\n", what);
        abort();
    }
}

// Everything a load can change.
struct State {
    std::vector<std::string> names;
    std::vector<int> numbers;
    std::string fontface;
    bool operator==(const State& other) const
    {
        return names == other.names && numbers == other.numbers && fontface == other.fontface;
    }
};

State Snapshot()
{
    State s;
    for (int i = 0; i < TASK_SLOTS; ++i)
        s.names.push_back(TaskTable[i]);
    const SettingsRecord& r = Settings;
    s.numbers = {current_task, lastRow,  r.winX,   r.winY,   r.wintop, r.fsize,  r.ftype,
                 r.toumeido,   r.backR,  r.backG,  r.backB,  r.rectR,  r.rectG,  r.rectB,
                 r.text1R,     r.text1G, r.text1B, r.text2R, r.text2G, r.text2B};
    s.fontface = r.fontface;
    return s;
}

// The key search as the file format describes it, written plainly: every line start, a line
// being ended by CR LF, at least three characters following the key.
int ReferenceFindKey(const char* key, const char* text)
{
    size_t length = strlen(text);
    size_t keyLength = strlen(key);
    size_t pos = 0;
    while (pos + keyLength + 2 < length) {
        if (strncasecmp(text + pos, key, keyLength) == 0)
            return static_cast<int>(pos + keyLength);
        const void* end = memmem(text + pos, length - pos, "\r\n", 2);
        if (end == nullptr)
            break;
        pos = static_cast<size_t>(static_cast<const char*>(end) - text) + 2;
    }
    return -1;
}

std::string ValueAt(const char* text, int pos)
{
    std::string value;
    for (const char* p = text + pos; *p != '\0' && *p != '\r' && *p != '\n'; ++p)
        value += *p;
    return value;
}

// strtol with base 10, saturated at the 32-bit limits.
int ReferenceNumber(const std::string& value)
{
    errno = 0;
    long long n = strtoll(value.c_str(), nullptr, 10);
    if (n > INT32_MAX)
        return INT32_MAX;
    if (n < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(n);
}

struct NumericCheck {
    const char* key;
    int* field;
    int fallback; // the default, kept when the key is missing
    int low, high;
    enum { KEEP, ZERO_OUTSIDE, CLAMP } rule;
};

// FindKey (in both letter cases) against the reference, and the loaded value against it.
void CheckOneKey(const char* key, const char* text, int* found)
{
    int position = 0;
    int result = FindKey(key, &position, text);
    int expected = ReferenceFindKey(key, text);
    Require(result == (expected >= 0 ? 0 : -1), "FindKey finds what the reference finds");
    Require(expected < 0 || position == expected, "FindKey gives the reference's position");
    char upper[32];
    snprintf(upper, sizeof upper, "%s", key);
    for (char* c = upper; *c != '\0'; ++c)
        *c = static_cast<char>(toupper(static_cast<unsigned char>(*c)));
    int upperPosition = 0;
    Require(FindKey(upper, &upperPosition, text) == result && upperPosition == position,
            "FindKey ignores letter case");
    *found = expected;
}

void CheckNumericKeys(const char* text, unsigned pick)
{
    NumericCheck checks[] = {
        {"current_task=", &current_task, 0, 0, 0, NumericCheck::KEEP},
        {"winX=", &Settings.winX, 960, 0, 1920, NumericCheck::ZERO_OUTSIDE},
        {"winY=", &Settings.winY, 0, 0, 1080, NumericCheck::ZERO_OUTSIDE},
        {"wintop=", &Settings.wintop, 1, 0, 0, NumericCheck::KEEP},
        {"fsize=", &Settings.fsize, 18, 6, 256, NumericCheck::CLAMP},
        {"ftype=", &Settings.ftype, 400, 0, 0, NumericCheck::KEEP},
        {"toumeido=", &Settings.toumeido, 255, 1, 255, NumericCheck::CLAMP},
        {"backG=", &Settings.backG, 0, 0, 255, NumericCheck::ZERO_OUTSIDE},
        {"rectR=", &Settings.rectR, 192, 0, 255, NumericCheck::ZERO_OUTSIDE},
        {"text1B=", &Settings.text1B, 255, 0, 255, NumericCheck::ZERO_OUTSIDE},
        {"text2B=", &Settings.text2B, 192, 0, 255, NumericCheck::ZERO_OUTSIDE},
    };
    const unsigned count = sizeof checks / sizeof checks[0];
    // A few keys every time, one more chosen by the input.
    unsigned chosen[] = {0, 1, 4, 10, pick % count};
    for (unsigned k : chosen) {
        const NumericCheck& c = checks[k];
        int pos = -1;
        CheckOneKey(c.key, text, &pos);
        int value = pos < 0 ? c.fallback : ReferenceNumber(ValueAt(text, pos));
        if (pos >= 0 && c.rule == NumericCheck::ZERO_OUTSIDE && (value < c.low || value > c.high))
            value = 0;
        if (pos >= 0 && c.rule == NumericCheck::CLAMP)
            value = value < c.low ? c.low : (value > c.high ? c.high : value);
        Require(*c.field == value, "a numeric field holds what its first key line says");
    }
}

void CheckSlotAndFaceKeys(const char* text, unsigned pick)
{
    int slots[] = {0, 1, 49, static_cast<int>(pick % TASK_SLOTS)};
    for (int slot : slots) {
        char key[8];
        snprintf(key, sizeof key, "%02d=", slot);
        int pos = -1;
        CheckOneKey(key, text, &pos);
        std::string name;
        if (pos >= 0)
            name = ValueAt(text, pos).substr(0, TASK_NAME_SIZE - 1);
        Require(name == TaskTable[slot], "a slot holds what its first key line says");
    }
    int pos = -1;
    CheckOneKey("fontface=", text, &pos);
    std::string face = pos < 0 ? std::string() : ValueAt(text, pos);
    if (pos < 0 || face.size() > FONTFACE_SIZE - 1)
        face = "Arial";
    Require(face == Settings.fontface, "the face name is the file's when it fits");
}

// 70 lines, each ended by CR LF, keys in the saved order.
void CheckSavedLayout(const std::string& text)
{
    static const char* const tail[] = {
        "current_task=", "winX=",   "winY=",   "wintop=", "fsize=",  "fontface=", "ftype=",
        "toumeido=",     "backR=",  "backG=",  "backB=",  "rectR=",  "rectG=",    "rectB=",
        "text1R=",       "text1G=", "text1B=", "text2R=", "text2G=", "text2B="};
    Require(text.size() <= SETTINGS_TEXT_LIMIT, "a save never exceeds the loader's limit");
    size_t pos = 0;
    for (int line = 0; line < 70; ++line) {
        size_t end = text.find("\r\n", pos);
        Require(end != std::string::npos, "every saved line ends with CR LF");
        char key[16];
        if (line < TASK_SLOTS)
            snprintf(key, sizeof key, "%02d=", line);
        else
            snprintf(key, sizeof key, "%s", tail[line - TASK_SLOTS]);
        Require(text.compare(pos, strlen(key), key) == 0, "the saved keys are in order");
        pos = end + 2;
    }
    Require(pos == text.size(), "nothing follows line 70");
}

// Saves the state in memory, as the program does, and loads the file into a fresh state.
void CheckRoundTrip(const std::vector<std::string>& before)
{
    size_t messagesBefore = fake.messages.size();
    Require(SaveSettings(nullptr) == 0, "the save succeeds");
    State saved = Snapshot();
    std::string text = FileText("setting.ini");
    CheckSavedLayout(text);
    std::vector<char> built(FILE_BUFFER_SIZE);
    size_t builtLength = BuildSettingsText(built.data(), built.size());
    Require(text == std::string(built.data(), builtLength), "the file is the built text");

    // Shortened names: prefixes, only the longest, and no more than needed.
    size_t cap = TASK_NAME_SIZE - 1;
    int shortened = 0;
    for (int i = 0; i < TASK_SLOTS; ++i) {
        size_t now = saved.names[i].size();
        Require(before[i].compare(0, now, saved.names[i]) == 0, "a saved name is a prefix");
        if (now < before[i].size()) {
            ++shortened;
            cap = now;
        }
    }
    size_t above = 0;
    for (int i = 0; i < TASK_SLOTS; ++i) {
        Require(saved.names[i].size() == before[i].size() || saved.names[i].size() == cap,
                "names are cut to one common length");
        above += before[i].size() > cap ? 1 : 0;
    }
    Require(shortened == 0 || text.size() + above > SETTINGS_TEXT_LIMIT,
            "names are cut no more than the limit needs");
    Require(fake.messages.size() == messagesBefore + (shortened > 0 ? 1 : 0),
            "a warning exactly when names were shortened");

    SetDefaultSettings();
    Require(LoadSettings(nullptr) == 0, "the saved file loads");
    Require(Snapshot() == saved, "the saved file loads back to the state that was saved");
    Require(SaveSettings(nullptr) == 0 && FileText("setting.ini") == text,
            "saving again writes the same bytes");
}

// The names as a save must write them: an empty slot 0 becomes "Break".
std::vector<std::string> NamesToSave()
{
    std::vector<std::string> names;
    for (int i = 0; i < TASK_SLOTS; ++i)
        names.push_back(TaskTable[i]);
    if (names[0].empty())
        names[0] = "Break";
    return names;
}

// Lengthens the name in `slot` to `target` characters by repeating it (or `fill`, when empty).
void RepeatName(int slot, size_t target, char fill)
{
    char* name = TaskTable[slot];
    size_t length = strlen(name);
    if (length == 0) {
        name[0] = fill;
        length = 1;
    }
    while (length < target) {
        size_t copy = length < target - length ? length : target - length;
        memcpy(name + length, name, copy);
        length += copy;
    }
    name[length] = '\0';
}

// Lengthens the named slots towards 2047 characters by repeating each name.
void GrowNames(const uint8_t* data, size_t size)
{
    for (int i = 0; i < TASK_SLOTS; ++i) {
        uint8_t b = data[static_cast<size_t>(i) % size];
        size_t length = strlen(TaskTable[i]);
        if (length == 0 || (b & 0x10) != 0)
            continue;
        RepeatName(i, TASK_NAME_SIZE - 1 - (b & 0x0f), 'x');
    }
}

// Length of the saved text with every name empty.
size_t TextWithoutNames()
{
    std::vector<std::string> names;
    for (int i = 0; i < TASK_SLOTS; ++i) {
        names.push_back(TaskTable[i]);
        TaskTable[i][0] = '\0';
    }
    std::vector<char> built(FILE_BUFFER_SIZE);
    size_t length = BuildSettingsText(built.data(), built.size());
    for (int i = 0; i < TASK_SLOTS; ++i)
        SetTaskName(i, names[i].c_str());
    return length;
}

// Names in all 50 slots whose text comes to within a few bytes of the limit, on either side.
void NamesAtTheLimit(const uint8_t* data, size_t size)
{
    for (int i = 0; i < TASK_SLOTS; ++i)
        RepeatName(i, TASK_NAME_SIZE - 1, static_cast<char>('a' + i % 26));
    // Every slot is named now: the list reaches row 49 where the screen allows it.
    lastRow = LAST_SLOT;
    if (1080 < static_cast<long long>(Settings.fsize) * (lastRow + 2) + 12)
        lastRow = (1080 - 12) / Settings.fsize - 1;
    size_t total = TextWithoutNames() + TASK_SLOTS * (TASK_NAME_SIZE - 1);
    size_t target = SETTINGS_TEXT_LIMIT - 16 + data[size - 1] % 64;
    size_t excess = total > target ? total - target : 0;
    for (size_t i = 0; excess > 0; i = (i + 1) % TASK_SLOTS) {
        size_t length = strlen(TaskTable[i]);
        size_t cut = data[(i * 7) % size] + 1u;
        cut = cut < excess ? cut : excess;
        cut = cut < length - 1 ? cut : length - 1;
        TaskTable[i][length - cut] = '\0';
        excess -= cut;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ResetFakeSystem();
    std::string file(reinterpret_cast<const char*>(data), size);
    fake.files["setting.ini"].content = file;
    State defaults = Snapshot();
    int result = LoadSettings(nullptr);
    if (size > SETTINGS_TEXT_LIMIT) {
        Require(result == -1, "a file over the limit is refused");
        Require(Snapshot() == defaults, "a refused file changes nothing");
        Require(fake.messages.size() == 1 && fake.messages[0].title == "SIZE ERROR",
                "a refused file is reported");
        Require(FileText("setting-kept-1.ini") == file, "a refused file is kept aside whole");
        return 0;
    }
    Require(result == 0 && fake.messages.empty(), "a file within the limit loads quietly");
    std::string text = file.substr(0, strlen(file.c_str())); // the text ends at a NUL
    unsigned pick = size > 0 ? data[size - 1] : 0;
    CheckNumericKeys(text.c_str(), pick);
    CheckSlotAndFaceKeys(text.c_str(), pick);

    CheckRoundTrip(NamesToSave());
    if (size > 0) {
        // Half the inputs lengthen the names they hold, half bring the text to the limit.
        if (data[size - 1] & 0x40)
            GrowNames(data, size);
        else
            NamesAtTheLimit(data, size);
        CheckRoundTrip(NamesToSave());
    }
    return 0;
}
