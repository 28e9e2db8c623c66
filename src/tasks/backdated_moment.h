// The moment chosen in the back-dated change dialog: built from its six number fields,
// checked against the running task's start, and handed to the next switch.
#pragma once
#include <stddef.h>

#include "base/system.h"
#include "base/local_time.h"

// The six number fields, in the order the dialog reads them.
enum MomentField {
    FIELD_YEAR,
    FIELD_MONTH,
    FIELD_DAY,
    FIELD_HOUR,
    FIELD_MINUTE,
    FIELD_SECOND,
    MOMENT_FIELD_COUNT
};

// Bounds of a field, both included; the same for its up-down control and for the check.
int MomentFieldLow(int field);
int MomentFieldHigh(int field);
// The member of `time` that the field stands for.
int MomentFieldOf(const LocalTime& time, int field);

// `values` are the six fields as ParseDecimal reads them (text that is not a number gives 0). A value in its field's range is taken; any other value leaves the
// member of `now`, as do the day of the week and the milliseconds.
LocalTime MomentFromFields(const int values[MOMENT_FIELD_COUNT], const LocalTime& now);

enum MomentVerdict {
    MOMENT_ACCEPTED,
    MOMENT_BEFORE_LAST_START, // earlier than the running task's start
    MOMENT_NOT_ON_CALENDAR    // a day past the end of its month (31 April, 29 February 2027)
};
MomentVerdict JudgeMoment(const LocalTime& moment, const LocalTime& lastStart);

// What the user is told for a refused moment; nullptr for an accepted one.
const char* RefusalText(MomentVerdict verdict);

// The OK button: backdatedTime <- the moment of the fields at the current local time. An
// accepted moment sets useBackdatedTime and returns 1; a refused one shows its warning,
// owned by `dialog`, and returns 0, so that the dialog stays open.
int ChooseBackdatedMoment(OwnerWindow dialog, const int values[MOMENT_FIELD_COUNT]);

// "%d/%02d/%02d %02d:%02d:%02d" of `time` (no milliseconds); returns its length.
size_t FormatMomentText(char* out, size_t capacity, const LocalTime& time);
