// The one guard of modal dialogs: dialogOpen is 1 exactly while one of the program's dialogs
// runs (message boxes keep it through TellUser).
#pragma once
#include <windows.h>

// The module whose resources (dialogs, menus, keys, icon) the program loads.
extern HINSTANCE appInstance;

// Opens dialog `templateId` modally, owned by `owner`, with dialogOpen 1 while it runs and as
// it was after; `data` is its WM_INITDIALOG lParam. Returns what DialogBoxParamA returned.
INT_PTR RunModalDialog(HWND owner, int templateId, DLGPROC procedure, LPARAM data = 0);
// Ends the dialog (result 0); every dialog procedure ends this way.
void EndModalDialog(HWND dialog);
// The dialog or message box open over `owner`, if any, ends as if cancelled.
void CancelModalDialog(HWND owner);

// The number in a dialog's field, read as every number of the program is (ParseDecimal):
// text that is not a number reads as 0.
int ReadNumberField(HWND dialog, int id);
