// Dialogs open and end here, message boxes in TellUser: between them dialogOpen is 1 exactly
// while one of the program's modal windows is up.
#include "base/modal_dialog_win32.h"

#include "base/decimal_number.h"
#include "base/shell_state.h"

HINSTANCE appInstance = NULL;

INT_PTR RunModalDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM data)
{
    dialogOpen = 1;
    INT_PTR result =
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), owner, procedure, data);
    // A dialog that never ran never cleared the flag: every guarded action would stay frozen.
    if (result == -1)
        dialogOpen = 0;
    return result;
}

void EndModalDialog(HWND dialog)
{
    dialogOpen = 0;
    EndDialog(dialog, 0);
}

void CancelModalDialog(HWND owner)
{
    // Our dialogs and message boxes are the owner's enabled pop-ups.
    HWND open = GetWindow(owner, GW_ENABLEDPOPUP);
    if (open != NULL && open != owner)
        EndDialog(open, IDCANCEL);
    dialogOpen = 0;
}

int ReadNumberField(HWND dialog, int id)
{
    char text[64]; // longer than any number a field takes
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return ParseDecimal(text);
}
