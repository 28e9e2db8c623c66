// Process-wide flags of the application shell that every subsystem reads, and the one way
// the program speaks to the user.
#pragma once
#include "base/system.h"

extern int dialogOpen;    // 1 while one of our modal dialogs or message boxes is open
extern int listOpen;      // 1 while the window shows the list, 0 for the strip
extern int sessionEnding; // 1 once Windows ends the session: nobody is left to answer a box

// The area the window may occupy: the virtual screen with more than one monitor, else the
// primary screen. Measured at start-up and when the display changes.
extern int screenLeft;
extern int screenTop;
extern int screenWidth;
extern int screenHeight;
void MeasureScreen();

// The one writer of dialogOpen (but for a fresh start): a modal window's life, from its
// opening, which returns what the flag was, to its end, which restores that.
int OpenModal();
void CloseModal(int wasOpen);

// Every message box of the program. It counts as a modal dialog while it is up, so that no
// guarded command, menu or switch runs inside it. None is shown while the session ends: a
// notice is kept for the next start instead. Returns the button chosen (0 for none).
int TellUser(OwnerWindow owner, const char* text, const char* title, unsigned kind);
// "FILE file open error." or, when the file was opened but not written whole, "FILE file
// write error.", in an "OPEN ERROR" box.
void TellFileError(OwnerWindow owner, const char* fileName, WriteResult result);

// The notices the end of a session kept from the screen: written beside the log, and told at
// the next start in one box (then the file goes).
void KeepUntoldNotices();
void TellUntoldNotices(OwnerWindow owner);
void ForgetUntoldNotices();
