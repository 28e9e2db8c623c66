#include "tasks/away_time.h"

#include "base/log_line.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "tasks/task_table.h"

namespace {

int away;         // 1 from the first notice of leaving until the question
int returned;     // 1 once a return was noticed
int presenceTold; // the first presence notice, the state as it was, has come
LocalTime awayStart;
LocalTime awayEnd;

struct Absence {
    LocalTime start, end;
};

// The noted absence, taken for its question: a leave after this is a new one.
Absence TakeAbsence()
{
    away = returned = 0;
    // Time before the running task started is another task's line already.
    if (TimeDifference(runningTaskStart, awayStart) < 0)
        return Absence{runningTaskStart, awayEnd};
    return Absence{awayStart, awayEnd};
}

int WorthAsking(const Absence& a)
{
    return TimeDifference(a.start, a.end) >= int64_t(AWAY_ASK_SECONDS) * TICKS_PER_SECOND &&
           firstSwitchPending == 0 && current_task != 0;
}

int AskAbout(OwnerWindow owner, const Absence& a)
{
    char text[TASK_NAME_SIZE + 64];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "Away from ");
    AppendClock(&b, a.start);
    AppendText(&b, " to ");
    AppendClock(&b, a.end);
    AppendText(&b, ".\r\nLog this time as ");
    AppendText(&b, BreakTaskName());
    AppendText(&b, "?");
    return TellUser(owner, text, "Away", MESSAGE_QUESTION) == ANSWER_YES;
}

} // namespace

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
        NoteUserLeft(lastInput); // the absence's question takes only the running task's part
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

int AwayQuestionWaits()
{
    return returned;
}

void AskAboutTimeAway(OwnerWindow owner)
{
    if (!returned || dialogOpen)
        return;
    Absence a = TakeAbsence();
    if (!WorthAsking(a) || !AskAbout(owner, a))
        return;
    TaskChange changes[2] = {{a.start, BreakTaskName()}, {a.end, runningTaskName}};
    ChangeRunningTask(owner, changes, 2);
}

int TakeAbsenceBefore(OwnerWindow owner, LocalTime when, TaskChange changes[2])
{
    NoteUserBack(when);
    if (!returned)
        return 0;
    Absence a = TakeAbsence();
    // Cut at the switch: an absence from after a moment set back is then none, and the new
    // task's time.
    if (TimeDifference(when, a.end) > 0)
        a.end = when;
    if (!WorthAsking(a) || !AskAbout(owner, a))
        return 0;
    changes[0] = TaskChange{a.start, BreakTaskName()};
    changes[1] = TaskChange{a.end, runningTaskName};
    return TimeDifference(a.end, when) > 0 ? 2 : 1;
}

int RefreshWanted()
{
    return RunningFileKept() && !firstSwitchPending && current_task != 0 && !away;
}

int RefreshRunningTask(OwnerWindow owner, LocalTime now)
{
    LocalTime last = LastKnownMoment();
    int gap = TimeDifference(last, now) > int64_t(GAP_AWAY_SECONDS) * TICKS_PER_SECOND;
    if (gap) {
        NoteUserLeft(last);
        NoteUserBack(now);
    }
    KeepRunningFile(owner);
    return gap;
}
