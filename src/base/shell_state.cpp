#include "base/shell_state.h"

#include "base/text_builder.h"

int dialogOpen;
int listOpen;
int sessionEnding;
int screenLeft;
int screenTop;
int screenWidth;
int screenHeight;

void MeasureScreen()
{
    ScreenArea area = ReadScreenArea();
    screenLeft = area.left;
    screenTop = area.top;
    screenWidth = area.width;
    screenHeight = area.height;
}

int TellUser(OwnerWindow owner, const char* text, const char* title, unsigned kind)
{
    // A box then would hold nothing up but would hide from the user what it says.
    if (sessionEnding)
        return ANSWER_NO; // a question nobody saw is not a yes
    int wasOpen = dialogOpen;
    dialogOpen = 1;
    int answer = ShowMessage(owner, text, title, kind);
    dialogOpen = wasOpen;
    return answer;
}

void TellFileError(OwnerWindow owner, const char* fileName, WriteResult result)
{
    char text[128];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, fileName);
    AppendText(&b, result == WRITE_FAILED ? " file write error." : " file open error.");
    TellUser(owner, text, "OPEN ERROR", MESSAGE_ERROR);
}
