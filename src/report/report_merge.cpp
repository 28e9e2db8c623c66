// Logs of two machines read as one: copied lines count once, overlaps between them are noted.
#include <algorithm>
#include <set>
#include <tuple>

#include "report/report_summary.h"

namespace report {

namespace {

// Order by time; equal lines side by side, the first file's first.
bool Earlier(const KeptLine& a, const KeptLine& b)
{
    return std::tie(a.start, a.seconds, a.name, a.source, a.lineNumber) <
           std::tie(b.start, b.seconds, b.name, b.source, b.lineNumber);
}

bool SameLine(const KeptLine& a, const KeptLine& b)
{
    return a.start == b.start && a.seconds == b.seconds && a.name == b.name;
}

// A line is dropped when an equal one stands in another file that comes before it: a log
// copied to a second machine counts once, and so does a held line since written.
void DropCopies(std::vector<KeptLine>* lines)
{
    size_t kept = 0;
    KeptLine head = {};
    for (size_t i = 0; i < lines->size(); ++i) {
        KeptLine line = (*lines)[i];
        if (i == 0 || !SameLine(line, head))
            head = line;
        if (line.source == head.source)
            (*lines)[kept++] = line;
    }
    lines->resize(kept);
}

// A running file that outlived its run names a task whose line a log holds: the log's counts.
void DropLoggedRunning(std::vector<KeptLine>* lines)
{
    std::set<std::pair<int64_t, int>> logged;
    for (const KeptLine& line : *lines) {
        if (!line.running)
            logged.insert({line.start, line.name});
    }
    lines->erase(std::remove_if(lines->begin(), lines->end(),
                                [&](const KeptLine& line) {
                                    return line.running && logged.count({line.start, line.name});
                                }),
                 lines->end());
}

void NoteOverlap(LogSummary* s, const KeptLine& later, const KeptLine& earlier)
{
    s->problems += s->sources[later.source].name + ":" + std::to_string(later.lineNumber) +
                   ": overlaps " + s->sources[earlier.source].name + ":" +
                   std::to_string(earlier.lineNumber) + "\n";
}

// In order of start: each line against the line of every other file that reaches furthest.
void NoteOverlaps(LogSummary* s, const std::vector<KeptLine>& lines)
{
    std::vector<const KeptLine*> furthest(s->sources.size(), nullptr);
    for (const KeptLine& line : lines) {
        if (line.seconds == 0)
            continue; // an instant shares no time with anything
        for (size_t other = 0; other < furthest.size(); ++other) {
            const KeptLine* reach = furthest[other];
            if (static_cast<int>(other) != line.source && reach != nullptr &&
                reach->start + reach->seconds > line.start)
                NoteOverlap(s, line, *reach);
        }
        const KeptLine*& own = furthest[line.source];
        if (own == nullptr || own->start + own->seconds < line.start + line.seconds)
            own = &line;
    }
}

} // namespace

void MergeKeptLines(LogSummary* s, const ReportOptions& o)
{
    DropLoggedRunning(&s->kept);
    std::sort(s->kept.begin(), s->kept.end(), Earlier);
    DropCopies(&s->kept);
    NoteOverlaps(s, s->kept);
    for (const KeptLine& line : s->kept)
        AddPeriod(s, o, line.start, line.seconds, s->rowOfName[line.name]);
}

} // namespace report
