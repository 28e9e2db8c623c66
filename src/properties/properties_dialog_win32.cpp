// The Properties dialog: font, size, weight, colours, opacity and "Always front", with a
// preview. The values and their arithmetic live in properties_values; this file only moves
// them between the controls and the working state.
#include <windows.h>

#include <commctrl.h>
#include <string.h>

#include "properties/properties_dialog_win32.h"

#include "base/modal_dialog_win32.h"
#include "base/shell_state.h"
#include "base/font_charset_win32.h"
#include "base/up_down_control_win32.h"
#include "properties/properties_values.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

namespace {

HFONT previewFont = NULL; // the program's, lent for the time the dialog is open
int applied = 0;          // OK was pressed

// The preview rectangle, in pixels of the dialog's client area.
const RECT kPreview = {320, 170, 400, 220};
const int kPreviewTextX = 330;
const int kPreviewText1Y = 183;
const int kPreviewText2Y = 197;

// Control ids of the bars and boxes, by PropertiesBar.
const int kBarIds[] = {IDC_RED_BAR, IDC_GREEN_BAR, IDC_BLUE_BAR, IDC_OPACITY_BAR};
const int kBoxIds[] = {IDC_RED_BOX, IDC_GREEN_BOX, IDC_BLUE_BOX};

// One record for every bar update: SIF_RANGE while the ranges are set, SIF_POS after.
SCROLLINFO scrollRecord;

void SetBarRange(HWND dialog, int bar)
{
    scrollRecord.cbSize = sizeof scrollRecord;
    scrollRecord.fMask = SIF_RANGE;
    scrollRecord.nMin = BarLowest(bar);
    scrollRecord.nMax = BarHighest(bar);
    SetScrollInfo(GetDlgItem(dialog, kBarIds[bar]), SB_CTL, &scrollRecord, TRUE);
}

void MoveBar(HWND dialog, int bar, int value)
{
    scrollRecord.cbSize = sizeof scrollRecord;
    scrollRecord.fMask = SIF_POS;
    scrollRecord.nPos = value;
    SetScrollInfo(GetDlgItem(dialog, kBarIds[bar]), SB_CTL, &scrollRecord, TRUE);
}

void ShowBox(HWND dialog, int bar, int value)
{
    char text[16];
    FormatComponentBox(bar, value, text, sizeof text);
    SetDlgItemTextA(dialog, kBoxIds[bar], text);
}

// Boxes 1015-1017 and bars 1005-1007 show the working colour of editGroup.
void ShowColourGroup(HWND dialog)
{
    for (int bar = BAR_RED; bar <= BAR_BLUE; ++bar) {
        ShowBox(dialog, bar, WorkingBarValue(bar));
        MoveBar(dialog, bar, WorkingBarValue(bar));
    }
}

void InvalidatePreview(HWND dialog)
{
    // Without erasing: the preview paints every pixel of its rectangle.
    InvalidateRect(dialog, &kPreview, FALSE);
}

void CreateSizeSpinner(HWND dialog)
{
    // The 50 x 50 at 10,10 is only a start: UDS_ALIGNRIGHT puts it beside its buddy.
    MakeUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 10,
                        10, 50, 50, dialog, IDC_UPDOWN_FONT_SIZE, appInstance,
                        GetDlgItem(dialog, IDC_FONT_SIZE),
                        FontSizeHighest(screenHeight, lastRow), FSIZE_LOWEST, Settings.fsize);
}

int CALLBACK FontEnumProc(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    HWND list = reinterpret_cast<HWND>(lParam);
    LPARAM face = reinterpret_cast<LPARAM>(font->lfFaceName);
    // A face may come once per style or script it has: it is offered once.
    if (IsOfferedFace(font->lfFaceName) && SendMessageA(list, CB_FINDSTRINGEXACT, -1, face) == CB_ERR)
        SendMessageA(list, CB_ADDSTRING, 0, face);
    return 1; // always on to the end of the enumeration
}

// Every face of the system's character set, the one the names are drawn in, in the order
// the system reports them.
void FillFontList(HWND dialog, HDC dc)
{
    LOGFONTA wanted;
    ZeroMemory(&wanted, sizeof wanted);
    wanted.lfCharSet = SystemCharset();
    EnumFontFamiliesExA(dc, &wanted, FontEnumProc,
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_FONT_LIST)), 0);
}

// Item 0 first, then the first item that is exactly the stored face. Selecting sends no
// CBN_SELCHANGE, so workFontface keeps the stored face when it is not in the list.
void SelectStoredFace(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_FONT_LIST);
    SendMessageA(list, CB_SETCURSEL, 0, 0);
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char item[FONTFACE_SIZE];
        LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, i, 0);
        if (length < 0 || length >= FONTFACE_SIZE)
            continue; // longer than any stored face, so it cannot equal it
        SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        if (strcmp(item, Settings.fontface) == 0) {
            SendMessageA(list, CB_SETCURSEL, i, 0);
            return;
        }
    }
}

