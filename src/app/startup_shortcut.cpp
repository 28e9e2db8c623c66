#include "app/startup_shortcut.h"

#include "base/shell_state.h"
#include "base/text_builder.h"

namespace {

enum { PATH_SIZE = 520, SHORTCUT_NAMES = 9 };

void ShortcutName(int n, char* name, size_t size)
{
    TextBuilder b = {name, size, 0};
    AppendText(&b, "Vornet");
    if (n > 1) {
        AppendText(&b, " (");
        AppendInt(&b, n);
        AppendText(&b, ")");
    }
    AppendText(&b, ".lnk");
}

// Windows compares file names without regard to case.
int SamePath(const char* a, const char* b)
{
    for (; *a != '\0' && LowerAscii(*a) == LowerAscii(*b); ++a, ++b) {
    }
    return LowerAscii(*a) == LowerAscii(*b);
}

// What shortcut `n` holds: 1 ours, 0 none, -1 another's (or unreadable: not ours to touch).
int ShortcutOwner(int n)
{
    char name[32], program[PATH_SIZE], folder[PATH_SIZE], ourProgram[PATH_SIZE], ourFolder[PATH_SIZE];
    ShortcutName(n, name, sizeof name);
    int found = ReadStartupShortcut(name, program, sizeof program, folder, sizeof folder);
    if (found <= 0)
        return found < 0 ? -1 : 0;
    ReadProgramPlace(ourProgram, sizeof ourProgram, ourFolder, sizeof ourFolder);
    return SamePath(program, ourProgram) && SamePath(folder, ourFolder) ? 1 : -1;
}

// The first shortcut that is `owner`'s (1 ours, 0 a free name), or 0 when none is.
int FirstShortcut(int owner)
{
    for (int n = 1; n <= SHORTCUT_NAMES; ++n) {
        if (ShortcutOwner(n) == owner)
            return n;
    }
    return 0;
}

} // namespace

int StartsWithWindows()
{
    return FirstShortcut(1) != 0;
}

void ToggleStartWithWindows(OwnerWindow owner)
{
    char name[32];
    int ours = FirstShortcut(1);
    if (ours != 0) {
        ShortcutName(ours, name, sizeof name);
        if (RemoveStartupShortcut(name) != 0)
            TellUser(owner, "The shortcut in the Startup folder could not be removed.", "Warning",
                     MESSAGE_WARNING);
        return;
    }
    int unused = FirstShortcut(0); // none when other folders' Vornets hold every name
    char program[PATH_SIZE], folder[PATH_SIZE];
    ReadProgramPlace(program, sizeof program, folder, sizeof folder);
    ShortcutName(unused, name, sizeof name);
    if (unused == 0 || MakeStartupShortcut(name, program, folder) != 0)
        TellUser(owner, "A shortcut could not be made in the Startup folder.", "Warning",
                 MESSAGE_WARNING);
}
