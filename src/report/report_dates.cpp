#include "report/report_dates.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace report {

int64_t WeekStart(int64_t day)
{
    return day - day % 7;
}

std::string IsoWeekLabel(int64_t day)
{
    // The ISO year is the year of the week's Thursday; week 1 holds that year's first Thursday.
    int64_t thursday = WeekStart(day) + 3;
    int year = DateOfDaysSince1601(thursday).year;
    int64_t week = (thursday - DaysSince1601(year, 1, 1)) / 7 + 1;
    char text[32];
    snprintf(text, sizeof text, "%04d-W%02d", year, static_cast<int>(week));
    return text;
}

std::string DateLabel(int64_t day)
{
    CivilDate date = DateOfDaysSince1601(day);
    char text[32];
    snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

int ParseIsoDate(const char* text, int64_t* day)
{
    if (strlen(text) != 10)
        return 0;
    for (int i = 0; i < 10; ++i)
        if (i == 4 || i == 7 ? text[i] != '-' : text[i] < '0' || text[i] > '9')
            return 0;
    int year = atoi(text), month = atoi(text + 5), monthDay = atoi(text + 8);
    if (year < FIRST_YEAR || monthDay < 1 || monthDay > DaysInMonth(year, month))
        return 0;
    *day = DaysSince1601(year, month, monthDay);
    return 1;
}

} // namespace report
