// The notification-area icon and the context menus it and the window open.
#include <windows.h>

#include <shellapi.h>

#include "app/app_win32.h"
#include "app/shell_state.h"
#include "app/text_builder.h"
#include "display/display_win32.h"
#include "res/resource.h"

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
    TextBuilder b = {trayIconData.szTip, sizeof trayIconData.szTip, 0};
    b.data[0] = '\0';
    if (tip != NULL)
        AppendText(&b, tip);
    return Shell_NotifyIconA(NIM_ADD, &trayIconData);
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
            InvalidateRect(window, NULL, FALSE);
        }
    } else if (lParam == WM_RBUTTONDOWN) {
        if (dialogOpen == 0)
            ShowContextMenu(window);
    }
    // Lets the menu close properly when the user clicks elsewhere.
    PostMessageA(trayIconData.hWnd, WM_NULL, 0, 0);
}

int ShowContextMenu(HWND window)
{
    int menuId = listOpen == 1 ? IDR_MENU_LIST : IDR_MENU_STRIP;
    HMENU menu = LoadMenuA(appInstance, MAKEINTRESOURCEA(menuId));
    HMENU popup = GetSubMenu(menu, 0);
    POINT pointer;
    GetCursorPos(&pointer);
    SetForegroundWindow(window);
    if (!TrackPopupMenu(popup, TPM_BOTTOMALIGN, pointer.x, pointer.y, 0, window, NULL)) {
        char text[128];
        wsprintfA(text, "Pop up menu error. %d", static_cast<int>(GetLastError()));
        MessageBoxA(window, text, "OPEN ERROR", MB_OK);
    }
    DestroyMenu(menu);
    return 0;
}
