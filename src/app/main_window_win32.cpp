// The main window's two ends, and the end of a session, which Windows gives no third.
#include <windows.h>

#include "app/main_window_win32.h"
#include "base/modal_dialog_win32.h"
#include "app/session_lock_win32.h"
#include "app/tray_icon_win32.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "display/painting_win32.h"
#include "display/window_placement_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

HICON appIcon = NULL;
static char trayTip[20]; // the tip of the icon's first registration

static void MeasureScreen()
{
    if (GetSystemMetrics(SM_CMONITORS) > 1) {
        screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
        screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    } else {
        screenWidth = GetSystemMetrics(SM_CXSCREEN);
        screenHeight = GetSystemMetrics(SM_CYSCREEN);
    }
}

// The order matters: settings before the font, the font before anything is measured.
LRESULT InitMainWindow(HWND window)
{
    CopyText(trayTip, sizeof trayTip, "Vornet", 6);
    dragCountdown = 0;
    MeasureScreen();
    useBackdatedTime = 0;
    listOpen = 0;
    dialogOpen = 0;
    selectedRow = 0;
    firstSwitchPending = 1;
    SetDefaultSettings();
    LoadSettings(window);
    CreateBackBufferAndFonts(window);
    AddTrayIcon(window, IDI_VORNET, appIcon, trayTip);
    PlaceInitialStrip(window);
    StartRunningTask();
    return 0;
}

// What Exit writes: the window's place, the settings naming the break task as running, the
// running task's line, and the lines timelog.csv refused.
static void WriteEverything(HWND window)
{
    ReadWindowOrigin(window);
    current_task = 0;
    SaveSettings(window);
    if (TaskTable[0][0] != '\0')
        AppendTimeLog(window, TaskTable[0]);
    SaveHeldLogAside(window);
}

LRESULT ShutdownMainWindow(HWND window)
{
    // After the end of a session everything is written already.
    if (!sessionEnding)
        WriteEverything(window);
    StopWatchingSessionLocks(window);
    FreeLibrary(user32Module);
    user32Module = NULL;
    setLayeredAttributes = NULL;
    ReleaseDrawingResources();
    RemoveTrayIcon();
    PostQuitMessage(0);
    return 0;
}

void EndSession(HWND window)
{
    if (sessionEnding)
        return;
    sessionEnding = 1;
    CancelModalDialog(window);
    WriteEverything(window);
}

void FollowDisplayChange(HWND window)
{
    ReadWindowOrigin(window);
    MeasureScreen();
    GrowBackBuffer(window);
    RecountLastRow();
    listOpen = 0;
    PlaceInitialStrip(window);
    InvalidateRect(window, NULL, FALSE);
}