INT_PTR OnInitDialog(HWND dialog)
{
    HDC dc = GetDC(dialog);
    CreateSizeSpinner(dialog);
    CheckDlgButton(dialog, IDC_BOLD, StartsBold() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_ALWAYS_FRONT, StartsAlwaysFront() ? BST_CHECKED : BST_UNCHECKED);
    LoadWorkingValues(); // editGroup 0, the opacity, the face and the twelve colours
    CheckRadioButton(dialog, IDC_GROUP_BACK, IDC_GROUP_FRAME, IDC_GROUP_BACK);
    for (int bar = BAR_RED; bar <= BAR_BLUE; ++bar)
        ShowBox(dialog, bar, WorkingBarValue(bar));
    for (int bar = BAR_RED; bar <= BAR_OPACITY; ++bar)
        SetBarRange(dialog, bar);
    for (int bar = BAR_RED; bar <= BAR_OPACITY; ++bar)
        MoveBar(dialog, bar, WorkingBarValue(bar));
    FillFontList(dialog, dc);
    ReleaseDC(dialog, dc);
    SelectStoredFace(dialog);
    return TRUE;
}

INT_PTR OnPaint(HWND dialog)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    HBRUSH brush = CreateSolidBrush(WorkingColour(GROUP_BACK));
    HPEN pen = CreatePen(PS_SOLID, 1, WorkingColour(GROUP_FRAME));
    // The DC's own objects go back before ours are deleted.
    HGDIOBJ earlierBrush = SelectObject(dc, brush);
    HGDIOBJ earlierPen = SelectObject(dc, pen);
    HGDIOBJ earlierFont = SelectObject(dc, previewFont);
    SetBkMode(dc, TRANSPARENT); // the back colour shows behind the words, as on the strip
    SetTextAlign(dc, 0);
    Rectangle(dc, kPreview.left, kPreview.top, kPreview.right, kPreview.bottom);
    SetTextColor(dc, WorkingColour(GROUP_TEXT1));
    TextOutA(dc, kPreviewTextX, kPreviewText1Y, "Text1", 5);
    SetTextColor(dc, WorkingColour(GROUP_TEXT2));
    TextOutA(dc, kPreviewTextX, kPreviewText2Y, "Text2", 5);
    SelectObject(dc, earlierBrush);
    SelectObject(dc, earlierPen);
    SelectObject(dc, earlierFont);
    EndPaint(dialog, &paint);
    DeleteObject(brush);
    DeleteObject(pen);
    return TRUE;
}

INT_PTR OnHScroll(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    int bar = BAR_RED;
    while (bar <= BAR_OPACITY && GetDlgItem(dialog, kBarIds[bar]) != control)
        ++bar;
    if (bar > BAR_OPACITY)
        return FALSE; // not one of our bars
    int code = LOWORD(wParam);
    if (!IsScrollStep(code))
        return TRUE; // SB_ENDSCROLL and the like: nothing moves
    int value = ScrollWorkingBar(bar, code, HIWORD(wParam));
    MoveBar(dialog, bar, value);
    if (bar != BAR_OPACITY)
        ShowBox(dialog, bar, value);
    InvalidatePreview(dialog);
    return TRUE;
}

void ApplyDialog(HWND dialog)
{
    char sizeText[32]; // longer entries are cut; any number that fits a size is far shorter
    GetDlgItemTextA(dialog, IDC_FONT_SIZE, sizeText, sizeof sizeText);
    ApplyWorkingValues(IsDlgButtonChecked(dialog, IDC_ALWAYS_FRONT) == BST_CHECKED,
                       IsDlgButtonChecked(dialog, IDC_BOLD) == BST_CHECKED, sizeText);
    applied = 1;
}

void TakeSelectedFace(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_FONT_LIST);
    LRESULT selected = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return;
    char face[256];
    LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, selected, 0);
    if (length < 0 || length >= static_cast<LRESULT>(sizeof face))
        return; // CB_GETLBTEXT takes no size: never let it write past `face`
    SendMessageA(list, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(face));
    ChooseWorkingFontface(face); // at most 127 characters of it
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam)
{
    int id = LOWORD(wParam);
    if (id == IDOK) {
        ApplyDialog(dialog);
        EndModalDialog(dialog);
        return TRUE;
    }
    if (id == IDCANCEL) {
        EndModalDialog(dialog);
        return TRUE;
    }
    if (id >= IDC_GROUP_BACK && id <= IDC_GROUP_FRAME) {
        SelectColourGroup(id - IDC_GROUP_BACK);
        ShowColourGroup(dialog);
        return TRUE;
    }
    if (id == IDC_FONT_LIST && HIWORD(wParam) == CBN_SELCHANGE) {
        TakeSelectedFace(dialog);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK PropertiesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog);
    case WM_PAINT:
        return OnPaint(dialog);
    case WM_HSCROLL:
        return OnHScroll(dialog, wParam, lParam);
    case WM_COMMAND:
        return OnCommand(dialog, wParam);
    default:
        return FALSE;
    }
}

} // namespace

int RunPropertiesDialog(HWND owner, HFONT font)
{
    previewFont = font;
    applied = 0;
    PrepareUpDownControls();
    RunModalDialog(owner, IDD_PROPERTIES, PropertiesDialogProc);
    return applied;
}
