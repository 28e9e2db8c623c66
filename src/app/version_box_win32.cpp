// The version box: OK is the only way out.
#include <windows.h>

#include "app/version_box_win32.h"

#include "base/modal_dialog_win32.h"
#include "base/shell_state.h"
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
    if (dialogOpen == 0)
        RunModalDialog(window, IDD_VERSION, VersionBoxProc);
}
