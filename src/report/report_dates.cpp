#include "report/report_dates.h"

#include <stdio.h>
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
    if (values[0] < FIRST_YEAR || values[2] < 1 || values[2] > DaysInMonth(values[0], values[1]))
        return 0;
    *day = DaysSince1601(values[0], values[1], values[2]);
    return 1;
}

} // namespace report
