// The global hotkey that opens the list from any program, and the keyboard's way back.
#pragma once
#include <windows.h>

// Has the system hold the hotkey of the settings for the window, in place of the one it
// held; one that another program holds is told once, and Vornet goes on without it.
void FollowHotkeySetting(HWND window);
// WM_HOTKEY: the list opens in front with the keyboard, on the running task's row.
void OpenListFromKeyboard(HWND window);
// The list has closed: the keyboard goes back to the window that had it before the hotkey.
void GiveKeyboardBack();
