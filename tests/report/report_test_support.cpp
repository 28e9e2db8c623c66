#include "report_test_support.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include "report/report_table.h"
#include "tasks/time_log.h"

std::string TimerLine(const LocalTime& start, int64_t seconds, const char* name)
{
    static char buffer[8192];
    size_t length = FormatTimeLogLine(buffer, sizeof buffer, start, seconds, name);
    return std::string(buffer, length);
}

report::ReportOptions By(report::ReportView view)
{
    report::ReportOptions options;
    options.view = view;
    return options;
}

TotalsTable TotalsOf(const std::string& log, const report::ReportOptions& options)
{
    report::LogSummary summary;
    report::SummariseLog(log.data(), log.size(), options, &summary);
    report::Report r = report::BuildReport(summary, options);
    TotalsTable table;
    for (const report::ReportPeriod& p : r.periods) {
        std::map<std::string, int64_t>& rows = table[p.label];
        for (const report::TaskTime& t : p.tasks)
            rows[std::string(r.taskNames[t.task])] = t.seconds;
        rows["= work"] = p.workSeconds;
        rows["= break"] = p.breakSeconds;
    }
    return table;
}

TotalsTable TotalsOf(const std::string& log)
{
    return TotalsOf(log, By(report::VIEW_DAY));
}

std::vector<int64_t> SkippedLineNumbers(const std::string& log)
{
    report::ReportOptions options;
    options.fileName = "log";
    report::LogSummary summary;
    report::SummariseLog(log.data(), log.size(), options, &summary);
    std::vector<int64_t> numbers;
    const char* p = summary.problems.c_str();
    while (*p != '\0') {
        if (strncmp(p, "log:", 4) != 0)
            return {-1};
        numbers.push_back(strtoll(p + 4, nullptr, 10));
        p = strchr(p, '\n') + 1;
    }
    return numbers;
}

bool ParseCsv(const std::string& text, std::vector<std::vector<std::string>>* records)
{
    records->clear();
    size_t i = 0, n = text.size();
    while (i < n) {
        std::vector<std::string> record;
        for (;;) {
            std::string field;
            if (i < n && text[i] == '"') {
                for (++i;; ++i) {
                    if (i >= n)
                        return false;
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    field += text[i];
                }
            } else {
                while (i < n && text[i] != ',' && text[i] != '\r') {
                    if (text[i] == '"' || text[i] == '\n')
                        return false;
                    field += text[i++];
                }
            }
            record.push_back(field);
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            if (i + 1 < n && text[i] == '\r' && text[i + 1] == '\n') {
                i += 2;
                break;
            }
            return false; // every record, the last one too, ends with CR LF
        }
        records->push_back(record);
    }
    return true;
}

// ---- XML ----

namespace {

struct XmlReader {
    const std::string& s;
    size_t i;
    std::string error;
};

bool Fail(XmlReader* r, const std::string& why)
{
    if (r->error.empty())
        r->error = why + " at byte " + std::to_string(r->i);
    return false;
}

bool StartsWith(const XmlReader& r, const char* text)
{
    return r.s.compare(r.i, strlen(text), text) == 0;
}

bool IsNameStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
           (c & 0x80) != 0;
}

