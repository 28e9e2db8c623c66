#include "tasks/away_time.h"

#include <string.h>

#include "base/shell_state.h"
#include "base/text_builder.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

static int away = 0;     // 1 from the first notice of leaving until the question
static int returned = 0; // 1 once a return was noticed
static LocalTime awayStart;
static LocalTime awayEnd;

void NoteUserLeft(LocalTime now)
{
    if (away)
        return;
    away = 1;
    awayStart = now;
}

void NoteUserBack(LocalTime now)
{
    if (!away || returned)
        return;
    returned = 1;
    awayEnd = now;
}

static int WorthAsking()
{
    return TimeDifference(awayStart, awayEnd) >= int64_t(AWAY_ASK_SECONDS) * TICKS_PER_SECOND &&
           firstSwitchPending == 0 && current_task != 0 && dialogOpen == 0;
}

void AskAboutTimeAway(OwnerWindow owner)
{
    if (!returned)
        return;
    away = returned = 0;
    if (!WorthAsking())
        return;
    TextBuilder b = {fileBuffer, FILE_BUFFER_SIZE, 0};
    AppendText(&b, "Away from ");
    AppendClock(&b, awayStart);
    AppendText(&b, " to ");
    AppendClock(&b, awayEnd);
    AppendText(&b, ".\r\nLog this time as ");
    AppendText(&b, TaskTable[0]);
    AppendText(&b, "?");
    dialogOpen = 1;
    int answer = TellUser(owner, fileBuffer, "Away", MESSAGE_QUESTION);
    dialogOpen = 0;
    if (answer != ANSWER_YES)
        return;
    char resumed[TASK_NAME_SIZE];
    CopyText(resumed, sizeof resumed, runningTaskName, strlen(runningTaskName));
    EndRunningTaskAt(owner, awayStart, TaskTable[0]);
    EndRunningTaskAt(owner, awayEnd, resumed);
}
