// The main window's procedure: each message to a small handler, each command by table.
#include <windows.h>

#include "app/window_procedure_win32.h"

#include "app/command_rule.h"
#include "app/main_window_win32.h"
#include "app/pointer_gesture.h"
#include "app/session_lock_win32.h"
#include "app/tray_icon_win32.h"
#include "app/version_box_win32.h"
#include "base/shell_state.h"
#include "display/geometry.h"
#include "display/painting_win32.h"
#include "display/window_placement_win32.h"
#include "properties/properties_dialog_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/away_time.h"
#include "tasks/backdated_change_dialog_win32.h"
#include "tasks/edit_task_dialog_win32.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

namespace {

UINT taskbarCreatedMessage = 0;

// Posted to ourselves on a return, so that the question is not asked inside the system's
// own notice.
const UINT WM_ASK_ABOUT_AWAY = WM_APP + 1;
// Lock notices, without the header that declares them.
const UINT WM_SESSION_CHANGE = 0x02B1; // WM_WTSSESSION_CHANGE
const WPARAM SESSION_LOCK = 7;        // WTS_SESSION_LOCK
const WPARAM SESSION_UNLOCK = 8;      // WTS_SESSION_UNLOCK

void Repaint(HWND window)
{
    InvalidateRect(window, NULL, FALSE);
}

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
    return REFRESH_NONE;
}

int SwitchAndCollapse(HWND window)
{
    SwitchToSelectedTask(window); // refuses itself while a dialog is open
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
    int applied = RunPropertiesDialog(window, previewFont);
    // After Cancel too: the save writes the file, the collapse applies opacity and z-order.
    return (applied ? REFRESH_FONT : REFRESH_NONE) | REFRESH_SAVE | REFRESH_COLLAPSE;
}

int ChangeWithTimeBack(HWND window)
{
    RunBackdatedChange(window);
    return REFRESH_COLLAPSE;
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
};

LRESULT OnCreate(HWND window, WPARAM, LPARAM)
{
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    return InitMainWindow(window);
}

LRESULT OnDestroy(HWND window, WPARAM, LPARAM)
{
    return ShutdownMainWindow(window);
}

LRESULT OnPaint(HWND window, WPARAM, LPARAM)
{
    LRESULT result = PaintMainWindow(window);
    // Once the strip shows: loading the library first would delay the first paint.
    WatchSessionLocks(window);
    return result;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM)
{
    WORD id = LOWORD(wParam);
    for (const CommandRoute& command : kCommands) {
        if (command.id == id) {
            RefreshAfter(window, CommandMayRun(command.needs) ? command.run(window)
                                                              : command.whenRefused);
            break;
        }
    }
    return 0;
}

// Alt+F4 or another program's close request: refused while a dialog or box is up, as Exit is.
LRESULT OnClose(HWND window, WPARAM, LPARAM)
{
    if (dialogOpen == 0)
        DestroyWindow(window);
    return 0;
}

// A pointer passing over the window raises it but never takes the keyboard from the
// program the user is typing in.
void Hover(HWND window, LPARAM lParam)
{
    if (listOpen) {
        RaiseWithoutActivating(window);
        int y = static_cast<int>(HIWORD(lParam)); // unsigned 16 bits, as the rule reads it
        selectedRow = RowAtPointer(y, Settings.fsize, lastRow);
    } else if (dialogOpen == 0) {
        RaiseWithoutActivating(window);
    }
    Repaint(window);
}

