// The main window's two ends, and the end of a session, which Windows gives no third.
#include "app/main_window_win32.h"

#include "app/program_run.h"
#include "app/away_notices_win32.h"
#include "app/tray_icon_win32.h"
#include "base/modal_dialog_win32.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "display/painting_win32.h"
#include "display/window_placement_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/running_period.h"

HICON appIcon = NULL;
static char trayTip[20]; // the tip of the icon's first registration

// The order matters: settings before the font, the font before anything is measured.
LRESULT InitMainWindow(HWND window)
{
    CopyString(trayTip, sizeof trayTip, "Vornet");
    MeasureScreen();
    ResetProgramState();
    LoadSettings(window);
    CreateBackBufferAndFonts(window);
    AddTrayIcon(window, IDI_VORNET, appIcon, trayTip);
    PlaceInitialStrip(window);
    StartRunningTask();
    return 0;
}

static void WriteEverything(HWND window)
{
    ReadWindowOrigin(window);
    WriteRunEnd(window);
}

LRESULT ShutdownMainWindow(HWND window)
{
    // After the end of a session everything is written already.
    if (!sessionEnding)
        WriteEverything(window);
    StopWatchingUserAway(window);
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
    CancelModalDialog(window);
    ReadWindowOrigin(window);
    EndRunForSession(window);
}

void FollowDisplayChange(HWND window)
{
    ReadWindowOrigin(window);
    MeasureScreen();
    GrowBackBuffer(window);
    RecountLastRow();
    listOpen = 0;
    PlaceInitialStrip(window);
    Repaint(window);
}
