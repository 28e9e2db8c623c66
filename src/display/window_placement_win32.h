// The window's width, place, shape, opacity, z-order and activation in both states.
#pragma once
#include <windows.h>

typedef BOOL(WINAPI* SetLayeredAttributesFunction)(HWND, COLORREF, BYTE, DWORD);
extern HMODULE user32Module;                              // loaded at start, freed at exit
extern SetLayeredAttributesFunction setLayeredAttributes; // absent on old systems

// The dialog frame that the window region cuts away, read afresh at every use.
void ReadFrameMetrics(int* fx, int* fy);
void FitWindowToTasks();
void ReadWindowOrigin(HWND window);
void PlaceInitialStrip(HWND window);
void CollapseList(HWND window);
void ExpandList(HWND window);
void BringToFront(HWND window);
// Above the other windows, in the band the state asks for, without taking the foreground.
void RaiseWithoutActivating(HWND window);