LRESULT OnMouseMove(HWND window, WPARAM wParam, LPARAM lParam)
{
    switch (PointerMoved((wParam & MK_LBUTTON) != 0)) {
    case MOVE_START_DRAG:
        SendMessageA(window, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
        DragFinished();
        break;
    case MOVE_HOVER:
        Hover(window, lParam);
        break;
    case MOVE_COUNTING:
        break;
    }
    return 0;
}

LRESULT OnLeftButtonDown(HWND, WPARAM, LPARAM)
{
    PointerPressed();
    return 0;
}

LRESULT OnLeftButtonUp(HWND window, WPARAM, LPARAM)
{
    if (PointerReleaseIsClick() && dialogOpen == 0) {
        if (listOpen)
            RefreshAfter(window, SwitchAndCollapse(window));
        else
            ExpandList(window);
    }
    return 0;
}

LRESULT OnRightButtonDown(HWND window, WPARAM, LPARAM)
{
    if (dialogOpen == 0)
        ShowContextMenu(window);
    return 0;
}

LRESULT OnCaptureChanged(HWND, WPARAM, LPARAM)
{
    PointerCaptureLost();
    return 0;
}

LRESULT OnTrayCallback(HWND window, WPARAM, LPARAM lParam)
{
    HandleTrayCallback(window, lParam);
    return 0;
}

LRESULT OnQueryEndSession(HWND, WPARAM, LPARAM)
{
    return TRUE; // never hold the end of the session up
}

LRESULT OnEndSession(HWND window, WPARAM wParam, LPARAM)
{
    if (wParam) // FALSE: the end was called off
        EndSession(window);
    return 0;
}

void NoteAway(HWND window, int leaving, int returning)
{
    if (leaving)
        NoteUserLeft(CurrentLocalTime());
    if (returning) {
        NoteUserBack(CurrentLocalTime());
        PostMessageA(window, WM_ASK_ABOUT_AWAY, 0, 0);
    }
}

LRESULT OnPowerBroadcast(HWND window, WPARAM wParam, LPARAM)
{
    NoteAway(window, wParam == PBT_APMSUSPEND,
             wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND);
    return TRUE;
}

LRESULT OnSessionChange(HWND window, WPARAM wParam, LPARAM)
{
    NoteAway(window, wParam == SESSION_LOCK, wParam == SESSION_UNLOCK);
    return 0;
}

LRESULT OnAskAboutAway(HWND window, WPARAM, LPARAM)
{
    AskAboutTimeAway(window);
    return 0;
}

LRESULT OnDisplayChange(HWND window, WPARAM, LPARAM)
{
    FollowDisplayChange(window);
    return 0;
}

struct MessageRoute {
    UINT message;
    LRESULT (*handle)(HWND window, WPARAM wParam, LPARAM lParam);
    int answersItself; // 1: the handler's result is returned; 0: DefWindowProcA follows
};

const MessageRoute kMessages[] = {
    {WM_CREATE, OnCreate, 1},
    {WM_DESTROY, OnDestroy, 1},
    {WM_CLOSE, OnClose, 1},
    {WM_PAINT, OnPaint, 1},
    {WM_COMMAND, OnCommand, 0},
    {WM_MOUSEMOVE, OnMouseMove, 0},
    {WM_LBUTTONDOWN, OnLeftButtonDown, 0},
    {WM_LBUTTONUP, OnLeftButtonUp, 0},
    {WM_RBUTTONDOWN, OnRightButtonDown, 0},
    {WM_CAPTURECHANGED, OnCaptureChanged, 0},
    {WM_USER, OnTrayCallback, 0},
    {WM_QUERYENDSESSION, OnQueryEndSession, 1},
    {WM_ENDSESSION, OnEndSession, 1},
    {WM_POWERBROADCAST, OnPowerBroadcast, 1},
    {WM_SESSION_CHANGE, OnSessionChange, 0},
    {WM_ASK_ABOUT_AWAY, OnAskAboutAway, 1},
    {WM_DISPLAYCHANGE, OnDisplayChange, 0},
};

} // namespace

int HasCommandRoute(WORD id)
{
    for (const CommandRoute& command : kCommands) {
        if (command.id == id)
            return 1;
    }
    return 0;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == taskbarCreatedMessage && taskbarCreatedMessage != 0) {
        AddTrayIcon(window, IDI_VORNET, appIcon, CurrentTrayTip());
        return DefWindowProcA(window, message, wParam, lParam);
    }
    for (const MessageRoute& route : kMessages) {
        if (route.message == message) {
            LRESULT result = route.handle(window, wParam, lParam);
            if (route.answersItself)
                return result;
            break;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
