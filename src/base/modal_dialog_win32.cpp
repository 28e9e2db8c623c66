// Dialogs open and end here, message boxes in TellUser: both through OpenModal and CloseModal,
// so that dialogOpen is 1 exactly while one of the program's modal windows is up.
#include "base/modal_dialog_win32.h"

#include "base/decimal_number.h"
#include "base/shell_state.h"

HINSTANCE appInstance = NULL;

INT_PTR RunModalDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM data)
{
    int wasOpen = OpenModal();
    INT_PTR result =
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), owner, procedure, data);
    CloseModal(wasOpen);
    return result;
}

void EndModalDialog(HWND dialog)
{
    EndDialog(dialog, 0);
}

void CancelModalDialog(HWND owner)
{
    // Our dialogs and message boxes are the owner's enabled pop-ups; each restores the flag
    // as it ends.
    HWND open = GetWindow(owner, GW_ENABLEDPOPUP);
    if (open != NULL && open != owner)
        EndDialog(open, IDCANCEL);
}

int ReadNumberField(HWND dialog, int id)
{
    char text[64]; // longer than any number a field takes
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return ParseDecimal(text);
}
