// Process-wide handles of the Win32 shell.
#pragma once
#include <windows.h>

typedef BOOL(WINAPI* SetLayeredAttributesFunction)(HWND, COLORREF, BYTE, DWORD);

extern HINSTANCE appInstance;
extern HICON appIcon; // shared: class icon, small icon and every tray registration
extern HMODULE user32Module;
extern SetLayeredAttributesFunction setLayeredAttributes; // absent on old systems
extern UINT taskbarCreatedMessage;
extern char trayTip[20];

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT InitMainWindow(HWND window);
LRESULT ShutdownMainWindow(HWND window);

// Tray icon and context menus.
BOOL AddTrayIcon(HWND window, UINT id, HICON icon, const char* tip);
void RemoveTrayIcon();
void HandleTrayCallback(HWND window, LPARAM lParam);
int ShowContextMenu(HWND window);

// Up-down controls of the number fields; COMCTL32 is loaded on first use.
void PrepareUpDownControls();
HWND MakeUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                       HINSTANCE instance, HWND buddy, int upper, int lower, int position);

// Commands that open dialogs.
void ShowVersionBox(HWND window);
void RunEditTaskCommand(HWND window);
void DeleteSelectedTask(HWND window);
void RunBackdatedChangeCommand(HWND window);
void RunPropertiesCommand(HWND window);

// One Vornet per folder: 1 when this process may run, 0 when another one already does
// (its strip has then been brought to the front).
int ClaimFolder();
void NoteClaimedWindow(HWND window);
void ReleaseFolder();
