// Lock and unlock notices come only to a window that asks for them. The entries are looked
// up at run time: a system without them still runs, it only never asks about time away.
#include <windows.h>

#include "app/session_lock_win32.h"

typedef BOOL(WINAPI* RegisterEntry)(HWND, DWORD);
typedef BOOL(WINAPI* UnregisterEntry)(HWND);

static HMODULE sessionModule = NULL;
static int watchAsked;

void WatchSessionLocks(HWND window)
{
    if (watchAsked)
        return;
    watchAsked = 1;
    sessionModule = LoadLibraryA("wtsapi32.dll");
    if (sessionModule == NULL)
        return;
    RegisterEntry watch = reinterpret_cast<RegisterEntry>(reinterpret_cast<void*>(
        GetProcAddress(sessionModule, "WTSRegisterSessionNotification")));
    if (watch != NULL)
        watch(window, 0); // NOTIFY_FOR_THIS_SESSION
}

void StopWatchingSessionLocks(HWND window)
{
    if (sessionModule == NULL)
        return;
    UnregisterEntry stop = reinterpret_cast<UnregisterEntry>(reinterpret_cast<void*>(
        GetProcAddress(sessionModule, "WTSUnRegisterSessionNotification")));
    if (stop != NULL)
        stop(window);
    FreeLibrary(sessionModule);
    sessionModule = NULL;
}
