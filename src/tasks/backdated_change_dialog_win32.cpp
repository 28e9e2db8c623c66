// "Change task with a time back": a switch whose moment the user sets back by hand.
#include <windows.h>

#include <commctrl.h>

#include "tasks/backdated_change_dialog_win32.h"

#include "base/modal_dialog_win32.h"
#include "base/shell_state.h"
#include "base/up_down_control_win32.h"
#include "res/resource.h"
#include "tasks/backdated_moment.h"
#include "tasks/task_table.h"
#include "tasks/running_period.h"
#include "tasks/task_switch.h"

namespace {

struct NumberField {
    int editId;
    int upDownId;
    DWORD extraStyle;
};

// In MomentField order: year, month, day, hour, minute, second.
const NumberField kNumberFields[MOMENT_FIELD_COUNT] = {
    {IDC_YEAR, IDC_UPDOWN_YEAR_HOUR, UDS_NOTHOUSANDS}, // "2026", not "2,026"
    {IDC_MONTH, IDC_UPDOWN_MONTH_MINUTE, 0},
    {IDC_DAY, IDC_UPDOWN_DAY_SECOND, 0},
    {IDC_HOUR, IDC_UPDOWN_YEAR_HOUR, 0},
    {IDC_MINUTE, IDC_UPDOWN_MONTH_MINUTE, 0},
    {IDC_SECOND, IDC_UPDOWN_DAY_SECOND, 0},
};

// The up-down controls fill their buddies with the opening time's members.
void AddUpDownControls(HWND dialog, const LocalTime& opening)
{
    for (int field = 0; field < MOMENT_FIELD_COUNT; ++field) {
        const NumberField& f = kNumberFields[field];
        // No UDS_WRAP, no UDS_ARROWKEYS; UDS_ALIGNRIGHT replaces the placeholder rectangle.
        DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                      f.extraStyle;
        MakeUpDownControl(style, 10, 10, 50, 50, dialog, f.upDownId, appInstance,
                            GetDlgItem(dialog, f.editId), MomentFieldHigh(field),
                            MomentFieldLow(field), MomentFieldOf(opening, field));
    }
}

// Returns FALSE: the focus is set here, and TRUE would make the dialog manager move it
// to the first tab stop (OK).
INT_PTR OnInitDialog(HWND dialog)
{
    LocalTime opening = CurrentLocalTime();
    SetDlgItemTextA(dialog, IDC_LAST_TASK_NAME, runningTaskName);
    if (IsSlotIndex(selectedRow))
        SetDlgItemTextA(dialog, IDC_NEW_TASK_NAME, TaskTable[selectedRow]);
    char start[32];
    FormatMomentText(start, sizeof start, runningTaskStart);
    SetDlgItemTextA(dialog, IDC_LAST_TASK_START, start);
    AddUpDownControls(dialog, opening);
    // As a tab into it would: caret in the minute field, its number selected, so that
    // typing replaces it.
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_MINUTE)),
                 TRUE);
    return FALSE;
}

void OnOk(HWND dialog)
{
    int values[MOMENT_FIELD_COUNT];
    // "-5" reads as -5 and falls out of range; text that is not a number reads as 0.
    for (int field = 0; field < MOMENT_FIELD_COUNT; ++field)
        values[field] = ReadNumberField(dialog, kNumberFields[field].editId);
    // A refused moment has shown its warning; the dialog stays open as the user left it.
    if (ChooseBackdatedMoment(dialog, values))
        EndModalDialog(dialog);
}

INT_PTR CALLBACK BackdatedChangeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return OnInitDialog(dialog);
    if (message != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK) {
        OnOk(dialog);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) { // also Esc and the close box
        EndModalDialog(dialog);
        return TRUE;
    }
    return FALSE;
}

} // namespace

void RunBackdatedChange(HWND owner)
{
    if (!SelectedRowIsNamed())
        return;
    PrepareCommonControls();
    RunModalDialog(owner, IDD_BACKDATED, BackdatedChangeDialogProc);
    if (useBackdatedTime == 1)
        SwitchToSelectedTask(owner);
}
