// Helpers of the vornet-report tests: lines made by the timer's own formatter, totals as
// plain strings, and small strict readers of CSV (RFC 4180) and XML.
#pragma once
#include <stdint.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "report/report_log.h"
#include "tasks/local_time.h"

// One time-log line exactly as Vornet writes it (CR LF included).
std::string TimerLine(const LocalTime& start, int64_t seconds, const char* name);

// Period label -> row label -> seconds. Work tasks by name; "= work" and "= break" for the
// work total and the break row of each period.
typedef std::map<std::string, std::map<std::string, int64_t>> TotalsTable;
TotalsTable TotalsOf(const std::string& log, const report::ReportOptions& options);
TotalsTable TotalsOf(const std::string& log);
report::ReportOptions By(report::ReportView view);

// The line numbers named in the summary's problem lines, in order.
std::vector<int64_t> SkippedLineNumbers(const std::string& log);

// RFC 4180: records end with CR LF; a quoted field may hold commas, CR LF and doubled quotes.
// Returns false for anything else (a bare quote, a lone LF, a missing final CR LF).
bool ParseCsv(const std::string& text, std::vector<std::vector<std::string>>* records);

// A strict XML reader: one root element; every tag closed and nested; attributes quoted and
// not repeated; only the five named references and numeric ones; no control characters.
struct XmlNode {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XmlNode> children;
    std::string text; // the element's own character data, references resolved
};
bool ParseXml(const std::string& document, XmlNode* root, std::string* error);
std::string Attribute(const XmlNode& node, const std::string& name);
std::string AllText(const XmlNode& node); // the text of the node and all its descendants
// Every element named `name` below `node`, in document order.
std::vector<const XmlNode*> FindAll(const XmlNode& node, const std::string& name);
