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
// Windows ends the session and then the process, without WM_DESTROY: everything Exit
// writes is written now, silently.
void EndSession(HWND window);
// A monitor removed, a new resolution: the screen is measured again and the strip put on it.
void FollowDisplayChange(HWND window);

// 1 when the window procedure's command table routes command `id`.
int HasCommandRoute(WORD id);

// Tray icon and context menus.
BOOL AddTrayIcon(HWND window, UINT id, HICON icon, const char* tip);
const char* CurrentTrayTip(); // what the icon shows, for its re-registration
void RemoveTrayIcon();
void HandleTrayCallback(HWND window, LPARAM lParam);
int ShowContextMenu(HWND window);

// Lock and unlock notices, where the system offers them; asked for once, after the first
// paint.
void WatchSessionLocks(HWND window);
void StopWatchingSessionLocks(HWND window);

// Up-down controls of the number fields; COMCTL32 is loaded on first use.
void PrepareUpDownControls();
HWND MakeUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                       HINSTANCE instance, HWND buddy, int upper, int lower, int position);

// Opens dialog `templateId` modally, owned by `owner`, with dialogOpen 1 while it runs,
// also when it cannot be created. Returns what DialogBoxParamA returned.
INT_PTR RunModalDialog(HWND owner, int templateId, DLGPROC procedure);
// Ends the dialog (result 0) and clears dialogOpen; every dialog procedure ends this way.
void EndModalDialog(HWND dialog);
// The dialog or message box open over `owner`, if any, ends as if cancelled.
void CancelModalDialog(HWND owner);

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
