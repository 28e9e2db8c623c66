// "Change task with a time back": a switch whose moment the user sets back by hand.
#pragma once
#include <windows.h>

// On a named row: the dialog over `owner`, then the switch at the moment it accepted.
void RunBackdatedChange(HWND owner);
