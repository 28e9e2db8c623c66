// The main window's procedure: each message to a small handler, each command by table.
#include <windows.h>

#include "app/window_procedure_win32.h"

#include "app/away_notices_win32.h"
#include "app/command_rule.h"
#include "app/command_table_win32.h"
#include "app/hotkey_win32.h"
#include "app/main_window_win32.h"
#include "app/pointer_gesture.h"
#include "app/tray_icon_win32.h"
#include "base/pixel_scale.h"
#include "base/shell_state.h"
#include "display/accessible_strip_win32.h"
#include "display/geometry.h"
#include "display/painting_win32.h"
#include "display/window_placement_win32.h"
#include "display/window_scale_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/away_time.h"
#include "tasks/row_selection.h"
#include "tasks/run_take_over.h"
#include "tasks/running_period.h"
#include "tasks/task_table.h"

namespace {

UINT taskbarCreatedMessage = 0;

// Posted to ourselves on a return, so that the question is not asked inside the system's
// own notice.
const UINT WM_ASK_ABOUT_AWAY = WM_APP + 1;
const UINT WM_TAKE_OVER_RUN = WM_APP + 2;
// Lock notices, without the header that declares them.
const UINT WM_SESSION_CHANGE = 0x02B1; // WM_WTSSESSION_CHANGE
const WPARAM SESSION_LOCK = 7;        // WTS_SESSION_LOCK
const WPARAM SESSION_UNLOCK = 8;      // WTS_SESSION_UNLOCK

// The running file's last moment is renewed by a timer only while the rule wants it: no
// wake-up at all during a break, an absence or before the first switch.
const UINT_PTR REFRESH_TIMER = 1;
const UINT_PTR TAKE_OVER_TIMER = 2; // only while a file of the last run is held
int refreshTimerOn = 0;

// After anything that may have changed the run: the refresh timer as the rule wants it, and
// a return that came while a box or dialog was up asked about now that none is.
void FollowRunState(HWND window)
{
    int wanted = RefreshWanted();
    if (wanted && !refreshTimerOn)
        SetTimer(window, REFRESH_TIMER, REFRESH_SECONDS * 1000, NULL);
    if (!wanted && refreshTimerOn)
        KillTimer(window, REFRESH_TIMER);
    refreshTimerOn = wanted;
    if (AwayQuestionWaits() && dialogOpen == 0)
        PostMessageA(window, WM_ASK_ABOUT_AWAY, 0, 0);
}

void TryTakeOver(HWND window)
{
    KillTimer(window, TAKE_OVER_TIMER); // no second try from inside the question's box
    if (TakeOverRunningFile(window) == TAKE_OVER_LATER)
        SetTimer(window, TAKE_OVER_TIMER, TAKE_OVER_RETRY_SECONDS * 1000, NULL);
    FollowRunState(window);
}

LRESULT OnCreate(HWND window, WPARAM, LPARAM)
{
    taskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
    windowDpi = ReadWindowDpi(window); // the rows that fit and the fonts are made at it
    return InitMainWindow(window);
}

LRESULT OnDestroy(HWND window, WPARAM, LPARAM)
{
    return ShutdownMainWindow(window);
}

LRESULT OnPaint(HWND window, WPARAM, LPARAM)
{
    static int painted = 0;
    LRESULT result = PaintMainWindow(window);
    // Once the strip shows: neither the notices' library nor the running file delays it.
    if (!painted) {
        painted = 1;
        WatchUserAway(window);
        PostMessageA(window, WM_TAKE_OVER_RUN, 0, 0);
    }
    return result;
}

LRESULT OnCommand(HWND window, WPARAM wParam, LPARAM)
{
    RunCommand(window, LOWORD(wParam));
    FollowRunState(window);
    return 0;
}

// Alt+F4 or another program's close request: refused while a dialog or box is up, as Exit is.
LRESULT OnClose(HWND window, WPARAM, LPARAM)
{
    if (dialogOpen == 0)
        DestroyWindow(window);
    return 0;
}

// Every move of the selection, by the pointer or the keys, is told to screen readers; the
// caller repaints.
void SelectRow(HWND window, int row)
{
    if (row == selectedRow)
        return;
    selectedRow = row;
    AnnounceSelectedRow(window);
}

// A pointer passing over the window raises it but never takes the keyboard from the
// program the user is typing in.
void Hover(HWND window, LPARAM lParam)
{
    if (listOpen) {
        RaiseWithoutActivating(window);
        int y = static_cast<int>(HIWORD(lParam)); // unsigned 16 bits, as the rule reads it
        SelectRow(window, RowAtPointer(y, CurrentSizes().rows, lastRow));
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
        if (listOpen) {
            RunCommand(window, IDM_SWITCH); // what Enter does: switch, then the strip
        } else {
            ExpandList(window);
            AnnounceSelectedRow(window);
        }
        FollowRunState(window);
    }
    return 0;
}

LRESULT OnHotkey(HWND window, WPARAM, LPARAM)
{
    OpenListFromKeyboard(window);
    return 0;
}

// Keys while the list has the keyboard; Enter, Esc, Delete and Ctrl+C are the accelerators'.
LRESULT OnKeyDown(HWND window, WPARAM key, LPARAM)
{
    const struct {
        WPARAM key;
        SelectionMove move;
    } kMoves[] = {{VK_UP, SELECT_UP},         {VK_DOWN, SELECT_DOWN}, {VK_PRIOR, SELECT_PAGE_UP},
                  {VK_NEXT, SELECT_PAGE_DOWN}, {VK_HOME, SELECT_FIRST}, {VK_END, SELECT_LAST}};
    for (const auto& m : kMoves) {
        if (m.key == key && CommandMayRun(NEEDS_NO_DIALOG | NEEDS_OPEN_LIST)) {
            SelectRow(window, RowAfterMove(m.move, selectedRow, lastRow));
            Repaint(window);
        }
    }
    return 0;
}

LRESULT OnCharacter(HWND window, WPARAM byte, LPARAM)
{
    unsigned char typed = static_cast<unsigned char>(byte); // a byte of the system's code page
    if (CommandMayRun(NEEDS_NO_DIALOG | NEEDS_OPEN_LIST)) {
        SelectRow(window, RowAfterTypedByte(typed, selectedRow, lastRow));
        Repaint(window);
    }
    return 0;
}

LRESULT OnGetObject(HWND window, WPARAM wParam, LPARAM lParam)
{
    return AnswerAccessibleObject(window, wParam, lParam);
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

// A return: the task is known to run from now, and the question is asked outside the notice.
void NoteReturn(HWND window)
{
    KeepRunningFile(window);
    PostMessageA(window, WM_ASK_ABOUT_AWAY, 0, 0);
}

void NoteAway(HWND window, int leaving, int returning)
{
    if (leaving)
        NoteUserLeft(CurrentLocalTime());
    if (returning) {
        NoteUserBack(CurrentLocalTime());
        NoteReturn(window);
    }
    FollowRunState(window);
}

LRESULT OnPowerBroadcast(HWND window, WPARAM wParam, LPARAM lParam)
{
    if (wParam != PBT_POWERSETTINGCHANGE) {
        NoteAway(window, wParam == PBT_APMSUSPEND,
                 wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND);
        return TRUE;
    }
    int state = PresenceInNotice(lParam);
    if (state >= 0 && NotePresence(state, CurrentLocalTime(), MillisecondsSinceInput()))
        NoteReturn(window);
    FollowRunState(window);
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
    FollowRunState(window);
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM timer, LPARAM)
{
    if (timer == REFRESH_TIMER && RefreshRunningTask(window, CurrentLocalTime()))
        PostMessageA(window, WM_ASK_ABOUT_AWAY, 0, 0); // no notice came: the gap tells
    if (timer == TAKE_OVER_TIMER)
        TryTakeOver(window);
    return 0;
}

// Posted after the first paint, so that what the last run left, and a hotkey another program
// holds, come with the strip on the screen, and before anything is logged.
LRESULT OnTakeOverRun(HWND window, WPARAM, LPARAM)
{
    FollowHotkeySetting(window);
    TellUntoldNotices(window);
    TryTakeOver(window);
    return 0;
}

LRESULT OnDisplayChange(HWND window, WPARAM, LPARAM)
{
    FollowDisplayChange(window);
    return 0;
}

LRESULT OnDpiChanged(HWND window, WPARAM wParam, LPARAM lParam)
{
    FollowScaleChange(window, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
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
    {WM_HOTKEY, OnHotkey, 0},
    {WM_KEYDOWN, OnKeyDown, 0},
    {WM_CHAR, OnCharacter, 0},
    {WM_GETOBJECT, OnGetObject, 1},
    {WM_CAPTURECHANGED, OnCaptureChanged, 0},
    {WM_USER, OnTrayCallback, 0},
    {WM_QUERYENDSESSION, OnQueryEndSession, 1},
    {WM_ENDSESSION, OnEndSession, 1},
    {WM_POWERBROADCAST, OnPowerBroadcast, 1},
    {WM_SESSION_CHANGE, OnSessionChange, 0},
    {WM_ASK_ABOUT_AWAY, OnAskAboutAway, 1},
    {WM_TAKE_OVER_RUN, OnTakeOverRun, 1},
    {WM_TIMER, OnTimer, 0},
    {WM_DISPLAYCHANGE, OnDisplayChange, 0},
    {WM_DPICHANGED, OnDpiChanged, 1},
};

} // namespace

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
