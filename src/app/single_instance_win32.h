// One Vornet per folder: 1 when this process may run, 0 when another one already does
// (its strip has then been brought to the front).
#pragma once
#include <windows.h>

int ClaimFolder();
void NoteClaimedWindow(HWND window);
void ReleaseFolder();
