// Totals: the sums of the seconds fields, split at local midnight, by day, ISO week or the
// whole range, filtered by date, with the break task counted apart.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "fake_system.h"
#include "report/report_dates.h"
#include "report/report_log.h"
#include "report_test_support.h"

using report::VIEW_DAY;
using report::VIEW_TOTAL;
using report::VIEW_WEEK;

namespace {

typedef std::map<std::string, int64_t> ByLabel;

// Seconds of one task per period label.
ByLabel TaskByPeriod(const TotalsTable& totals, const std::string& task)
{
    ByLabel result;
    for (const auto& period : totals) {
        auto found = period.second.find(task);
        if (found != period.second.end())
            result[period.first] = found->second;
    }
    return result;
}

int64_t DayOf(const char* iso)
{
    int64_t day = 0;
    EXPECT_TRUE(report::ParseIsoDate(iso, &day)) << iso;
    return day;
}

// A log of back-to-back periods of pseudo-random lengths (up to 30 hours) and tasks.
std::string GeneratedLog(int lines, std::map<std::string, int64_t>* sums)
{
    static const char* const names[] = {"Coding", "Break", "Meeting, client", "Mail \"inbox\"",
                                        "\xe9\x8c\xb2"};
    uint32_t state = 12345;
    int64_t moment = DaysSince1601(2026, 12, 20) * report::SECONDS_PER_DAY;
    std::string log;
    for (int i = 0; i < lines; ++i) {
        state = state * 1103515245u + 12345u;
        int64_t seconds = (state >> 8) % (i % 50 == 0 ? 108000 : 5400);
        const char* name = names[(state >> 4) % 5];
        CivilDate date = DateOfDaysSince1601(moment / report::SECONDS_PER_DAY);
        int64_t s = moment % report::SECONDS_PER_DAY;
        log += TimerLine(At(date.year, date.month, date.day, int(s / 3600), int(s / 60 % 60),
                          int(s % 60)),
                       seconds, name);
        (*sums)[name] += seconds;
        moment += seconds + (state >> 20) % 3;
    }
    return log;
}

TEST(Totals, EqualTheSumsOfTheSecondsFieldsInEveryView)
{
    std::map<std::string, int64_t> sums;
    std::string log = GeneratedLog(3000, &sums);
    for (report::ReportView view : {VIEW_DAY, VIEW_WEEK, VIEW_TOTAL}) {
        SCOPED_TRACE(int(view));
        TotalsTable totals = TotalsOf(log, By(view));
        std::map<std::string, int64_t> summed;
        for (const auto& period : totals)
            for (const auto& row : period.second)
                summed[row.first] += row.second;
        for (const auto& task : sums) {
            if (task.first != "Break") {
                EXPECT_EQ(summed[task.first], task.second) << task.first;
            }
        }
        EXPECT_EQ(summed["= break"], sums["Break"]);
        EXPECT_EQ(summed["= work"], sums["Coding"] + sums["Meeting, client"] +
                                        sums["Mail \"inbox\""] + sums["\xe9\x8c\xb2"]);
    }
}

TEST(MidnightSplit, APeriodIsSharedBetweenTheDaysItCrosses)
{
    struct Case {
        const char* what;
        LocalTime start;
        int64_t seconds;
        ByLabel days;
    } cases[] = {
        {"within one day", At(2026, 12, 5, 9, 0, 0), 3600, {{"2026-12-05", 3600}}},
        {"ends on the stroke of midnight", At(2026, 12, 5, 23, 0, 0), 3600,
         {{"2026-12-05", 3600}}},
        {"starts on the stroke of midnight", At(2026, 12, 6, 0, 0, 0), 86400,
         {{"2026-12-06", 86400}}},
        {"over one midnight", At(2026, 12, 5, 23, 30, 0), 3600,
         {{"2026-12-05", 1800}, {"2026-12-06", 1800}}},
        {"27:05:09 from 09:03:07", At(2026, 12, 5, 9, 3, 7), 97509,
         {{"2026-12-05", 53813}, {"2026-12-06", 43696}}},
        {"over several midnights", At(2026, 12, 5, 22, 0, 0), 52 * 3600,
         {{"2026-12-05", 7200}, {"2026-12-06", 86400}, {"2026-12-07", 86400},
          {"2026-12-08", 7200}}},
        {"over a month end", At(2026, 1, 31, 23, 0, 0), 7200,
         {{"2026-01-31", 3600}, {"2026-02-01", 3600}}},
        {"over a year end", At(2026, 12, 31, 23, 59, 59), 2,
         {{"2026-12-31", 1}, {"2027-01-01", 1}}},
        {"over a leap day", At(2028, 2, 28, 23, 0, 0), 26 * 3600,
         {{"2028-02-28", 3600}, {"2028-02-29", 86400}, {"2028-03-01", 3600}}},
        {"February without a leap day", At(2027, 2, 28, 23, 0, 0), 7200,
         {{"2027-02-28", 3600}, {"2027-03-01", 3600}}},
        {"2100 is no leap year", At(2100, 2, 28, 23, 0, 0), 7200,
         {{"2100-02-28", 3600}, {"2100-03-01", 3600}}},
        {"2000 is a leap year", At(2000, 2, 28, 23, 0, 0), 7200,
         {{"2000-02-28", 3600}, {"2000-02-29", 3600}}},
        {"a zero-second period still marks its day", At(2026, 12, 5, 9, 0, 0), 0,
         {{"2026-12-05", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TotalsTable totals = TotalsOf(TimerLine(c.start, c.seconds, "Task"));
        EXPECT_EQ(TaskByPeriod(totals, "Task"), c.days);
    }
}

TEST(IsoWeeks, AreLabelledByTheYearOfTheirThursday)
{
    struct Case {
        const char* day;
        const char* week;
    } cases[] = {
        {"2026-12-05", "2026-W49"}, {"2026-12-31", "2026-W53"}, {"2027-01-01", "2026-W53"},
        {"2027-01-03", "2026-W53"}, {"2027-01-04", "2027-W01"}, {"2024-12-30", "2025-W01"},
        {"2021-01-03", "2020-W53"}, {"2015-12-31", "2015-W53"}, {"2008-12-29", "2009-W01"},
        {"2028-02-29", "2028-W09"}, {"1601-01-01", "1601-W01"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(report::IsoWeekLabel(DayOf(c.day)), c.week) << c.day;
}

TEST(WeekView, APeriodOverSundayMidnightCountsInBothWeeks)
{
    std::string log = TimerLine(At(2027, 1, 3, 23, 0, 0), 7200, "Task") + // Sunday into Monday
                      TimerLine(At(2027, 1, 1, 10, 0, 0), 600, "Task");    // the same ISO week
    EXPECT_EQ(TaskByPeriod(TotalsOf(log, By(VIEW_WEEK)), "Task"),
              (ByLabel{{"2026-W53", 4200}, {"2027-W01", 3600}}));
}

TEST(DateRange, FromAndToKeepOnlyThePiecesInside)
{
    std::string log = TimerLine(At(2026, 12, 4, 23, 0, 0), 3 * 3600, "Task") + // 4th and 5th
                      TimerLine(At(2026, 12, 6, 10, 0, 0), 3600, "Task") +
                      TimerLine(At(2026, 12, 7, 23, 30, 0), 3600, "Task") +     // 7th and 8th
                      TimerLine(At(2026, 11, 1, 0, 0, 0), 40 * 86400, "Long");  // Nov 1 - Dec 10
    struct Case {
        const char* from;
        const char* to;
        ByLabel days;
    } cases[] = {
        {nullptr, nullptr,
         {{"2026-12-04", 3600}, {"2026-12-05", 7200}, {"2026-12-06", 3600},
          {"2026-12-07", 1800}, {"2026-12-08", 1800}}},
        {"2026-12-05", nullptr,
         {{"2026-12-05", 7200}, {"2026-12-06", 3600}, {"2026-12-07", 1800},
          {"2026-12-08", 1800}}},
        {nullptr, "2026-12-05", {{"2026-12-04", 3600}, {"2026-12-05", 7200}}},
        {"2026-12-07", "2026-12-07", {{"2026-12-07", 1800}}},
        {"2026-12-09", "2026-12-31", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from ? c.from : "-") + " " + (c.to ? c.to : "-"));
        report::ReportOptions options;
        if (c.from)
            options.fromDay = DayOf(c.from);
        if (c.to)
            options.toDay = DayOf(c.to);
        EXPECT_EQ(TaskByPeriod(TotalsOf(log, options), "Task"), c.days);
        options.view = VIEW_TOTAL;
        int64_t sum = 0;
        for (const auto& day : c.days)
            sum += day.second;
        ByLabel whole = TaskByPeriod(TotalsOf(log, options), "Task");
        EXPECT_EQ(whole.empty() ? 0 : whole.begin()->second, sum);
    }
    report::ReportOptions december;
    december.fromDay = DayOf("2026-12-01");
    december.view = VIEW_TOTAL;
    EXPECT_EQ(TaskByPeriod(TotalsOf(log, december), "Long"),
              (ByLabel{{"2026-12-01..2026-12-10", 10 * 86400}}));
}

TEST(BreakTask, IsCountedApartFromWork)
{
    std::string log = TimerLine(At(2026, 12, 5, 9, 0, 0), 3600, "Coding") +
                      TimerLine(At(2026, 12, 5, 10, 0, 0), 900, "Break") +
                      TimerLine(At(2026, 12, 5, 10, 15, 0), 1800, "Lunch") +
                      TimerLine(At(2026, 12, 6, 9, 0, 0), 600, "Coding");
    struct Case {
        const char* breakName;
        std::map<std::string, int64_t> day5, day6;
    } cases[] = {
        {"Break",
         {{"Coding", 3600}, {"Lunch", 1800}, {"= work", 5400}, {"= break", 900}},
         {{"Coding", 600}, {"= work", 600}, {"= break", 0}}},
        {"Lunch",
         {{"Coding", 3600}, {"Break", 900}, {"= work", 4500}, {"= break", 1800}},
         {{"Coding", 600}, {"= work", 600}, {"= break", 0}}},
        {"break", // names are matched byte for byte
         {{"Coding", 3600}, {"Break", 900}, {"Lunch", 1800}, {"= work", 6300}, {"= break", 0}},
         {{"Coding", 600}, {"= work", 600}, {"= break", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.breakName);
        report::ReportOptions options;
        options.breakName = c.breakName;
        TotalsTable totals = TotalsOf(log, options);
        EXPECT_EQ(totals["2026-12-05"], c.day5);
        EXPECT_EQ(totals["2026-12-06"], c.day6);
    }
}

TEST(Calendar, DayNumbersRoundTripOverTheWholeRange)
{
    for (int64_t day = DaysSince1601(1601, 1, 1); day <= DaysSince1601(2400, 12, 31);
         day += 1) {
        CivilDate date = DateOfDaysSince1601(day);
        ASSERT_EQ(DaysSince1601(date.year, date.month, date.day), day);
        ASSERT_GE(date.day, 1);
        ASSERT_LE(date.day, DaysInMonth(date.year, date.month));
    }
    EXPECT_EQ(DaysSince1601(1601, 1, 1) % 7, 0); // a Monday
    EXPECT_EQ(report::DateLabel(DaysSince1601(30827, 12, 31)), "30827-12-31");
}

} // namespace
