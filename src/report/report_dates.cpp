#include "report/report_dates.h"

#include <string.h>

#include "base/decimal_number.h"
#include "base/local_time.h"

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

int64_t MonthStart(int64_t day)
{
    return day - DateOfDaysSince1601(day).day + 1;
}

std::string MonthLabel(int64_t day)
{
    CivilDate date = DateOfDaysSince1601(day);
    return std::to_string(date.year) + "-" + TwoDigits(date.month);
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
    // The shape is checked: each number ends at its '-' or at the end.
    LocalTime date = {static_cast<unsigned short>(ParseDecimal(text)),
                      static_cast<unsigned short>(ParseDecimal(text + 5)), 0,
                      static_cast<unsigned short>(ParseDecimal(text + 8)), 0, 0, 0, 0};
    if (!IsRealMoment(date))
        return 0;
    *day = DaysSince1601(date.wYear, date.wMonth, date.wDay);
    return 1;
}

} // namespace report
