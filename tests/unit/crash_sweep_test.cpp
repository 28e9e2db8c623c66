// A day stopped at each of its file changes, by a crash or by a power loss, and started
// again: every period is in the log once, whatever the stop and whatever the answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/program_run.h"
#include "base/log_line.h"
#include "base/shell_state.h"
#include "fake_system.h"
#include "settings/settings_file.h"
#include "tasks/away_time.h"
#include "tasks/run_take_over.h"
#include "tasks/running_period.h"
#include "tasks/task_switch.h"
#include "tasks/task_table.h"

namespace {

const char kRunning[] = "timelog-running.csv";

LocalTime Today(int hour, int minute)
{
    return At(2026, 12, 5, hour, minute, 0);
}

// "start|name" of each line of the log's own; the running file's first line may be skipped.
std::vector<std::string> Periods(const std::string& text, bool skipFirst = false)
{
    std::vector<std::string> periods;
    for (size_t at = 0, next; at < text.size(); at = next) {
        size_t end = std::min(text.find("\r\n", at), text.size());
        next = end + 2;
        TimeLogLine line;
        if ((at > 0 || !skipFirst) && ParseTimeLogLine(text.data() + at, end - at, &line) == nullptr)
            periods.push_back(text.substr(at, 19) + "|" + std::string(line.name, line.nameLength));
    }
    return periods;
}

void StartRun(int hour)
{
    fake.now = Today(hour, 0);
    ResetProgramState();
    LoadSettings(nullptr);
    StartRunningTask();
    TakeOverRunningFile(nullptr);
}

// Yesterday's run left B running and a held line of A that had reached the log after all.
void PrepareDay()
{
    StartWithTasks();
    SetTaskName(3, "C");
    SaveSettings(nullptr);
    PutFile("timelog.csv", "2026/12/04 16:00:00,1:00:00,3600,A\r\n");
    PutFile(kRunning, "2026/12/04 17:00:00,0:30:00,1800,B\r\n2026/12/04 16:00:00,1:00:00,3600,A\r\n");
}

// A start-up question, switches, a held log, time away, and Exit whose box the end of the
// session closes, the log still held.
void Day()
{
    fake.answers = {ANSWER_YES, ANSWER_YES};
    StartRun(9);
    SwitchAt(1, 9, 30);
    SwitchAt(2, 10, 0);
    fake.files["timelog.csv"].locked = true;
    SwitchAt(3, 10, 30);
    fake.files["timelog.csv"].locked = false;
    SwitchAt(1, 11, 0);
    NoteUserLeft(Today(12, 0));
    NoteUserBack(Today(12, 30));
    AskAboutTimeAway(nullptr);
    SwitchAt(2, 13, 0);
    fake.now = Today(14, 0);
    RefreshRunningTask(nullptr, fake.now);
    fake.now = Today(14, 5);
    fake.files["timelog.csv"].locked = true;
    fake.files["setting.ini"].readOnly = true;
    fake.insideBox = [] { EndRunForSession(nullptr); return 2; };
    WriteRunEnd(nullptr);
}

// The next start, the files free again, the question answered; then Exit.
void Restart(int answer)
{
    for (auto& file : fake.files)
        file.second.locked = file.second.readOnly = false;
    fake.insideBox = nullptr;
    fake.answers.clear();
    fake.answer = answer;
    StartRun(18);
    fake.now = Today(18, 30);
    WriteRunEnd(nullptr);
}

// The moment a period of the log's own ended.
LocalTime EndOf(const std::string& period)
{
    TimeLogLine line;
    int64_t ticks = 0;
    ParseTimeLogLine(period.data(), period.size(), &line);
    LocalTimeToTicks(line.start, &ticks);
    return TicksToLocalTime(ticks + line.seconds * TICKS_PER_SECOND);
}

std::vector<std::string> Logged()
{
    return Periods(FileText("timelog.csv") + FileText("timelog-unsaved.csv"));
}

// The periods of the uncrashed day: each line, and when each change was made.
struct DayRecord {
    std::vector<std::string> lines;
    std::vector<LocalTime> moments;
};

// A day stopped before its change `stop`, and what was finished then: written (also where a
// power loss takes it back), or ended by the last change that was made. `running` gets the
// running task that the next start asks about, unless it was finished.
std::vector<std::string> StopDay(const DayRecord& day, long stop, bool powerLoss,
                                 std::vector<std::string>* running)
{
    PrepareDay();
    fake.trackDurable = powerLoss;
    fake.durable = fake.files;
    fake.changes = 0;
    fake.stopAt = stop;
    Day();
    std::vector<std::string> finished = Logged(), ended;
    for (const std::string& p : Periods(FileText(kRunning), true))
        finished.push_back(p);
    for (const std::string& line : day.lines) {
        if (stop > 0 && TimeDifference(EndOf(line), day.moments[stop - 1]) >= 0)
            ended.push_back(Periods(line)[0]);
    }
    CrashFakeSystem(powerLoss);
    std::string left = FileText(kRunning);
    *running = Periods(left.substr(0, left.find("\r\n")));
    for (const std::string& p : Periods(left, true))
        finished.push_back(p);
    // No declines the running task only where it was not written as finished.
    if (!running->empty() && std::count(finished.begin(), finished.end(), (*running)[0]))
        running->clear();
    finished.insert(finished.end(), ended.begin(), ended.end());
    return finished;
}

TEST(CrashSweep, EveryPeriodIsLoggedOnceWhereverADayStops)
{
    PrepareDay();
    Day();
    EXPECT_FALSE(HasFile(kRunning)); // the end of the session inside Exit's box removed it
    EXPECT_NE(std::string::npos, FileText("vornet-notices.txt").find("saved in timelog-unsaved.csv"));
    DayRecord day = {{}, fake.changeTimes};
    std::string all = FileText("timelog.csv") + FileText("timelog-unsaved.csv");
    for (size_t at = 0, end; (end = all.find("\r\n", at)) != std::string::npos; at = end + 2)
        day.lines.push_back(all.substr(at, end - at));
    std::set<std::string> known;
    for (const std::string& line : day.lines)
        known.insert(Periods(line)[0]);
    ASSERT_EQ(9u, known.size()) << FileText("timelog.csv"); // yesterday's two, this day's seven
    const long changes = fake.changes;
    int stops = 0;
    for (long stop = 0; stop <= changes; ++stop) {
        for (int kind = 0; kind < 4; ++kind, ++stops) {
            bool powerLoss = kind & 1, yes = kind & 2;
            std::vector<std::string> running;
            std::vector<std::string> finished = StopDay(day, stop, powerLoss, &running);
            bool declined = !yes && !running.empty();
            Restart(yes ? ANSWER_YES : ANSWER_NO);
            std::vector<std::string> logged = Logged();
            std::multiset<std::string> once(logged.begin(), logged.end());
            std::string where = " at stop " + std::to_string(stop) + " kind " + std::to_string(kind);
            for (const std::string& p : logged) { // none twice, none made up
                EXPECT_EQ(1u, once.count(p)) << p << where;
                EXPECT_TRUE(known.count(p) || (!running.empty() && p == running[0])) << p << where;
            }
            for (const std::string& p : finished) // none lost but what No declined
                EXPECT_EQ(declined && p == running[0] ? 0u : 1u, once.count(p)) << p << where;
            for (const std::string& p : running)
                EXPECT_EQ(declined ? 0u : 1u, once.count(p)) << p << where;
        }
    }
    RecordProperty("stops", stops);
    EXPECT_EQ(4 * (changes + 1), stops);
}

} // namespace
