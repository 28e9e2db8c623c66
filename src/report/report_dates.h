// Dates as the report shows and reads them. The log stores no time zone, so a day is the
// local calendar day and every day has 86,400 seconds; days are counted as in calendar.h.
#pragma once
#include <stdint.h>

#include <string>

#include "base/calendar.h"

namespace report {

enum { SECONDS_PER_DAY = 86400 };

// The Monday that begins the ISO 8601 week holding `day`.
int64_t WeekStart(int64_t day);
// ISO 8601 week label of `day`: "2026-W53" (the year is the one its Thursday falls in).
std::string IsoWeekLabel(int64_t day);
// The first day of the calendar month holding `day`.
int64_t MonthStart(int64_t day);
// "2026-12": the month holding `day`.
std::string MonthLabel(int64_t day);
// "2026-12-05"; the years of the log have four digits or more.
std::string DateLabel(int64_t day);
// "07": 0 to 99 with two digits.
std::string TwoDigits(int64_t n);

// Reads exactly "YYYY-MM-DD" (a real date from 1601 to 9999); 1 on success.
int ParseIsoDate(const char* text, int64_t* day);

} // namespace report
