// COMCTL32 is loaded when a dialog first needs an up-down control rather than at start-up:
// loading it and registering its classes took a fifth of the time to the first painted
// strip. CreateUpDownControl is taken by its ordinal, 16.
#include <windows.h>

#include <commctrl.h>

#include "base/up_down_control_win32.h"

#include "base/library_entry_win32.h"

static FARPROC CommonControlsEntry(const char* name)
{
    static HMODULE commonControls = NULL;
    return LibraryEntry(&commonControls, "comctl32.dll", name);
}

void PrepareCommonControls()
{
    typedef BOOL(WINAPI * InitEntry)(const INITCOMMONCONTROLSEX*);
    InitEntry init = reinterpret_cast<InitEntry>(
        reinterpret_cast<void*>(CommonControlsEntry("InitCommonControlsEx")));
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
    if (init != NULL)
        init(&controls);
}

HWND MakeUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent, int id,
                       HINSTANCE instance, HWND buddy, int upper, int lower, int position)
{
    typedef HWND(WINAPI * CreateEntry)(DWORD, int, int, int, int, HWND, int, HINSTANCE, HWND,
                                       int, int, int);
    CreateEntry create = reinterpret_cast<CreateEntry>(
        reinterpret_cast<void*>(CommonControlsEntry(MAKEINTRESOURCEA(16))));
    if (create == NULL)
        return NULL;
    return create(style, x, y, cx, cy, parent, id, instance, buddy, upper, lower, position);
}