bool IsNameChar(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

void SkipSpace(XmlReader* r)
{
    while (r->i < r->s.size() && strchr(" \t\r\n", r->s[r->i]) != nullptr && r->s[r->i] != 0)
        ++r->i;
}

bool ReadName(XmlReader* r, std::string* name)
{
    if (r->i >= r->s.size() || !IsNameStart(r->s[r->i]))
        return Fail(r, "name expected");
    size_t start = r->i;
    while (r->i < r->s.size() && IsNameChar(r->s[r->i]))
        ++r->i;
    *name = r->s.substr(start, r->i - start);
    return true;
}

void AppendUtf8(std::string* out, unsigned long c)
{
    if (c < 0x80) {
        *out += static_cast<char>(c);
    } else if (c < 0x800) {
        *out += static_cast<char>(0xc0 | (c >> 6));
        *out += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        *out += static_cast<char>(0xe0 | (c >> 12));
        *out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        *out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        *out += static_cast<char>(0xf0 | (c >> 18));
        *out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        *out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        *out += static_cast<char>(0x80 | (c & 0x3f));
    }
}

// Character data up to `stop` ('<' for text, the quote for an attribute value).
bool ReadCharacters(XmlReader* r, char stop, std::string* out)
{
    static const char* const named[5][2] = {
        {"amp;", "&"}, {"lt;", "<"}, {"gt;", ">"}, {"quot;", "\""}, {"apos;", "'"}};
    while (r->i < r->s.size() && r->s[r->i] != stop) {
        unsigned char c = static_cast<unsigned char>(r->s[r->i]);
        if (c == '<')
            return Fail(r, "'<' in an attribute value");
        if ((c < 0x20 && c != '\t' && c != '\n' && c != '\r') || c == 0x7f)
            return Fail(r, "control character");
        if (c != '&') {
            *out += r->s[r->i++];
            continue;
        }
        ++r->i;
        bool known = false;
        for (auto& entity : named)
            if (StartsWith(*r, entity[0])) {
                *out += entity[1];
                r->i += strlen(entity[0]);
                known = true;
            }
        if (known)
            continue;
        if (!StartsWith(*r, "#"))
            return Fail(r, "unknown reference");
        bool hex = StartsWith(*r, "#x");
        r->i += hex ? 2 : 1;
        size_t digitsStart = r->i;
        unsigned long value = 0;
        while (r->i < r->s.size() && isxdigit(static_cast<unsigned char>(r->s[r->i])) &&
               (hex || isdigit(static_cast<unsigned char>(r->s[r->i]))))
            value = value * (hex ? 16 : 10) + strtoul(r->s.substr(r->i++, 1).c_str(), nullptr, 16);
        if (r->i == digitsStart || !StartsWith(*r, ";") || value < 0x20 || value > 0x10ffff)
            return Fail(r, "bad character reference");
        ++r->i;
        AppendUtf8(out, value);
    }
    return true;
}

bool ReadAttributes(XmlReader* r, XmlNode* node)
{
    for (;;) {
        size_t before = r->i;
        SkipSpace(r);
        if (StartsWith(*r, "/>") || StartsWith(*r, ">"))
            return true;
        if (r->i == before)
            return Fail(r, "space expected between attributes");
        std::string name, value;
        if (!ReadName(r, &name))
            return false;
        SkipSpace(r);
        if (!StartsWith(*r, "="))
            return Fail(r, "'=' expected");
        ++r->i;
        SkipSpace(r);
        if (r->i >= r->s.size() || (r->s[r->i] != '"' && r->s[r->i] != '\''))
            return Fail(r, "quoted value expected");
        char quote = r->s[r->i++];
        if (!ReadCharacters(r, quote, &value) || r->i >= r->s.size())
            return Fail(r, "unterminated attribute value");
        ++r->i;
        for (auto& a : node->attributes)
            if (a.first == name)
                return Fail(r, "repeated attribute " + name);
        node->attributes.emplace_back(name, value);
    }
}

// Skips comments, processing instructions and (before the root) one DOCTYPE.
bool SkipMarkup(XmlReader* r, bool allowDoctype)
{
    for (;;) {
        SkipSpace(r);
        const char* close = nullptr;
        if (StartsWith(*r, "<!--"))
            close = "-->";
        else if (StartsWith(*r, "<?"))
            close = "?>";
        else if (allowDoctype && StartsWith(*r, "<!DOCTYPE"))
            close = ">";
        else
            return true;
        size_t end = r->s.find(close, r->i + 2);
        if (end == std::string::npos)
            return Fail(r, "unterminated markup");
        r->i = end + strlen(close);
    }
}

bool ReadElement(XmlReader* r, XmlNode* node, int depth);

bool ReadContent(XmlReader* r, XmlNode* node, int depth)
{
    for (;;) {
        if (!ReadCharacters(r, '<', &node->text))
            return false;
        if (r->i >= r->s.size())
            return Fail(r, "element " + node->name + " not closed");
        if (StartsWith(*r, "<!--")) {
            if (!SkipMarkup(r, false))
                return false;
            continue;
        }
        if (StartsWith(*r, "</")) {
            r->i += 2;
            std::string name;
            if (!ReadName(r, &name) || name != node->name)
                return Fail(r, "end tag does not match " + node->name);
            SkipSpace(r);
            if (!StartsWith(*r, ">"))
                return Fail(r, "'>' expected");
            ++r->i;
            return true;
        }
        node->children.emplace_back();
        if (!ReadElement(r, &node->children.back(), depth + 1))
            return false;
    }
}

bool ReadElement(XmlReader* r, XmlNode* node, int depth)
{
    if (depth > 200)
        return Fail(r, "too deep");
    if (!StartsWith(*r, "<"))
        return Fail(r, "'<' expected");
    ++r->i;
    if (!ReadName(r, &node->name) || !ReadAttributes(r, node))
        return false;
    if (StartsWith(*r, "/>")) {
        r->i += 2;
        return true;
    }
    ++r->i; // '>'
    return ReadContent(r, node, depth);
}

} // namespace

bool ParseXml(const std::string& document, XmlNode* root, std::string* error)
{
    XmlReader r{document, 0, std::string()};
    bool ok = SkipMarkup(&r, true) && ReadElement(&r, root, 0) && SkipMarkup(&r, false);
    if (ok && r.i != document.size())
        ok = Fail(&r, "content after the root element");
    *error = r.error;
    return ok;
}

std::string Attribute(const XmlNode& node, const std::string& name)
{
    for (auto& a : node.attributes)
        if (a.first == name)
            return a.second;
    return std::string();
}

std::string AllText(const XmlNode& node)
{
    std::string text = node.text;
    for (const XmlNode& child : node.children)
        text += AllText(child);
    return text;
}

namespace {

void CollectAll(const XmlNode& node, const std::string& name, std::vector<const XmlNode*>* found)
{
    for (const XmlNode& child : node.children) {
        if (child.name == name)
            found->push_back(&child);
        CollectAll(child, name, found);
    }
}

} // namespace

std::vector<const XmlNode*> FindAll(const XmlNode& node, const std::string& name)
{
    std::vector<const XmlNode*> found;
    CollectAll(node, name, &found);
    return found;
}
