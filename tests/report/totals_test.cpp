// Totals: periods split at local midnight, added up by day, ISO week or the whole range,
// kept to the dates asked for, with the break task counted apart.
#include <string>

#include "report_test_support.h"

namespace {

TEST(MidnightSplit, APeriodIsSharedBetweenTheDaysItCrosses)
{
    struct Case { const char* line; const char* totals; } cases[] = {
        {"2026/12/05 23:00:00,1:00:00,3600,T", "2026-12-05 T 3600"},
        {"2026/12/05 23:30:00,1:00:00,3600,T", "2026-12-05 T 1800; 2026-12-06 T 1800"},
        {"2026/12/05 09:03:07,27:05:09,97509,T", "2026-12-05 T 53813; 2026-12-06 T 43696"},
        {"2026/12/31 22:00:00,50:00:00,180000,T", "2026-12-31 T 7200; 2027-01-01 T 86400; 2027-01-02 T 86400"},
        {"2028/02/28 23:00:00,2:00:00,7200,T", "2028-02-28 T 3600; 2028-02-29 T 3600"},
        {"2100/02/28 23:00:00,2:00:00,7200,T", "2100-02-28 T 3600; 2100-03-01 T 3600"},
        {"2026/12/05 09:00:00,0:00:00,0,T", "2026-12-05 T 0"},
        {"30827/12/31 23:59:59,0:00:02,2,T", "30827-12-31 T 1; 30828-01-01 T 1"}};
    for (const Case& c : cases)
        EXPECT_EQ(TaskTotals(c.line), c.totals) << c.line;
}

// Sunday 3 January 2027 into Monday, a Friday of the same ISO week, and 40 days from November.
const char kLog[] = "2027/01/03 23:00:00,2:00:00,7200,T\r\n2027/01/01 10:00:00,0:10:00,600,T\r\n"
                    "2027/01/01 11:00:00,0:20:00,1200,U\r\n2026/11/01 00:00:00,960:00:00,3456000,L\r\n";

TEST(Views, SumByDayByIsoWeekOrOverTheWholeRange)
{
    struct Case { const char* view; const char* totals; } cases[] = {
        {"day", "2027-01-01 U 1200; 2027-01-01 T 600; 2027-01-03 T 3600; 2027-01-04 T 3600"},
        {"week", "2026-W53 T 4200; 2026-W53 U 1200; 2027-W01 T 3600"},
        {"total", "2026-12-31..2027-01-31 T 7800; 2026-12-31..2027-01-31 U 1200"}};
    for (const Case& c : cases)
        EXPECT_EQ(TaskTotals(kLog, {"--from=2026-12-31", "--to=2027-01-31", "--by", c.view}), c.totals);
    EXPECT_EQ(TaskTotals(kLog, {"--by=total"}), "2026-11-01..2027-01-04 L 3456000; "
              "2026-11-01..2027-01-04 T 7800; 2026-11-01..2027-01-04 U 1200");
    EXPECT_EQ(TaskTotals(kLog, {"--by=month"}),
              "2026-11 L 2592000; 2026-12 L 864000; 2027-01 T 7800; 2027-01 U 1200");
}

TEST(DateRange, FromAndToKeepOnlyThePiecesOnThoseDays)
{
    struct Case { const char* from; const char* to; const char* totals; } cases[] = {
        {"2027-01-03", "2027-01-03", "2027-01-03 T 3600"},
        {"2027-01-04", "2027-12-31", "2027-01-04 T 3600"},
        {"2026-12-09", "2026-12-10", "2026-12-09 L 86400; 2026-12-10 L 86400"},
        {"2026-12-11", "2026-12-31", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(TaskTotals(kLog, {"--from", c.from, "--to", c.to}), c.totals) << c.from;
}

// The break task is matched by its whole name, so grouping never moves time into or out of it.
TEST(Projects, AreTheTextBeforeTheFirstColonAndSpace)
{
    const char log[] = "2026/12/05 09:00:00,0:00:01,1,Acme: a\r\n2026/12/05 09:00:01,0:00:02,2,Acme: b: c\r\n"
                       "2026/12/05 09:00:03,0:00:04,4,Acme:x\r\n2026/12/05 09:00:07,0:00:08,8,Break: lunch\r\n"
                       "2026/12/05 09:00:15,0:00:16,16,Break\r\n2026/12/05 09:00:31,0:00:32,32,: none\r\n";
    EXPECT_EQ(TaskTotals(log, {"--group=project"}),
              "2026-12-05  32; 2026-12-05 Break 8; 2026-12-05 Acme:x 4; 2026-12-05 Acme 3");
}

TEST(Rounding, EachRowIsRoundedUpWithinItsPeriodToTheMinutesAsked)
{
    const char log[] = "2026/12/05 23:59:00,0:02:00,120,U\r\n2026/12/05 09:00:00,0:00:01,1,T\r\n";
    struct Case { const char* minutes; const char* totals; } cases[] = {
        {"--round=1", "2026-12-05 T 60; 2026-12-05 U 60; 2026-12-06 U 60"},
        {"--round=60", "2026-12-05 T 3600; 2026-12-05 U 3600; 2026-12-06 U 3600"},
        {"--round=07", "2026-12-05 T 420; 2026-12-05 U 420; 2026-12-06 U 420"}};
    for (const Case& c : cases)
        EXPECT_EQ(TaskTotals(log, {c.minutes}), c.totals) << c.minutes;
}

TEST(BreakTask, IsLeftOutOfWorkAndMatchedByteForByte)
{
    const char log[] = "2026/12/05 09:00:00,1:00:00,3600,Coding\r\n2026/12/05 10:00:00,0:15:00,900,Break\r\n";
    EXPECT_EQ(TaskTotals(log), "2026-12-05 Coding 3600");
    EXPECT_EQ(TaskTotals(log, {"--break=break"}), "2026-12-05 Coding 3600; 2026-12-05 Break 900");
    EXPECT_EQ(TaskTotals(log, {"--break", "Coding"}), "2026-12-05 Break 900");
}

} // namespace
