// A switch to the task in the selected row: a click, Enter, Ctrl+C or the back-dated change.
#pragma once
#include "base/system.h"

// Makes the task in selectedRow the running one (when no dialog is open and it is named), at
// the moment of the switch. An absence not yet asked about ends there and is asked first.
void SwitchToSelectedTask(OwnerWindow owner);
