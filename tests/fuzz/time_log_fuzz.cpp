// Fuzzes the time log: durations between arbitrary (also unreal) times against a reference
// built on timegm, the line format parsed back field by field, and a run of switches,
// clock changes and file faults on the in-memory file system against a model of what
// timelog.csv, the held lines and timelog-unsaved.csv must hold.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <string>
#include <vector>

#include "app/shell_state.h"
#include "fake_system.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

namespace {

void Require(bool condition, const char* what)
{
    if (!condition) {
        fprintf(stderr, "time_log_fuzz: %s\n", what);
        abort();
    }
}

LocalTime ConsumeTime(FuzzedDataProvider& in)
{
    LocalTime t{};
    if (in.ConsumeBool()) { // any field values at all
        unsigned short* fields[] = {&t.wYear, &t.wMonth, &t.wDayOfWeek, &t.wDay,
                                    &t.wHour, &t.wMinute, &t.wSecond,   &t.wMilliseconds};
        for (unsigned short* f : fields)
            *f = in.ConsumeIntegral<unsigned short>();
        return t;
    }
    // Mostly real moments, a few just past a bound.
    t.wYear = in.ConsumeIntegralInRange<unsigned short>(1600, 30828);
    t.wMonth = in.ConsumeIntegralInRange<unsigned short>(0, 13);
    t.wDay = in.ConsumeIntegralInRange<unsigned short>(0, 32);
    t.wHour = in.ConsumeIntegralInRange<unsigned short>(0, 24);
    t.wMinute = in.ConsumeIntegralInRange<unsigned short>(0, 60);
    t.wSecond = in.ConsumeIntegralInRange<unsigned short>(0, 60);
    t.wMilliseconds = in.ConsumeIntegralInRange<unsigned short>(0, 1000);
    return t;
}

// A moment on the calendar, checked through timegm's normalisation.
bool ReferenceReal(const LocalTime& t)
{
    if (t.wYear < 1601 || t.wYear > 30827 || t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 ||
        t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59 || t.wMilliseconds > 999)
        return false;
    struct tm tm = {};
    tm.tm_year = t.wYear - 1900;
    tm.tm_mon = t.wMonth - 1;
    tm.tm_mday = t.wDay;
    timegm(&tm);
    return tm.tm_mday == t.wDay && tm.tm_mon == t.wMonth - 1;
}

// 100-ns ticks since 1601; an unreal time counts as 0, the earliest file time.
int64_t ReferenceTicks(const LocalTime& t)
{
    if (!ReferenceReal(t))
        return 0;
    struct tm tm = {};
    tm.tm_year = t.wYear - 1900;
    tm.tm_mon = t.wMonth - 1;
    tm.tm_mday = t.wDay;
    tm.tm_hour = t.wHour;
    tm.tm_min = t.wMinute;
    tm.tm_sec = t.wSecond;
    int64_t seconds = static_cast<int64_t>(timegm(&tm)) + 11644473600LL;
    return seconds * 10000000 + static_cast<int64_t>(t.wMilliseconds) * 10000;
}

int64_t ReferenceSeconds(const LocalTime& start, const LocalTime& end)
{
    int64_t seconds = (ReferenceTicks(end) - ReferenceTicks(start)) / 10000000;
    return seconds < 0 ? 0 : seconds;
}

std::string StartText(const LocalTime& t)
{
    char text[64];
    snprintf(text, sizeof text, "%4d/%02d/%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay,
             t.wHour, t.wMinute, t.wSecond);
    return text;
}

std::string ReferenceLine(const LocalTime& start, int64_t seconds, const std::string& name)
{
    char text[160];
    snprintf(text, sizeof text, ",%lld:%02lld:%02lld,%lld,", static_cast<long long>(seconds / 3600),
             static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60),
             static_cast<long long>(seconds));
    return StartText(start) + text + name + "\r\n";
}

