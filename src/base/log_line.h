// One line of timelog.csv, as the timer writes it and as everything reads it back (the
// timer's own take-over and vornet-report):
//   "%4d/%02d/%02d %02d:%02d:%02d,%d:%02d:%02d,%d," + name + CR LF
// A period is known by its start moment, to the second, and its name.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "base/local_time.h"

struct TextBuilder;

// The seconds field is a 32-bit signed number: a longer period is written as this long.
const int64_t LOG_LINE_MOST_SECONDS = 2147483647;

struct TimeLogLine {
    LocalTime start; // milliseconds 0
    int64_t seconds;
    const char* name; // inside the text read; never empty
    size_t nameLength;
};

// The line for a period of `seconds` (kept within 0..LOG_LINE_MOST_SECONDS) from `start`;
// returns its length. `name` must not be empty.
size_t FormatTimeLogLine(char* out, size_t capacity, const LocalTime& start, int64_t seconds,
                         const char* name);
// Reads one line without its line end: nullptr when it is a line the timer writes, else why
// it is not.
const char* ParseTimeLogLine(const char* text, size_t length, TimeLogLine* line);
// 1 when both lines are of one period: the same start and the same name.
int SamePeriod(const TimeLogLine& a, const TimeLogLine& b);

// Whole seconds from `start` to `end`, truncated toward zero; 0 when `end` is earlier.
int64_t DurationSeconds(LocalTime start, LocalTime end);
// "year/MM/DD hh:mm:ss", the year right-aligned in `yearWidth` characters.
void AppendMoment(TextBuilder* b, const LocalTime& time, int yearWidth);
// "hh:mm:ss"
void AppendClock(TextBuilder* b, const LocalTime& time);
// "H:MM:SS", the hours not wrapped.
void AppendDuration(TextBuilder* b, int64_t seconds);
