// The proleptic Gregorian calendar as Windows file times count it: days from 1601-01-01,
// which is day 0 and a Monday. Shared by the timer and vornet-report, so that both agree
// on every date from 1601 to 30827 (the years a file time holds).
#pragma once
#include <stdint.h>

struct CivilDate {
    int year;
    int month; // 1..12
    int day;   // 1..31
};

int DaysInMonth(int year, int month); // 0 for a month outside 1..12
// For years from 1601 on; day 0 is 1601-01-01, and day % 7 is the weekday, 0 for Monday.
int64_t DaysSince1601(int year, int month, int day);
// The inverse of DaysSince1601, for days from 0 on.
CivilDate DateOfDaysSince1601(int64_t days);
