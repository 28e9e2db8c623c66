// The strip as a screen reader reads it (MSAA): a client object named by the running task,
// and while the list is open a list with one child per row. It is one C-style COM record
// whose first member points to a static table of its functions; it lives as long as the
// process, so it counts no references. oleacc and oleaut32 are loaded when a reader first
// asks, never at start-up.
#define CINTERFACE
#include <windows.h>

#include <oleacc.h>

#include "display/accessible_strip_win32.h"

#include "base/library_entry_win32.h"
#include "base/shell_state.h"
#include "display/geometry.h"
#include "tasks/running_period.h"
#include "tasks/task_table.h"

namespace {

HWND stripWindow = NULL;

// Written out: across processes, the static uuid library's symbol was not recognised.
const GUID kUnknownId = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kDispatchId = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const GUID kAccessibleId = {0x618736E0, 0x3C3D, 0x11CF,
                            {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

HMODULE accessibility = NULL; // oleacc.dll
HMODULE automation = NULL;    // oleaut32.dll

// A child id: 0 is the strip or list itself, row + 1 a row of the open list.
const int ROW_SELF = -1;
const int ROW_NONE = -2;

int RowOf(VARIANT child)
{
    if (child.vt != VT_I4)
        return ROW_NONE;
    if (child.lVal == CHILDID_SELF)
        return ROW_SELF;
    return listOpen && child.lVal >= 1 && child.lVal <= lastRow + 1 ? child.lVal - 1 : ROW_NONE;
}

// The selected row's child id; the row may lie past a list that has since grown shorter.
LONG SelectedChild()
{
    return selectedRow <= lastRow ? selectedRow + 1 : lastRow + 1;
}

HRESULT Number(VARIANT* out, LONG value)
{
    out->vt = VT_I4;
    out->lVal = value;
    return S_OK;
}

HRESULT Nothing(VARIANT* out)
{
    out->vt = VT_EMPTY;
    return S_FALSE;
}

// No task runs before the first switch: the strip is "Vornet" until then.
const char* StripName()
{
    return firstSwitchPending ? "Vornet" : runningTaskName;
}

const char* RowName(int row)
{
    return TaskTable[row][0] != '\0' ? TaskTable[row] : "empty";
}

HRESULT Spoken(const char* text, BSTR* out)
{
    typedef BSTR(WINAPI * AllocateText)(const OLECHAR*, UINT);
    AllocateText allocate =
        LibraryFunction<AllocateText>(&automation, "oleaut32.dll", "SysAllocStringLen");
    WCHAR wide[TASK_NAME_SIZE]; // a name's bytes are at most as many characters
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, wide, TASK_NAME_SIZE);
    *out = allocate != NULL && length > 0 ? allocate(wide, length - 1) : NULL;
    return *out != NULL ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE QueryInterface(IAccessible* self, REFIID id, void** out)
{
    *out = IsEqualGUID(id, kUnknownId) || IsEqualGUID(id, kDispatchId) ||
                   IsEqualGUID(id, kAccessibleId) ? self : NULL;
    return *out != NULL ? S_OK : E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE Counted(IAccessible*)
{
    return 1;
}

HRESULT STDMETHODCALLTYPE TypeInfoCount(IAccessible*, UINT* count)
{
    *count = 0; // no type library: readers call the functions themselves
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TypeInfo(IAccessible*, UINT, LCID, ITypeInfo**)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE IdsOfNames(IAccessible*, REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Invoke(IAccessible*, DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                 EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Parent(IAccessible*, IDispatch** out)
{
    typedef HRESULT(WINAPI * StandardObject)(HWND, LONG, REFIID, void**);
    StandardObject make = LibraryFunction<StandardObject>(&accessibility, "oleacc.dll",
                                                          "CreateStdAccessibleObject");
    *out = NULL; // the window around the client area, as the system describes it
    if (make == NULL)
        return E_FAIL;
    return make(stripWindow, OBJID_WINDOW, kDispatchId, reinterpret_cast<void**>(out));
}

HRESULT STDMETHODCALLTYPE ChildCount(IAccessible*, LONG* count)
{
    *count = listOpen ? lastRow + 1 : 0;
    return S_OK;
}

// The rows are simple elements: their child ids stand for them.
HRESULT STDMETHODCALLTYPE Child(IAccessible*, VARIANT child, IDispatch** out)
{
    *out = NULL;
    return RowOf(child) >= 0 ? S_FALSE : E_INVALIDARG;
}

HRESULT STDMETHODCALLTYPE Name(IAccessible*, VARIANT child, BSTR* out)
{
    int row = RowOf(child);
    *out = NULL;
    if (row == ROW_NONE)
        return E_INVALIDARG;
    return Spoken(row == ROW_SELF ? StripName() : RowName(row), out);
}

// Value, description, help, keyboard shortcut, default action.
HRESULT STDMETHODCALLTYPE NoText(IAccessible*, VARIANT, BSTR* out)
{
    *out = NULL;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE Role(IAccessible*, VARIANT child, VARIANT* out)
{
    int row = RowOf(child);
    if (row == ROW_NONE)
        return E_INVALIDARG;
    if (row >= 0)
        return Number(out, ROLE_SYSTEM_LISTITEM);
    return Number(out, listOpen ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_STATICTEXT);
}

HRESULT STDMETHODCALLTYPE State(IAccessible*, VARIANT child, VARIANT* out)
{
    int row = RowOf(child);
    if (row == ROW_NONE)
        return E_INVALIDARG;
    LONG focused = GetFocus() == stripWindow ? STATE_SYSTEM_FOCUSED : 0;
    if (row == ROW_SELF)
        return Number(out, STATE_SYSTEM_FOCUSABLE | (listOpen ? 0 : focused));
    LONG selected = row + 1 == SelectedChild() ? STATE_SYSTEM_SELECTED | focused : 0;
    return Number(out, STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | selected);
}

HRESULT STDMETHODCALLTYPE HelpTopic(IAccessible*, BSTR* file, VARIANT, LONG*)
{
    *file = NULL;
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE Focus(IAccessible*, VARIANT* out)
{
    if (GetFocus() != stripWindow)
        return Nothing(out);
    return Number(out, listOpen ? SelectedChild() : CHILDID_SELF);
}

HRESULT STDMETHODCALLTYPE Selection(IAccessible*, VARIANT* out)
{
    return listOpen ? Number(out, SelectedChild()) : Nothing(out);
}

HRESULT STDMETHODCALLTYPE Select(IAccessible*, LONG, VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE Location(IAccessible*, LONG* x, LONG* y, LONG* width, LONG* height,
                                   VARIANT child)
{
    int row = RowOf(child);
    if (row == ROW_NONE)
        return E_INVALIDARG;
    RECT area;
    GetClientRect(stripWindow, &area); // all that shows of the window
    if (row >= 0) {
        RowSpan band = RowBand(row, CurrentSizes().rows);
        area.top = band.top;
        area.bottom = band.bottom;
    }
    POINT origin = {0, 0};
    ClientToScreen(stripWindow, &origin);
    *x = origin.x + area.left;
    *y = origin.y + area.top;
    *width = area.right - area.left;
    *height = area.bottom - area.top;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Navigate(IAccessible*, LONG direction, VARIANT start, VARIANT* out)
{
    int row = RowOf(start), to = ROW_NONE;
    if (row == ROW_SELF && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD))
        to = direction == NAVDIR_FIRSTCHILD ? 0 : lastRow;
    if (row >= 0 && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN))
        to = row + 1;
    if (row >= 0 && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP))
        to = row - 1;
    return listOpen && to >= 0 && to <= lastRow ? Number(out, to + 1) : Nothing(out);
}

HRESULT STDMETHODCALLTYPE HitTest(IAccessible*, LONG x, LONG y, VARIANT* out)
{
    POINT at = {x, y};
    RECT area;
    ScreenToClient(stripWindow, &at);
    GetClientRect(stripWindow, &area);
    if (!PtInRect(&area, at))
        return Nothing(out);
    if (!listOpen)
        return Number(out, CHILDID_SELF);
    return Number(out, RowAtPointer(at.y, CurrentSizes().rows, lastRow) + 1);
}

HRESULT STDMETHODCALLTYPE DefaultAction(IAccessible*, VARIANT)
{
    return DISP_E_MEMBERNOTFOUND;
}

HRESULT STDMETHODCALLTYPE Rename(IAccessible*, VARIANT, BSTR)
{
    return E_NOTIMPL; // names and values are not set from outside
}

IAccessibleVtbl kStripFunctions = { // the headers' record is not const
    QueryInterface, Counted, Counted, TypeInfoCount, TypeInfo, IdsOfNames, Invoke,
    Parent, ChildCount, Child, Name, NoText, NoText, Role, State, NoText, HelpTopic, NoText,
    Focus, Selection, NoText, Select, Location, Navigate, HitTest, DefaultAction, Rename, Rename,
};
IAccessible stripObject = {&kStripFunctions};

} // namespace

LRESULT AnswerAccessibleObject(HWND window, WPARAM wParam, LPARAM lParam)
{
    typedef LRESULT(WINAPI * ResultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    ResultFromObject answer = NULL;
    if (static_cast<LONG>(lParam) == OBJID_CLIENT)
        answer = LibraryFunction<ResultFromObject>(&accessibility, "oleacc.dll",
                                                   "LresultFromObject");
    if (answer == NULL)
        return DefWindowProcA(window, WM_GETOBJECT, wParam, lParam);
    // The reference is made through COM, which this thread starts for the rest of the run
    // when a reader first asks.
    if (stripWindow == NULL)
        CoInitializeEx(NULL, COINIT_APARTMENTTHREADED);
    stripWindow = window;
    return answer(kAccessibleId, wParam, reinterpret_cast<LPUNKNOWN>(&stripObject));
}

void AnnounceStripName(HWND window)
{
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, CHILDID_SELF);
}

void AnnounceSelectedRow(HWND window)
{
    if (!listOpen)
        return;
    NotifyWinEvent(EVENT_OBJECT_SELECTION, window, OBJID_CLIENT, SelectedChild());
    // Only the window that has the keyboard has a focus to tell of.
    if (GetFocus() == window)
        NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, SelectedChild());
}
