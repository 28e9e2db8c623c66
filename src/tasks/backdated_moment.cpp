#include "tasks/backdated_moment.h"

#include "base/shell_state.h"
#include "base/text_builder.h"
#include "base/log_line.h"
#include "tasks/running_period.h"

namespace {

struct FieldRange {
    int low;
    int high;
};

const FieldRange kRanges[MOMENT_FIELD_COUNT] = {
    {2016, 2200}, // year
    {1, 12},      // month
    {1, 31},      // day: the length of the month is judged later, on the whole date
    {0, 23},      // hour
    {0, 59},      // minute
    {0, 59},      // second
};

const unsigned short* MemberOf(const LocalTime& time, int field)
{
    switch (field) {
    case FIELD_YEAR:
        return &time.wYear;
    case FIELD_MONTH:
        return &time.wMonth;
    case FIELD_DAY:
        return &time.wDay;
    case FIELD_HOUR:
        return &time.wHour;
    case FIELD_MINUTE:
        return &time.wMinute;
    default:
        return &time.wSecond;
    }
}

unsigned short* MemberOf(LocalTime& time, int field)
{
    return const_cast<unsigned short*>(MemberOf(static_cast<const LocalTime&>(time), field));
}

} // namespace

int MomentFieldLow(int field)
{
    return kRanges[field].low;
}

int MomentFieldHigh(int field)
{
    return kRanges[field].high;
}

int MomentFieldOf(const LocalTime& time, int field)
{
    return *MemberOf(time, field);
}

LocalTime MomentFromFields(const int values[MOMENT_FIELD_COUNT], const LocalTime& now)
{
    LocalTime moment = now;
    for (int field = 0; field < MOMENT_FIELD_COUNT; ++field) {
        int value = values[field];
        // Compared as a full int: a negative value is out of range, never wrapped.
        if (value >= kRanges[field].low && value <= kRanges[field].high)
            *MemberOf(moment, field) = static_cast<unsigned short>(value);
    }
    return moment;
}

MomentVerdict JudgeMoment(const LocalTime& moment, const LocalTime& lastStart)
{
    // A day past the end of its month has no tick count: it is refused before any
    // comparison, so that it never reaches TimeDifference or the log.
    if (!IsRealMoment(moment))
        return MOMENT_NOT_ON_CALENDAR;
    if (TimeDifference(lastStart, moment) < 0)
        return MOMENT_BEFORE_LAST_START;
    return MOMENT_ACCEPTED;
}

const char* RefusalText(MomentVerdict verdict)
{
    switch (verdict) {
    case MOMENT_BEFORE_LAST_START:
        return "The start time of the new task is before the start time of the last task.";
    case MOMENT_NOT_ON_CALENDAR:
        return "The start date of the new task does not exist.";
    default:
        return nullptr;
    }
}

int ChooseBackdatedMoment(OwnerWindow dialog, const int values[MOMENT_FIELD_COUNT])
{
    backdatedTime = MomentFromFields(values, CurrentLocalTime());
    MomentVerdict verdict = JudgeMoment(backdatedTime, runningTaskStart);
    if (verdict != MOMENT_ACCEPTED) {
        TellUser(dialog, RefusalText(verdict), "Warning", MESSAGE_WARNING);
        return 0;
    }
    useBackdatedTime = 1;
    return 1;
}

size_t FormatMomentText(char* out, size_t capacity, const LocalTime& time)
{
    TextBuilder b = {out, capacity, 0};
    AppendMoment(&b, time, 0);
    return b.length;
}
