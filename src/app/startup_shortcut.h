// "Start with Windows": a shortcut in the user's Startup folder that starts this Vornet.exe
// in this folder, where its setting.ini and timelog.csv lie. No registry.
#pragma once
#include "base/system.h"

// 1 when one of our shortcuts is there: "Vornet.lnk", or "Vornet (2).lnk" to "Vornet
// (9).lnk" where a Vornet of another folder holds the first names, starting this program in
// this folder. Another folder's shortcut is never ours, nor touched.
int StartsWithWindows();
// Makes our shortcut, under the first free name, or removes it. A failure is told in a
// "Warning" box owned by `owner`, and nothing else changes.
void ToggleStartWithWindows(OwnerWindow owner);
