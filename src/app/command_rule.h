// The rule every command of the menus and keys obeys before it runs, and what may follow it.
#pragma once

// What a command needs. A menu or key may send a command at any moment: one that arrives
// while a dialog or message box is open, or with the list closed, is refused.
enum CommandNeeds { NEEDS_NOTHING = 0, NEEDS_NO_DIALOG = 1, NEEDS_OPEN_LIST = 2 };
// 1 when the shell's flags give the command what it needs.
int CommandMayRun(int needs);

// What follows a command that changed the table or the settings, always in this order: the
// new font, the save, the file read back (so that its rows are recounted), the refit and
// collapse of the window, a redraw.
enum Refresh {
    REFRESH_NONE = 0,
    REFRESH_FONT = 1,
    REFRESH_SAVE = 2,
    REFRESH_RELOAD = 4 | REFRESH_SAVE,
    REFRESH_COLLAPSE = 8,
    REFRESH_REDRAW = 16
};
