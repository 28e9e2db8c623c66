// The calendar the timer and the report share, and the report's dates and ISO weeks.
#include <gtest/gtest.h>

#include "report/report_dates.h"
#include "base/calendar.h"

namespace {

TEST(Calendar, LeapYearsAreEveryFourthButNotEveryHundredthUnlessFourHundredth)
{
    struct Case { int year, month, days; } cases[] = {
        {1900, 2, 28}, {2000, 2, 29}, {2100, 2, 28}, {2024, 2, 29}, {2023, 2, 28}, {1604, 2, 29},
        {2026, 1, 31}, {2026, 4, 30}, {2026, 12, 31}, {2026, 0, 0}, {2026, 13, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.days) << c.year << "-" << c.month;
}

TEST(Calendar, EveryDayFrom1601To2400HasItsOwnRealDate)
{
    for (int64_t day = 0; day <= DaysSince1601(2401, 1, 1); ++day) {
        CivilDate d = DateOfDaysSince1601(day);
        ASSERT_TRUE(d.day >= 1 && d.day <= DaysInMonth(d.year, d.month)) << day;
        ASSERT_EQ(DaysSince1601(d.year, d.month, d.day), day);
    }
}

TEST(IsoWeeks, AreNamedAfterTheYearOfTheirThursday)
{
    struct Case { int64_t day; const char* week; } cases[] = {
        {DaysSince1601(2026, 12, 5), "2026-W49"}, {DaysSince1601(2026, 12, 31), "2026-W53"},
        {DaysSince1601(2027, 1, 3), "2026-W53"}, {DaysSince1601(2027, 1, 4), "2027-W01"},
        {DaysSince1601(2024, 12, 30), "2025-W01"}, {DaysSince1601(1601, 12, 31), "1602-W01"}};
    for (const Case& c : cases)
        EXPECT_EQ(report::IsoWeekLabel(c.day), c.week);
}

TEST(IsoDates, OnlyRealDatesWrittenInFullAreRead)
{
    struct Case { const char* text; int64_t day; } cases[] = {
        {"2026-12-05", 155566}, {"1601-01-01", 0}, {"2000-02-29", 145790}, {"1900-02-29", -1},
        {"1600-12-31", -1}, {"2026-12-00", -1}, {"2026-12-5", -1}, {"2026/12/05", -1},
        {"2026-12-05x", -1}, {"2026-1:-05", -1}, {"2026-12-0/", -1}};
    for (const Case& c : cases) {
        int64_t day = -1;
        EXPECT_EQ(report::ParseIsoDate(c.text, &day), c.day >= 0) << c.text;
        EXPECT_EQ(day, c.day) << c.text;
    }
    EXPECT_EQ(report::DateLabel(10674941), "30827-12-31");
}

} // namespace
