#include "report/report_calendar.h"

#include <stdio.h>
#include <string.h>

namespace report {

int IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Counting years from 1 March puts the leap day at the end of a counted year, so the day of
// the year follows from the month by one formula.
int64_t DayNumber(CivilDate date)
{
    int64_t y = date.year - (date.month <= 2 ? 1 : 0);
    int64_t m = date.month <= 2 ? date.month + 9 : date.month - 3;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yearOfEra = y - era * 400;
    int64_t dayOfYear = (153 * m + 2) / 5 + date.day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t daysTo1601 = 584694; // the same count for 1601-01-01
    return era * 146097 + dayOfEra - daysTo1601;
}

CivilDate DateOfDay(int64_t day)
{
    int64_t z = day + 584694;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t m = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * m + 2) / 5 + 1);
    date.month = static_cast<int>(m < 10 ? m + 3 : m - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

int64_t WeekStart(int64_t day)
{
    return day - day % 7;
}

std::string IsoWeekLabel(int64_t day)
{
    // The ISO year is the year of the week's Thursday; week 1 holds that year's first Thursday.
    int64_t thursday = WeekStart(day) + 3;
    int year = DateOfDay(thursday).year;
    int64_t week = (thursday - DayNumber(CivilDate{year, 1, 1})) / 7 + 1;
    char text[32];
    snprintf(text, sizeof text, "%04d-W%02d", year, static_cast<int>(week));
    return text;
}

std::string DateLabel(int64_t day)
{
    CivilDate date = DateOfDay(day);
    char text[32];
    snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

int ParseIsoDate(const char* text, int64_t* day)
{
    if (strlen(text) != 10 || text[4] != '-' || text[7] != '-')
        return 0;
    int values[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, widths[3] = {4, 2, 2};
    for (int f = 0; f < 3; ++f) {
        for (int i = starts[f]; i < starts[f] + widths[f]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return 0;
            values[f] = values[f] * 10 + (text[i] - '0');
        }
    }
    CivilDate date = {values[0], values[1], values[2]};
    if (date.year < FIRST_YEAR || date.day < 1 || date.day > DaysInMonth(date.year, date.month))
        return 0;
    *day = DayNumber(date);
    return 1;
}

} // namespace report
