// Process-wide state of the application shell, shared by every subsystem.
#pragma once
#include <stddef.h>

#include "base/system.h"

enum {
    FILE_BUFFER_SIZE = 102656,   // room for the longest settings text and its terminator
    SETTINGS_TEXT_LIMIT = 102650 // the most bytes setting.ini may hold
};

extern int dialogOpen;    // 1 while one of our modal dialogs is open
extern int listOpen;      // 1 while the window shows the list, 0 for the strip
extern int dragCountdown; // click-versus-drag counter of the window procedure
extern int screenWidth;   // measured at start-up and when the display changes
extern int screenHeight;
extern int sessionEnding; // 1 once Windows ends the session: nobody is left to answer a box

// Scratch text shared by one operation at a time; holds nothing between operations.
extern char fileBuffer[FILE_BUFFER_SIZE];

// A message box, unless the session is ending; returns the button chosen (0 for none).
int TellUser(OwnerWindow owner, const char* text, const char* title, unsigned kind);
