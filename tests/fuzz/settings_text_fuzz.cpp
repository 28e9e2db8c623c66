// Any setting.ini: the load never crashes, never reads past the text, and what it takes
// survives a save: saved and loaded again it is the same state and the same file.
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "base/shell_state.h"
#include "base/utf8.h"
#include "fake_system.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

// The failed property's line is what a finding needs first.
#define Require(condition) \
    ((condition) ? (void)0 : (fprintf(stderr, "property at line %d\n", __LINE__), abort()))

namespace {

struct State {
    SettingsRecord settings;
    char table[TASK_SLOTS][TASK_NAME_SIZE];
    int lastRow, current;
};

const State& Take()
{
    static State s; // 100 KB: not on the stack
    s.settings = Settings;
    memcpy(s.table, TaskTable, sizeof TaskTable);
    s.lastRow = lastRow;
    s.current = current_task;
    return s;
}

// Bytes past a terminator are not state: compare up to it.
bool Same(const State& a, const State& b)
{
    if (memcmp(&a.settings, &b.settings, offsetof(SettingsRecord, fontface)) != 0 ||
        strcmp(a.settings.fontface, b.settings.fontface) != 0)
        return false;
    for (int slot = 0; slot < TASK_SLOTS; ++slot)
        if (strcmp(a.table[slot], b.table[slot]) != 0)
            return false;
    return a.lastRow == b.lastRow && a.current == b.current;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    ResetFakeSystem();
    PutFile("setting.ini", std::string(reinterpret_cast<const char*>(data), size));
    if (LoadSettings(nullptr) != 0)
        return 0; // too large: refused, nothing taken
    Require(lastRow >= 0 && lastRow <= LAST_SLOT);
    Require(Settings.fontface[FONTFACE_SIZE - 1] == '\0');
    for (int slot = 0; slot < TASK_SLOTS; ++slot)
        Require(memchr(TaskTable[slot], '\0', TASK_NAME_SIZE) != nullptr);
    Require(SaveSettings(nullptr) == 0);
    static State loaded; // as saved: the save names an empty break task and fits the names
    loaded = Take();
    std::string saved = FileText("setting.ini");
    Require(saved.size() <= SETTINGS_TEXT_LIMIT);
    // Names whose 8-bit bytes happen to form UTF-8 are read as UTF-8 (the rule for files
    // Unicode editors save): such a text cannot come back the same.
    if (IsMultibyteUtf8(saved.data(), saved.size()))
        return 0;
    ResetFakeSystem();
    PutFile("setting.ini", saved);
    Require(LoadSettings(nullptr) == 0);
    Require(Same(loaded, Take()));
    Require(SaveSettings(nullptr) == 0);
    Require(FileText("setting.ini") == saved);
    Require(!HasFile("setting-kept-1.ini")); // a file Vornet wrote is never kept aside
    return 0;
}
