// The window's width, place, shape, opacity, z-order and activation in both states.
#pragma once
#include <windows.h>

typedef BOOL(WINAPI* SetLayeredAttributesFunction)(HWND, COLORREF, BYTE, DWORD);
extern HMODULE user32Module;                              // loaded at start, freed at exit
extern SetLayeredAttributesFunction setLayeredAttributes; // absent on old systems

void FitWindowToTasks();
void ReadWindowOrigin(HWND window);
void PlaceInitialStrip(HWND window);
void CollapseList(HWND window);
void ExpandList(HWND window);
// The window has come onto a monitor of another scale (`dpi`): new fonts, as many rows as
// fit, and the system's `suggested` outer rectangle for its place, in the state it is in.
void FollowScaleChange(HWND window, int dpi, const RECT* suggested);
void BringToFront(HWND window);
// Above the other windows, in the band the state asks for, without taking the foreground.
void RaiseWithoutActivating(HWND window);
