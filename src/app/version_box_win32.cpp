// The version box: OK is the only way out.
#include "app/version_box_win32.h"

#include "base/modal_dialog_win32.h"
#include "res/resource.h"

static INT_PTR CALLBACK VersionBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        EndModalDialog(dialog);
        return TRUE;
    }
    return FALSE;
}

void ShowVersionBox(HWND window)
{
    RunModalDialog(window, IDD_VERSION, VersionBoxProc);
}
