#include "report/report_dates.h"

#include <stdlib.h>
#include <string.h>

namespace report {

std::string TwoDigits(int64_t n)
{
    return {static_cast<char>('0' + n / 10), static_cast<char>('0' + n % 10)};
}

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
    return std::to_string(year) + "-W" + TwoDigits(week);
}

std::string DateLabel(int64_t day)
{
    CivilDate date = DateOfDaysSince1601(day);
    return std::to_string(date.year) + "-" + TwoDigits(date.month) + "-" + TwoDigits(date.day);
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
