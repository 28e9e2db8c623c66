// The commands of the menus and keys: what each needs, what it does, and what follows it.
#include "app/command_table_win32.h"

#include "app/command_rule.h"
#include "app/hotkey_win32.h"
#include "app/startup_shortcut.h"
#include "app/version_box_win32.h"
#include "base/shell_state.h"
#include "display/accessible_strip_win32.h"
#include "display/painting_win32.h"
#include "display/window_placement_win32.h"
#include "properties/properties_dialog_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/backdated_change_dialog_win32.h"
#include "tasks/edit_task_dialog_win32.h"
#include "tasks/task_table.h"
#include "tasks/task_switch.h"

namespace {

// The one follow-up of every change, in the order of the Refresh flags.
void RefreshAfter(HWND window, int refresh)
{
    if (sessionEnding)
        return; // the end of the session has written everything; the process ends now
    if (refresh & REFRESH_FONT)
        RecreateTaskFont();
    int saved = (refresh & REFRESH_SAVE) ? SaveSettings(window) : 0;
    if ((refresh & REFRESH_RELOAD) == REFRESH_RELOAD)
        RecountAfterSave(window, saved);
    if (refresh & REFRESH_COLLAPSE) {
        FitWindowToTasks();
        CollapseList(window);
        GiveKeyboardBack();
    }
    if (refresh & REFRESH_REDRAW)
        Repaint(window);
}

int RunVersion(HWND window)
{
    ShowVersionBox(window);
    return REFRESH_NONE;
}

int SwitchKeepingListOpen(HWND window)
{
    SwitchToSelectedTask(window);
    AnnounceStripName(window);
    return REFRESH_NONE;
}

int SwitchAndCollapse(HWND window)
{
    SwitchToSelectedTask(window); // refuses itself while a dialog is open
    AnnounceStripName(window);
    return REFRESH_COLLAPSE;
}

int CloseList(HWND)
{
    return REFRESH_COLLAPSE;
}

int Exit(HWND window)
{
    DestroyWindow(window);
    return REFRESH_NONE;
}

int DeleteTask(HWND window)
{
    switch (DeleteSelectedTask(window)) {
    case DELETE_DONE:
        return REFRESH_RELOAD | REFRESH_COLLAPSE;
    case DELETE_RUNNING_TASK:
        return REFRESH_NONE; // the warning was shown; the list stays open
    default:
        return REFRESH_COLLAPSE; // row 0 or past the table: nothing to delete
    }
}

int Sort(HWND)
{
    SortTasks();
    return REFRESH_SAVE | REFRESH_REDRAW;
}

int EditTask(HWND window)
{
    RunEditTaskDialog(window);
    // After Cancel too: the read-back finds what memory holds, a switch since the last save
    // included.
    return REFRESH_RELOAD | REFRESH_COLLAPSE;
}

int ChangeProperties(HWND window)
{
    int applied = RunPropertiesDialog(window, &previewFont);
    FollowHotkeySetting(window);
    // After Cancel too: the save writes the file, the collapse applies opacity and z-order.
    return (applied ? REFRESH_FONT : REFRESH_NONE) | REFRESH_SAVE | REFRESH_COLLAPSE;
}

int ChangeWithTimeBack(HWND window)
{
    RunBackdatedChange(window);
    AnnounceStripName(window);
    return REFRESH_COLLAPSE;
}

int StartWithWindows(HWND window)
{
    ToggleStartWithWindows(window);
    return REFRESH_NONE;
}

// Exit, Sort and Ctrl+C need no open dialog too: a dialog or box keeps the menus and keys
// from sending them, and one that came all the same would end or change the run inside it.
struct CommandRoute {
    WORD id;
    int needs;
    int (*run)(HWND window); // returns the refresh that follows
    int whenRefused;         // Delete and the back-dated change close the list even then
};

const CommandRoute kCommands[] = {
    {IDM_VERSION, NEEDS_NO_DIALOG, RunVersion, REFRESH_NONE},
    {IDM_SWITCH_KEEP_OPEN, NEEDS_NO_DIALOG | NEEDS_OPEN_LIST, SwitchKeepingListOpen, REFRESH_NONE},
    {IDM_CLOSE_LIST, NEEDS_NOTHING, CloseList, REFRESH_NONE},
    {IDM_EXIT, NEEDS_NO_DIALOG, Exit, REFRESH_NONE},
    {IDM_DELETE_TASK, NEEDS_NO_DIALOG | NEEDS_OPEN_LIST, DeleteTask, REFRESH_COLLAPSE},
    {IDM_SWITCH, NEEDS_NOTHING, SwitchAndCollapse, REFRESH_NONE},
    {IDM_ESCAPE, NEEDS_NO_DIALOG | NEEDS_OPEN_LIST, CloseList, REFRESH_NONE},
    {IDM_SORT, NEEDS_NO_DIALOG, Sort, REFRESH_NONE},
    {IDM_EDIT_TASK, NEEDS_NO_DIALOG | NEEDS_OPEN_LIST, EditTask, REFRESH_NONE},
    {IDM_PROPERTIES, NEEDS_NO_DIALOG, ChangeProperties, REFRESH_NONE},
    {IDM_BACKDATED, NEEDS_NO_DIALOG | NEEDS_OPEN_LIST, ChangeWithTimeBack, REFRESH_COLLAPSE},
    {IDM_START_WITH_WINDOWS, NEEDS_NO_DIALOG, StartWithWindows, REFRESH_NONE},
};

} // namespace

void RunCommand(HWND window, WORD id)
{
    for (const CommandRoute& command : kCommands) {
        if (command.id == id) {
            RefreshAfter(window, CommandMayRun(command.needs) ? command.run(window)
                                                              : command.whenRefused);
            return;
        }
    }
}

int HasCommandRoute(WORD id)
{
    for (const CommandRoute& command : kCommands) {
        if (command.id == id)
            return 1;
    }
    return 0;
}
