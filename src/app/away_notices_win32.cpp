// The entries are looked up at run time: a system without them still runs, it only never
// asks about time away on their account.
#include "app/away_notices_win32.h"

#include <string.h>

namespace {

typedef BOOL(WINAPI* RegisterSessionEntry)(HWND, DWORD);
typedef BOOL(WINAPI* UnregisterSessionEntry)(HWND);
typedef HANDLE(WINAPI* RegisterPowerEntry)(HANDLE, const GUID*, DWORD);
typedef BOOL(WINAPI* UnregisterPowerEntry)(HANDLE);

// GUID_SESSION_USER_PRESENCE: the user of this session is present or inactive, by the
// system's own idle rules (a video or a presentation keeping the display on is no absence).
const GUID kUserPresence = {0x3c0f4548, 0xc03f, 0x4c4d, {0xb9, 0xf2, 0x23, 0x7e, 0xde, 0x68, 0x63, 0x76}};

HMODULE sessionModule = NULL;
HANDLE presenceNotices = NULL;
int watchAsked = 0;

FARPROC Entry(HMODULE module, const char* name)
{
    return module != NULL ? GetProcAddress(module, name) : NULL;
}

struct PresenceSetting { // POWERBROADCAST_SETTING with its one DWORD of data
    GUID setting;
    DWORD length;
    DWORD state;
};

} // namespace

void WatchUserAway(HWND window)
{
    if (watchAsked)
        return;
    watchAsked = 1;
    sessionModule = LoadLibraryA("wtsapi32.dll");
    RegisterSessionEntry watch = reinterpret_cast<RegisterSessionEntry>(
        reinterpret_cast<void*>(Entry(sessionModule, "WTSRegisterSessionNotification")));
    if (watch != NULL)
        watch(window, 0); // NOTIFY_FOR_THIS_SESSION
    RegisterPowerEntry presence = reinterpret_cast<RegisterPowerEntry>(reinterpret_cast<void*>(
        Entry(GetModuleHandleA("user32.dll"), "RegisterPowerSettingNotification")));
    if (presence != NULL)
        presenceNotices = presence(window, &kUserPresence, 0); // DEVICE_NOTIFY_WINDOW_HANDLE
}

void StopWatchingUserAway(HWND window)
{
    UnregisterPowerEntry stopPresence = reinterpret_cast<UnregisterPowerEntry>(reinterpret_cast<void*>(
        Entry(GetModuleHandleA("user32.dll"), "UnregisterPowerSettingNotification")));
    if (presenceNotices != NULL && stopPresence != NULL)
        stopPresence(presenceNotices);
    presenceNotices = NULL;
    UnregisterSessionEntry stop = reinterpret_cast<UnregisterSessionEntry>(
        reinterpret_cast<void*>(Entry(sessionModule, "WTSUnRegisterSessionNotification")));
    if (stop != NULL)
        stop(window);
    if (sessionModule != NULL)
        FreeLibrary(sessionModule);
    sessionModule = NULL;
}

int PresenceInNotice(LPARAM lParam)
{
    const PresenceSetting* notice = reinterpret_cast<const PresenceSetting*>(lParam);
    if (notice == NULL || memcmp(&notice->setting, &kUserPresence, sizeof(GUID)) != 0 ||
        notice->length < sizeof(DWORD))
        return -1;
    return static_cast<int>(notice->state);
}