// Reads a line back: the start as its fields print, H:MM:SS agreeing with the seconds, the
// name exactly after the third comma, CR LF at the end.
void CheckLineParsesBack(const std::string& line, const LocalTime& start, int64_t seconds,
                         const std::string& name)
{
    Require(line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0, "ends with CR LF");
    size_t c1 = line.find(',');
    size_t c2 = c1 == std::string::npos ? c1 : line.find(',', c1 + 1);
    size_t c3 = c2 == std::string::npos ? c2 : line.find(',', c2 + 1);
    Require(c3 != std::string::npos, "four fields");
    Require(line.substr(0, c1) == StartText(start), "the start text shows the start's fields");
    std::string duration = line.substr(c1 + 1, c2 - c1 - 1);
    long long h = -1, m = -1, s = -1, total = -1;
    int used = 0;
    size_t n = duration.size();
    Require(n >= 7 && duration[n - 3] == ':' && duration[n - 6] == ':' &&
                sscanf(duration.c_str(), "%lld:%2lld:%2lld%n", &h, &m, &s, &used) == 3 &&
                used == static_cast<int>(n),
            "the duration reads H:MM:SS");
    std::string secondsText = line.substr(c2 + 1, c3 - c2 - 1);
    Require(sscanf(secondsText.c_str(), "%lld%n", &total, &used) == 1 &&
                used == static_cast<int>(secondsText.size()),
            "the seconds are a decimal number");
    Require(total == seconds && m < 60 && s < 60 && h * 3600 + m * 60 + s == total,
            "H:MM:SS agrees with the seconds");
    Require(line.substr(c3 + 1, line.size() - c3 - 3) == name, "the name follows the third comma");
}

void CheckFormat(FuzzedDataProvider& in)
{
    LocalTime start = ConsumeTime(in);
    LocalTime end = ConsumeTime(in);
    int64_t seconds = DurationSeconds(start, end);
    Require(seconds == ReferenceSeconds(start, end), "the duration matches the reference");
    Require(TimeDifference(start, end) == ReferenceTicks(end) - ReferenceTicks(start),
            "the tick difference matches the reference");
    std::string name = in.ConsumeRandomLengthString(3000);
    name = name.c_str(); // a C string ends at its first NUL
    // A buffer of exactly the given size, so that ASan sees any byte past it.
    size_t capacity = FILE_BUFFER_SIZE;
    if (in.ConsumeBool())
        capacity = in.ConsumeIntegralInRange<size_t>(1, 200);
    std::vector<char> out(capacity);
    size_t length = FormatTimeLogLine(out.data(), capacity, start, seconds, name.c_str());
    Require(length < capacity && out[length] == '\0' && strlen(out.data()) == length,
            "the line is terminated inside its buffer");
    std::string line(out.data(), length);
    std::string expected = ReferenceLine(start, seconds, name);
    if (capacity == FILE_BUFFER_SIZE) {
        Require(line == expected, "the line is the reference line");
        CheckLineParsesBack(line, start, seconds, name);
    } else {
        Require(expected.compare(0, length, line) == 0, "a cut line is a prefix of the line");
    }
}

// What the program must have done so far.
struct Model {
    bool firstSwitchPending = true;
    std::string name;
    LocalTime start{};
    std::string written;  // timelog.csv
    std::string held;     // lines not yet written
    std::string unsaved;  // timelog-unsaved.csv
    size_t messages = 0;
};

std::string Bounded(const char* name)
{
    return std::string(name).substr(0, TASK_NAME_SIZE - 1);
}

bool LogWritable(const char* file)
{
    if (!HasFile(file))
        return !fake.failCreates;
    const FakeFile& f = fake.files[file];
    return !f.locked && !f.readOnly && !f.failWrites;
}

