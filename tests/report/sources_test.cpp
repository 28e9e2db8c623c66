// Several logs read as one, and the running task kept beside a log.
#include <string>

#include "base/calendar.h"
#include "report/report_running.h"
#include "report_test_support.h"

namespace {

// The report's clock on 2026-12-07 at hour:minute.
int64_t At(int hour, int minute)
{
    return (DaysSince1601(2026, 12, 7) * 24 + hour) * 3600 + minute * 60;
}

TEST(SeveralFiles, ACopiedLineCountsOnceAndOverlapsBetweenFilesAreNoted)
{
    EXPECT_EQ(RunOnData({"desk/timelog.csv", "laptop/timelog.csv"}), DataFile("machines.txt"));
}

TEST(RunningTask, CountsUpToNowBesideTheLinesTheLogRefused)
{
    EXPECT_EQ(RunOnData({"--current", "desk/timelog.csv", "laptop/timelog.csv"}, At(19, 30)),
              DataFile("current.txt"));
}

TEST(RunningTask, IsKeptInTheFolderOfItsLog)
{
    struct Case { const char* log; const char* running; } cases[] = {
        {"timelog.csv", "timelog-running.csv"}, {"desk.csv", "timelog-running.csv"},
        {"some/dir/timelog.csv", "some/dir/timelog-running.csv"}, {"/timelog.csv", "/timelog-running.csv"}};
    for (const Case& c : cases)
        EXPECT_EQ(report::RunningFileOf(c.log), c.running);
    // Two logs of one folder share it: read once.
    std::string twice = RunOnData({"--current", "desk/timelog.csv", "desk/timelog.csv"}, At(19, 30));
    EXPECT_EQ(twice.find("timelog-running.csv:3: skipped"), twice.rfind("timelog-running.csv:3: skipped"));
}

// "task seconds" of each work row of the whole range, joined by "; ".
std::string Totals(const std::vector<std::string>& args, int64_t now)
{
    std::vector<std::string> all = {"--by=total", "--format=csv"};
    all.insert(all.end(), args.begin(), args.end());
    std::string csv = RunOnData(all, now), totals;
    size_t at = csv.find('\n'); // past the header
    while ((at = csv.find(",task,", at + 1)) != std::string::npos) {
        size_t name = at + 6, comma = csv.find(',', name);
        totals += (totals.empty() ? "" : "; ") + csv.substr(name, csv.find(',', comma + 1) - name);
    }
    return totals;
}

TEST(RunningTask, CountsAtLeastItsLoggedTimeAndNothingWhenNoneRuns)
{
    struct Case { std::vector<std::string> args; int64_t now; const char* totals; } cases[] = {
        {{"--current", "desk/timelog.csv"}, At(18, 55), // the clock went back
         "Globex: support call,5382; Acme: design review,3600; Mail,3000; Acme: release,600"},
        {{"--current", "desk/timelog.csv", "desk/timelog.csv"}, At(18, 55), // one running file
         "Globex: support call,5382; Acme: design review,3600; Mail,3000; Acme: release,600"},
        {{"desk/timelog.csv"}, At(19, 30), "Globex: support call,5382; Acme: design review,3600; Mail,1800"},
        {{"--current", "idle/timelog.csv"}, At(19, 30), "Mail,3900"}, // a held line since written
        {{"--current", "stale/timelog.csv"}, At(19, 30), "Mail,3600"}}; // a file that outlived its run
    for (const Case& c : cases)
        EXPECT_EQ(Totals(c.args, c.now), c.totals) << c.args[0];
}

} // namespace
