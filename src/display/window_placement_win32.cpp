// The window's width, place, shape, opacity, z-order and activation in both states.
#include "display/display_win32.h"

#include "app/app_win32.h"
#include "app/shell_state.h"
#include "display/geometry.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

static void ScreenOrigin(int* ox, int* oy)
{
    *ox = *oy = 0;
    if (GetSystemMetrics(SM_CMONITORS) > 1) {
        *ox = GetSystemMetrics(SM_XVIRTUALSCREEN);
        *oy = GetSystemMetrics(SM_YVIRTUALSCREEN);
    }
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
    int fx = GetSystemMetrics(SM_CXDLGFRAME);
    int fy = GetSystemMetrics(SM_CYDLGFRAME);
    windowWidth = WidthForNames(widths, count, screenWidth, fx);
    int ox, oy;
    ScreenOrigin(&ox, &oy);
    ClampWindowOrigin(&Settings.winX, &Settings.winY, windowWidth, Settings.fsize, ox, oy,
                      screenWidth, screenHeight, fx, fy);
}

void ReadWindowOrigin(HWND window)
{
    RECT outer;
    GetWindowRect(window, &outer);
    Settings.winX = outer.left + GetSystemMetrics(SM_CXDLGFRAME);
    Settings.winY = outer.top + GetSystemMetrics(SM_CYDLGFRAME);
}

static void SetOpacity(HWND window, int alpha)
{
    if (setLayeredAttributes != NULL)
        setLayeredAttributes(window, 0, static_cast<BYTE>(alpha & 255), LWA_ALPHA);
}

static void ShapeAndPlace(HWND window, int outerHeight, HWND zOrder, UINT flags)
{
    int fx = GetSystemMetrics(SM_CXDLGFRAME);
    int fy = GetSystemMetrics(SM_CYDLGFRAME);
    PixelRect visible = VisibleRegion(windowWidth, outerHeight, fx, fy);
    // The window owns the region from here on and releases it.
    HRGN region = CreateRectRgn(visible.left, visible.top, visible.right, visible.bottom);
    SetWindowRgn(window, region, TRUE);
    SetWindowPos(window, zOrder, Settings.winX - fx, Settings.winY - fy, windowWidth, outerHeight,
                 flags);
}

static HWND StripZOrder()
{
    return Settings.wintop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST;
}

void PlaceInitialStrip(HWND window)
{
    SetOpacity(window, Settings.toumeido);
    FitWindowToTasks();
    ShapeAndPlace(window, StripOuterHeight(Settings.fsize), StripZOrder(), SWP_NOACTIVATE);
}

void CollapseList(HWND window)
{
    ReadWindowOrigin(window);
    SetOpacity(window, Settings.toumeido);
    FitWindowToTasks();
    ShapeAndPlace(window, StripOuterHeight(Settings.fsize), StripZOrder(), 0);
    listOpen = 0;
    InvalidateRect(window, NULL, FALSE);
}

void ExpandList(HWND window)
{
    ReadWindowOrigin(window);
    FitWindowToTasks();
    BringToFront(window);
    ShapeAndPlace(window, ListOuterHeight(lastRow, Settings.fsize), HWND_TOPMOST, 0);
    listOpen = 1;
    InvalidateRect(window, NULL, FALSE);
    SetOpacity(window, 255);
}

void BringToFront(HWND window)
{
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), NULL);
    DWORD ownThread = GetWindowThreadProcessId(window, NULL);
    if (foregroundThread == ownThread)
        return;
    AttachThreadInput(ownThread, foregroundThread, TRUE);
    DWORD saved = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, 0, 0);
    SetForegroundWindow(window);
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(saved)), 0);
    AttachThreadInput(ownThread, foregroundThread, FALSE);
}
