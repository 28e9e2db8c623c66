// The Properties dialog: font, size, weight, colours, opacity and "Always front", with a
// preview. The values and their arithmetic live in properties_values; this file only moves
// them between the controls and the working state.
#include <windows.h>

#include <commctrl.h>
#include <string.h>

#include "properties/properties_dialog_win32.h"

#include "base/font_charset_win32.h"
#include "base/modal_dialog_win32.h"
#include "base/pixel_scale.h"
#include "base/shell_state.h"
#include "base/up_down_control_win32.h"
#include "properties/properties_values.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

namespace {

// The dialog's data, lent by RunPropertiesDialog for the time the dialog is open.
struct PropertiesDialog {
    PropertiesWork work;
    const HFONT* previewFont; // the program's, which a change of scale may replace meanwhile
    int applied;              // OK was pressed
};

PropertiesDialog* DataOf(HWND dialog)
{
    return reinterpret_cast<PropertiesDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// The preview, in pixels of the dialog's client area at 100%.
const RECT kPreview = {320, 170, 400, 220};
const int kPreviewTextX = 330;
const int kPreviewText1Y = 183;
const int kPreviewText2Y = 197;

int Scaled(int pixels)
{
    return ScalePixels(pixels, windowDpi); // the scale the preview font is made at
}

RECT PreviewRect()
{
    RECT r = {Scaled(kPreview.left), Scaled(kPreview.top), Scaled(kPreview.right),
              Scaled(kPreview.bottom)};
    return r;
}

// Control ids of the bars and boxes, by PropertiesBar.
const int kBarIds[] = {IDC_RED_BAR, IDC_GREEN_BAR, IDC_BLUE_BAR, IDC_OPACITY_BAR};
const int kBoxIds[] = {IDC_RED_BOX, IDC_GREEN_BOX, IDC_BLUE_BOX};

// SIF_RANGE while the ranges are set, SIF_POS after.
void SetBar(HWND dialog, int bar, UINT mask, int value)
{
    SCROLLINFO scroll;
    ZeroMemory(&scroll, sizeof scroll);
    scroll.cbSize = sizeof scroll;
    scroll.fMask = mask;
    scroll.nMin = BarLowest(bar);
    scroll.nMax = BarHighest(bar);
    scroll.nPos = value;
    SetScrollInfo(GetDlgItem(dialog, kBarIds[bar]), SB_CTL, &scroll, TRUE);
}

void ShowBox(HWND dialog, int bar, int value)
{
    char text[16];
    FormatComponentBox(bar, value, text, sizeof text);
    SetDlgItemTextA(dialog, kBoxIds[bar], text);
}

// Boxes 1015-1017 and bars 1005-1007 show the working colour of the group being edited.
void ShowColourGroup(HWND dialog, const PropertiesWork* work)
{
    for (int bar = BAR_RED; bar <= BAR_BLUE; ++bar) {
        ShowBox(dialog, bar, WorkingBarValue(work, bar));
        SetBar(dialog, bar, SIF_POS, WorkingBarValue(work, bar));
    }
}

void InvalidatePreview(HWND dialog)
{
    // Without erasing: the preview paints every pixel of its rectangle.
    RECT preview = PreviewRect();
    InvalidateRect(dialog, &preview, FALSE);
}

void CreateSizeSpinner(HWND dialog)
{
    // The 50 x 50 at 10,10 is only a start: UDS_ALIGNRIGHT puts it beside its buddy.
    // UDS_NOTHOUSANDS: a size of 1,000 or more would read back as 1.
    MakeUpDownControl(WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_SETBUDDYINT | UDS_ALIGNRIGHT |
                          UDS_NOTHOUSANDS,
                      10, 10, 50, 50, dialog, IDC_UPDOWN_FONT_SIZE, appInstance,
                      GetDlgItem(dialog, IDC_FONT_SIZE),
                      FontSizeHighest(screenHeight, lastRow, windowDpi), FSIZE_LOWEST,
                      Settings.fsize);
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

INT_PTR OnInitDialog(HWND dialog, LPARAM data)
{
    SetWindowLongPtrA(dialog, DWLP_USER, data);
    PropertiesWork* work = &DataOf(dialog)->work;
    HDC dc = GetDC(dialog);
    CreateSizeSpinner(dialog);
    CheckDlgButton(dialog, IDC_BOLD, StartsBold() ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_ALWAYS_FRONT, StartsAlwaysFront() ? BST_CHECKED : BST_UNCHECKED);
    LoadWorkingValues(work); // group Back, the opacity, the face and the twelve colours
    CheckRadioButton(dialog, IDC_GROUP_BACK, IDC_GROUP_FRAME, IDC_GROUP_BACK);
    for (int bar = BAR_RED; bar <= BAR_BLUE; ++bar)
        ShowBox(dialog, bar, WorkingBarValue(work, bar));
    for (int bar = BAR_RED; bar <= BAR_OPACITY; ++bar)
        SetBar(dialog, bar, SIF_RANGE, 0);
    for (int bar = BAR_RED; bar <= BAR_OPACITY; ++bar)
        SetBar(dialog, bar, SIF_POS, WorkingBarValue(work, bar));
    FillFontList(dialog, dc);
    ReleaseDC(dialog, dc);
    SelectStoredFace(dialog);
    // A key without Ctrl or Alt would be taken from every program: Ctrl+Alt is added to it.
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S,
                        MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_SETHOTKEY, Settings.hotkey, 0);
    return TRUE;
}

INT_PTR OnPaint(HWND dialog)
{
    const PropertiesDialog* data = DataOf(dialog);
    const PropertiesWork* work = &data->work;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    HBRUSH brush = CreateSolidBrush(WorkingColour(work, GROUP_BACK));
    HPEN pen = CreatePen(PS_INSIDEFRAME, Scaled(1), WorkingColour(work, GROUP_FRAME));
    // The DC's own objects go back before ours are deleted.
    HGDIOBJ earlierBrush = SelectObject(dc, brush);
    HGDIOBJ earlierPen = SelectObject(dc, pen);
    HGDIOBJ earlierFont = SelectObject(dc, *data->previewFont);
    SetBkMode(dc, TRANSPARENT); // the back colour shows behind the words, as on the strip
    SetTextAlign(dc, 0);
    RECT preview = PreviewRect();
    Rectangle(dc, preview.left, preview.top, preview.right, preview.bottom);
    SetTextColor(dc, WorkingColour(work, GROUP_TEXT1));
    TextOutA(dc, Scaled(kPreviewTextX), Scaled(kPreviewText1Y), "Text1", 5);
    SetTextColor(dc, WorkingColour(work, GROUP_TEXT2));
    TextOutA(dc, Scaled(kPreviewTextX), Scaled(kPreviewText2Y), "Text2", 5);
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
    int value = ScrollWorkingBar(&DataOf(dialog)->work, bar, code, HIWORD(wParam));
    SetBar(dialog, bar, SIF_POS, value);
    if (bar != BAR_OPACITY)
        ShowBox(dialog, bar, value);
    InvalidatePreview(dialog);
    return TRUE;
}

void ApplyDialog(HWND dialog)
{
    char sizeText[32]; // longer entries are cut; any number that fits a size is far shorter
    GetDlgItemTextA(dialog, IDC_FONT_SIZE, sizeText, sizeof sizeText);
    PropertiesDialog* data = DataOf(dialog);
    int hotkey = LOWORD(SendDlgItemMessageA(dialog, IDC_HOTKEY, HKM_GETHOTKEY, 0, 0));
    ApplyWorkingValues(&data->work, IsDlgButtonChecked(dialog, IDC_ALWAYS_FRONT) == BST_CHECKED,
                       IsDlgButtonChecked(dialog, IDC_BOLD) == BST_CHECKED, sizeText, hotkey);
    data->applied = 1;
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
    ChooseWorkingFontface(&DataOf(dialog)->work, face); // at most 127 characters of it
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
        PropertiesWork* work = &DataOf(dialog)->work;
        SelectColourGroup(work, id - IDC_GROUP_BACK);
        ShowColourGroup(dialog, work);
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
        return OnInitDialog(dialog, lParam);
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

int RunPropertiesDialog(HWND owner, const HFONT* previewFont)
{
    PropertiesDialog data;
    ZeroMemory(&data, sizeof data);
    data.previewFont = previewFont;
    PrepareCommonControls();
    RunModalDialog(owner, IDD_PROPERTIES, PropertiesDialogProc, reinterpret_cast<LPARAM>(&data));
    return data.applied;
}
