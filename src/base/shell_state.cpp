#include "base/shell_state.h"

#include <string.h>

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

namespace {

const char kNoticesName[] = "vornet-notices.txt";
enum { UNTOLD_SIZE = 4096 };
char untold[UNTOLD_SIZE];
size_t untoldLength;

void KeepUntold(const char* text)
{
    TextBuilder b = {untold, sizeof untold, untoldLength};
    AppendText(&b, text);
    AppendText(&b, "\r\n\r\n");
    untoldLength = b.length;
}

} // namespace

int OpenModal()
{
    int wasOpen = dialogOpen;
    dialogOpen = 1;
    return wasOpen;
}

void CloseModal(int wasOpen)
{
    dialogOpen = wasOpen;
}

int TellUser(OwnerWindow owner, const char* text, const char* title, unsigned kind)
{
    // A box then would hold nothing up but would hide from the user what it says.
    if (sessionEnding) {
        if (kind != MESSAGE_QUESTION)
            KeepUntold(text);
        return 0; // a question nobody saw has no answer
    }
    int wasOpen = OpenModal();
    int answer = ShowMessage(owner, text, title, kind);
    CloseModal(wasOpen);
    return answer;
}

void KeepUntoldNotices()
{
    // The session ends: when this fails too, nobody is left to tell.
    if (untoldLength > 0)
        AppendToFile(kNoticesName, untold, untoldLength);
    untoldLength = 0;
}

void TellUntoldNotices(OwnerWindow owner)
{
    char notices[UNTOLD_SIZE];
    size_t length = 0;
    int whole = 0;
    if (ReadFileEnd(kNoticesName, notices, sizeof notices, &length, &whole) != READ_OK || length == 0)
        return;
    // Of many, the latest: from the first line that is whole.
    const char* lf = whole ? nullptr : static_cast<const char*>(memchr(notices, '\n', length));
    size_t from = lf != nullptr ? static_cast<size_t>(lf - notices) + 1 : 0;
    while (length > from && (notices[length - 1] == '\r' || notices[length - 1] == '\n'))
        --length;
    char text[UNTOLD_SIZE + 128];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "When Windows ended the last session, Vornet could not tell you:\r\n\r\n");
    AppendBytes(&b, notices + from, length - from);
    // Gone once the user has read it; a box the end of a session closed comes again.
    if (TellUser(owner, text, "Warning", MESSAGE_WARNING) == 1)
        RemoveFile(kNoticesName);
}

void ForgetUntoldNotices()
{
    untoldLength = 0;
}

void TellFileError(OwnerWindow owner, const char* fileName, WriteResult result)
{
    char text[128];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, fileName);
    AppendText(&b, result == WRITE_FAILED ? " file write error." : " file open error.");
    TellUser(owner, text, "OPEN ERROR", MESSAGE_ERROR);
}