int ModelAppend(Model& model, const char* newName)
{
    LocalTime switchTime = fake.now;
    if (useBackdatedTime == 1 && ReferenceReal(backdatedTime))
        switchTime = backdatedTime;
    if (model.firstSwitchPending) {
        model.firstSwitchPending = false;
        model.name = Bounded(newName);
        return 0;
    }
    model.held += ReferenceLine(model.start, ReferenceSeconds(model.start, switchTime), model.name);
    int result = -1;
    if (LogWritable("timelog.csv")) {
        model.written += model.held;
        model.held.clear();
        result = 0;
    } else {
        ++model.messages;
    }
    model.name = Bounded(newName);
    model.start = switchTime;
    return result;
}

void CheckAgainstModel(const Model& model)
{
    Require(FileText("timelog.csv") == model.written, "timelog.csv holds the lines written");
    Require(HeldLogLength() == model.held.size(), "the held lines are those not written");
    Require(FileText("timelog-unsaved.csv") == model.unsaved, "timelog-unsaved.csv as expected");
    Require(fake.messages.size() == model.messages, "one message per failure");
    Require(model.name == runningTaskName, "the running task's name");
    Require(memcmp(&model.start, &runningTaskStart, sizeof model.start) == 0,
            "the running task's start");
}

// A name as a slot can hold one: no NUL, CR or LF.
std::string ConsumeName(FuzzedDataProvider& in)
{
    std::string name = in.ConsumeRandomLengthString(2100);
    for (char& c : name) {
        if (c == '\0' || c == '\r' || c == '\n')
            c = '_';
    }
    return name;
}

void ToggleFault(FuzzedDataProvider& in)
{
    FakeFile& log = fake.files["timelog.csv"];
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: log.locked = !log.locked; break;
    case 1: log.readOnly = !log.readOnly; break;
    case 2: log.failWrites = !log.failWrites; break;
    default: fake.failCreates = !fake.failCreates; break;
    }
}

void RunSwitch(FuzzedDataProvider& in, Model& model)
{
    int row = in.ConsumeIntegralInRange<int>(-1, TASK_SLOTS);
    SetTaskName(row, ConsumeName(in).c_str());
    selectedRow = row;
    dialogOpen = in.ConsumeIntegralInRange(0, 10) == 0 ? 1 : 0;
    if (dialogOpen == 0 && IsSlotIndex(row) && TaskTable[row][0] != '\0')
        ModelAppend(model, TaskTable[row]);
    SwitchToSelectedTask(nullptr);
    Require(useBackdatedTime == 0, "every switch clears the back-dated flag");
    dialogOpen = 0;
}

void RunSaveAside(Model& model)
{
    bool writable = !fake.failCreates || HasFile("timelog-unsaved.csv");
    if (!model.held.empty() && writable) {
        model.unsaved += model.held;
        model.held.clear();
        ++model.messages;
    }
    SaveHeldLogAside(nullptr);
}

void RunSequence(FuzzedDataProvider& in)
{
    ResetFakeSystem();
    Model model;
    fake.now = ConsumeTime(in);
    SetTaskName(0, ConsumeName(in).c_str());
    StartRunningTask();
    model.name = TaskTable[0];
    model.start = fake.now;
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 6)) {
        case 0: fake.now = ConsumeTime(in); break;
        case 1: {
            std::string name = ConsumeName(in);
            int expected = ModelAppend(model, name.c_str());
            Require(AppendTimeLog(nullptr, name.c_str()) == expected, "the append's result");
            break;
        }
        case 2: ToggleFault(in); break;
        case 3:
            useBackdatedTime = in.ConsumeBool() ? 1 : 0;
            backdatedTime = ConsumeTime(in);
            break;
        case 4: RunSwitch(in, model); break;
        case 5: RunSaveAside(model); break;
        default: fake.now.wSecond = static_cast<unsigned short>(fake.now.wSecond + 1); break;
        }
        CheckAgainstModel(model);
    }
    RunSaveAside(model);
    CheckAgainstModel(model);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    CheckFormat(in);
    RunSequence(in);
    return 0;
}
