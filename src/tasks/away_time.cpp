#include "tasks/away_time.h"

#include "base/shell_state.h"
#include "base/text_builder.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

static int away;         // 1 from the first notice of leaving until the question
static int returned;     // 1 once a return was noticed
static int presenceTold; // the first presence notice, the state as it was, has come
static LocalTime awayStart;
static LocalTime awayEnd;

void ForgetTimeAway()
{
    away = returned = presenceTold = 0;
}

int UserIsAway()
{
    return away;
}

int NotePresence(int state, LocalTime now, unsigned long idleMilliseconds)
{
    if (!presenceTold) {
        presenceTold = 1;
        return 0;
    }
    if (state == PRESENCE_INACTIVE) {
        int64_t ticks = 0;
        LocalTimeToTicks(now, &ticks);
        LocalTime lastInput = TicksToLocalTime(ticks - int64_t(idleMilliseconds) * (TICKS_PER_SECOND / 1000));
        NoteUserLeft(TimeDifference(runningTaskStart, lastInput) < 0 ? runningTaskStart : lastInput);
        return 0;
    }
    if (state != PRESENCE_PRESENT || !away)
        return 0;
    NoteUserBack(now);
    return 1;
}

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
    char text[TASK_NAME_SIZE + 64];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "Away from ");
    AppendClock(&b, awayStart);
    AppendText(&b, " to ");
    AppendClock(&b, awayEnd);
    AppendText(&b, ".\r\nLog this time as ");
    AppendText(&b, TaskTable[0]);
    AppendText(&b, "?");
    if (TellUser(owner, text, "Away", MESSAGE_QUESTION) != ANSWER_YES)
        return;
    char resumed[TASK_NAME_SIZE];
    CopyString(resumed, sizeof resumed, runningTaskName);
    EndRunningTaskAt(owner, awayStart, TaskTable[0]);
    EndRunningTaskAt(owner, awayEnd, resumed);
}
