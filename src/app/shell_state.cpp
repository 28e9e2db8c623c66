#include "app/shell_state.h"

int dialogOpen = 0;
int listOpen = 0;
int dragCountdown = 0;
int screenWidth = 0;
int screenHeight = 0;
int sessionEnding = 0;
char fileBuffer[FILE_BUFFER_SIZE];

int TellUser(OwnerWindow owner, const char* text, const char* title, unsigned kind)
{
    // A box then would hold nothing up but would hide from the user what it says.
    if (sessionEnding)
        return 0;
    return ShowMessage(owner, text, title, kind);
}
