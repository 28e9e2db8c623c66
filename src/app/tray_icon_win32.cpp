// The notification-area icon and the context menus it and the window open.
#include "app/tray_icon_win32.h"

#include <shellapi.h>
#include <string.h>

#include "app/startup_shortcut.h"
#include "base/modal_dialog_win32.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "display/painting_win32.h"
#include "display/window_placement_win32.h"
#include "res/resource.h"
#include "tasks/running_period.h"

static NOTIFYICONDATAA trayIconData;

BOOL AddTrayIcon(HWND window, UINT id, HICON icon, const char* tip)
{
    // The classic record up to dwInfoFlags; its size differs between 32- and 64-bit builds.
    trayIconData.cbSize = NOTIFYICONDATAA_V2_SIZE;
    trayIconData.hWnd = window;
    trayIconData.uID = id;
    trayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIconData.uCallbackMessage = WM_USER;
    trayIconData.hIcon = icon; // shared with the window class: never destroyed here
    // Through a copy: the tip may be the record's own text, as at a re-registration.
    char text[sizeof trayIconData.szTip] = "";
    if (tip != NULL)
        CopyString(text, sizeof text, tip);
    memcpy(trayIconData.szTip, text, sizeof text);
    return Shell_NotifyIconA(NIM_ADD, &trayIconData);
}

const char* CurrentTrayTip()
{
    return trayIconData.szTip;
}

// The tip tells how long the running task has run; it is made when the pointer comes over
// the icon, so that nothing runs while the program is idle.
static void RefreshTrayTip()
{
    NOTIFYICONDATAA tip = trayIconData;
    FormatRunningTip(tip.szTip, sizeof tip.szTip, CurrentLocalTime());
    if (strcmp(tip.szTip, trayIconData.szTip) == 0)
        return; // a call to the shell's process for each move would be wasted
    memcpy(trayIconData.szTip, tip.szTip, sizeof tip.szTip);
    tip.uFlags = NIF_TIP;
    Shell_NotifyIconA(NIM_MODIFY, &tip);
}

void RemoveTrayIcon()
{
    Shell_NotifyIconA(NIM_DELETE, &trayIconData);
}

void HandleTrayCallback(HWND window, LPARAM lParam)
{
    if (lParam == WM_LBUTTONDOWN) {
        if (dialogOpen == 0 && listOpen == 0) {
            BringToFront(window);
            Repaint(window);
        }
    } else if (lParam == WM_RBUTTONDOWN) {
        if (dialogOpen == 0)
            ShowContextMenu(window);
    } else if (lParam == WM_MOUSEMOVE) {
        RefreshTrayTip();
    }
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageA(trayIconData.hWnd, WM_NULL, 0, 0);
}

int ShowContextMenu(HWND window)
{
    int menuId = listOpen == 1 ? IDR_MENU_LIST : IDR_MENU_STRIP;
    HMENU menu = LoadMenuA(appInstance, MAKEINTRESOURCEA(menuId));
    HMENU popup = GetSubMenu(menu, 0);
    CheckMenuItem(popup, IDM_START_WITH_WINDOWS,
                  MF_BYCOMMAND | (StartsWithWindows() ? MF_CHECKED : MF_UNCHECKED));
    POINT pointer;
    GetCursorPos(&pointer);
    SetForegroundWindow(window);
    if (!TrackPopupMenu(popup, TPM_BOTTOMALIGN, pointer.x, pointer.y, 0, window, NULL)) {
        char text[128];
        wsprintfA(text, "Pop up menu error. %d", static_cast<int>(GetLastError()));
        TellUser(window, text, "OPEN ERROR", MESSAGE_PLAIN);
    }
    DestroyMenu(menu);
    return 0;
}
