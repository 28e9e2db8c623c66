#include "base/shell_state.h"

int dialogOpen;
int listOpen;
int dragCountdown;
int screenWidth;
int screenHeight;
int sessionEnding;
char fileBuffer[FILE_BUFFER_SIZE];

int TellUser(OwnerWindow owner, const char* text, const char* title, unsigned kind)
{
    // A box then would hold nothing up but would hide from the user what it says.
    if (sessionEnding)
        return ANSWER_NO; // a question nobody saw is not a yes
    return ShowMessage(owner, text, title, kind);
}
