// Force-included (-include) into every file of a variant build of Vornet by bench/variants.py:
// COMCTL32 is loaded on first use, when a dialog with an up-down control opens, instead of
// being imported (and so loaded and initialised) at process start. No source file changes.
#pragma once
#ifdef __cplusplus
#include <windows.h>
#include <commctrl.h>

inline HMODULE benchComctl32 = NULL;

inline FARPROC BenchComctl32Entry(const char* name)
{
    if (benchComctl32 == NULL)
        benchComctl32 = LoadLibraryA("comctl32.dll");
    return benchComctl32 != NULL ? GetProcAddress(benchComctl32, name) : NULL;
}

inline HWND BenchCreateUpDownControl(DWORD style, int x, int y, int cx, int cy, HWND parent,
                                     int id, HINSTANCE instance, HWND buddy, int upper,
                                     int lower, int position)
{
    typedef HWND(WINAPI * Entry)(DWORD, int, int, int, int, HWND, int, HINSTANCE, HWND, int, int, int);
    Entry entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(BenchComctl32Entry(MAKEINTRESOURCEA(16))));
    return entry != NULL ? entry(style, x, y, cx, cy, parent, id, instance, buddy, upper, lower, position)
                         : NULL;
}

inline BOOL BenchInitCommonControlsEx(const INITCOMMONCONTROLSEX* controls)
{
    typedef BOOL(WINAPI * Entry)(const INITCOMMONCONTROLSEX*);
    Entry entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(BenchComctl32Entry("InitCommonControlsEx")));
    return entry != NULL ? entry(controls) : FALSE;
}

#define CreateUpDownControl BenchCreateUpDownControl
#define InitCommonControlsEx BenchInitCommonControlsEx
#endif
