// The window's width, place, shape, opacity, z-order and activation in both states.
#include "display/window_placement_win32.h"

#include "base/pixel_scale.h"
#include "base/shell_state.h"
#include "display/geometry.h"
#include "display/painting_win32.h"
#include "display/window_scale_win32.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

HMODULE user32Module = NULL;
SetLayeredAttributesFunction setLayeredAttributes = NULL;

// Where ExpandList put the open list's client area; it differs from winX, winY when the
// list had to open upward from a strip near the bottom edge.
static int listPlacedX = 0;
static int listPlacedY = 0;

// The origin follows the monitors as they are now; the size stays the one measured.
static void ScreenOrigin(int* ox, int* oy)
{
    ScreenArea area = ReadScreenArea();
    *ox = area.left;
    *oy = area.top;
}

void FitWindowToTasks()
{
    SelectObject(backBuffer, taskFont);
    int widths[TASK_SLOTS];
    int count = 0;
    // Row lastRow is the empty row for a new task: it does not widen the window.
    for (int row = 0; row < lastRow && row < TASK_SLOTS; ++row) {
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(backBuffer, TaskTable[row], lstrlenA(TaskTable[row]), &extent);
        widths[count++] = extent.cx;
    }
    int fx, fy, ox, oy;
    ReadFrameMetrics(&fx, &fy);
    ScreenOrigin(&ox, &oy);
    windowWidth = WidthForNames(widths, count, screenWidth, fx, windowDpi);
    ClampWindowOrigin(&Settings.winX, &Settings.winY, windowWidth, CurrentSizes().outerHeight,
                      ox, oy, screenWidth, screenHeight, fx, fy);
}

void ReadWindowOrigin(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    int fx, fy;
    ReadFrameMetrics(&fx, &fy);
    // An open list the user did not drag goes back to its strip's place, which may be lower.
    if (listOpen && outer.left + fx == listPlacedX && outer.top + fy == listPlacedY)
        return;
    Settings.winX = outer.left + fx;
    Settings.winY = outer.top + fy;
}

static void SetOpacity(HWND window, int alpha)
{
    if (setLayeredAttributes != NULL)
        setLayeredAttributes(window, 0, static_cast<BYTE>(alpha & 255), LWA_ALPHA);
}

static void ShapeAndPlace(HWND window, int x, int y, int outerHeight, HWND zOrder, UINT flags)
{
    int fx, fy;
    ReadFrameMetrics(&fx, &fy);
    PixelRect visible = VisibleRegion(windowWidth, outerHeight, fx, fy);
    // The window owns the region from here on and releases it.
    HRGN region = CreateRectRgn(visible.left, visible.top, visible.right, visible.bottom);
    SetWindowRgn(window, region, TRUE);
    SetWindowPos(window, zOrder, x - fx, y - fy, windowWidth, outerHeight, flags);
}

static HWND StripZOrder()
{
    return Settings.wintop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST;
}

void PlaceInitialStrip(HWND window)
{
    SetOpacity(window, Settings.toumeido);
    FitWindowToTasks();
    ShapeAndPlace(window, Settings.winX, Settings.winY, CurrentSizes().outerHeight,
                  StripZOrder(), SWP_NOACTIVATE);
    // Placed on a monitor of another scale than the one it was made on, where the system
    // may not say so while the window is hidden.
    int dpi = ReadWindowDpi(window);
    if (dpi != windowDpi) {
        RECT outer;
        GetWindowRect(window, &outer);
        FollowScaleChange(window, dpi, &outer);
    }
}

void CollapseList(HWND window)
{
    ReadWindowOrigin(window);
    SetOpacity(window, Settings.toumeido);
    FitWindowToTasks();
    ShapeAndPlace(window, Settings.winX, Settings.winY, CurrentSizes().outerHeight,
                  StripZOrder(), 0);
    listOpen = 0;
    Repaint(window);
}

void ExpandList(HWND window)
{
    ReadWindowOrigin(window);
    FitWindowToTasks();
    BringToFront(window);
    int fx, fy, ox, oy;
    ReadFrameMetrics(&fx, &fy);
    ScreenOrigin(&ox, &oy);
    int height = ListOuterHeight(lastRow, CurrentSizes().rows);
    // Every row within reach: a list that would run past the bottom edge opens upward.
    listPlacedX = Settings.winX;
    listPlacedY = ListTop(Settings.winY, height - 2 * fy, oy, screenHeight);
    ShapeAndPlace(window, listPlacedX, listPlacedY, height, HWND_TOPMOST, 0);
    listOpen = 1;
    Repaint(window);
    SetOpacity(window, 255);
}

void FollowScaleChange(HWND window, int dpi, const RECT* suggested)
{
    windowDpi = dpi;
    RecreateFonts();
    RecountLastRow(); // as many rows as fit the screen at the new scale
    selectedRow = selectedRow < lastRow ? selectedRow : lastRow;
    int fx, fy;
    ReadFrameMetrics(&fx, &fy);
    // The system's rectangle keeps the window where the user moved it, on the new monitor.
    Settings.winX = suggested->left + fx;
    Settings.winY = suggested->top + fy;
    FitWindowToTasks();
    StripSizes sizes = CurrentSizes();
    int height = listOpen ? ListOuterHeight(lastRow, sizes.rows) : sizes.outerHeight;
    listPlacedX = Settings.winX;
    listPlacedY = Settings.winY;
    ShapeAndPlace(window, Settings.winX, Settings.winY, height, NULL,
                  SWP_NOZORDER | SWP_NOACTIVATE);
    Repaint(window);
}

void BringToFront(HWND window)
{
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), NULL);
    DWORD ownThread = GetWindowThreadProcessId(window, NULL);
    if (foregroundThread == ownThread)
        return;
    // Windows lets a thread take the foreground only within the lock time-out after the
    // user's last input to it; sharing the foreground thread's input and a time-out of 0
    // for the one call let the strip come forward when the user asked for it.
    AttachThreadInput(ownThread, foregroundThread, TRUE);
    DWORD saved = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, 0, 0);
    SetForegroundWindow(window);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(saved)), 0);
    AttachThreadInput(ownThread, foregroundThread, FALSE);
}

void RaiseWithoutActivating(HWND window)
{
    HWND band = (listOpen || Settings.wintop == 1) ? HWND_TOPMOST : HWND_TOP;
    SetWindowPos(window, band, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}
