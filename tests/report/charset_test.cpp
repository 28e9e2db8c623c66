// The names' encodings: the conversions to UTF-8, and which is whose.
#include <string>

#include "report/report_charset.h"
#include "report_test_support.h"

using namespace report;

namespace {

TEST(Charsets, AreKnownByTheirUsualNamesInAnyCase)
{
    struct Case { const char* name; int known; Charset charset; } cases[] = {
        {"UTF-8", 1, CHARSET_UTF8}, {"utf8", 1, CHARSET_UTF8}, {"Windows-1252", 1, CHARSET_CP1252},
        {"CP1252", 1, CHARSET_CP1252}, {"cp932", 1, CHARSET_CP932}, {"Shift_JIS", 1, CHARSET_CP932},
        {"windows-31j", 1, CHARSET_CP932}, {"latin1", 0, CHARSET_UTF8}};
    for (const Case& c : cases) {
        Charset found = CHARSET_UTF8;
        EXPECT_EQ(FindCharset(c.name, &found), c.known) << c.name;
        EXPECT_EQ(found, c.charset) << c.name;
    }
}

TEST(Charsets, NamesAreConvertedToUtf8AndWhatDoesNotConvertIsMarked)
{
    std::string e(40000, '\xe9'), utf8; // more than one step of converting
    for (char c : e)
        utf8 += c == '\xe9' ? "\xc3\xa9" : "";
    struct Case { Charset charset; std::string name, utf8; } cases[] = {
        {CHARSET_CP1252, "Caf\xe9", "Caf\xc3\xa9"}, {CHARSET_CP1252, e, utf8},
        {CHARSET_CP1252, "\x80 \x93q\x94", "\xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d"},
        {CHARSET_CP932, "\x93\xfa\x96\x7b", "\xe6\x97\xa5\xe6\x9c\xac"},
        {CHARSET_CP932, "\x95\x5c and \xb1", "\xe8\xa1\xa8 and \xef\xbd\xb1"},
        {CHARSET_CP932, "\x81", "\xef\xbf\xbd"}, {CHARSET_CP932, "a\x81 b", "a\xef\xbf\xbd b"},
        {CHARSET_UTF8, "Caf\xe9 \xc3\xa9\xe6\x97", "Caf\xef\xbf\xbd \xc3\xa9\xef\xbf\xbd\xef\xbf\xbd"}};
    for (const Case& c : cases)
        EXPECT_TRUE(TextsAsUtf8({c.name, ""}, c.charset) == (std::vector<std::string>{c.utf8, ""}))
            << c.name.substr(0, 20);
}

// A log of older and newer timers: "\xc3\xa9" is UTF-8, "\xe9" is not, so it is windows-1252;
// both are the same task, and the break name is read the same way.
TEST(Charsets, EachNameIsUtf8WhenValidWithAMultiByteCharacterElseTheCharsetAsked)
{
    struct Case { const char* name; const char* charset; const char* totals; } cases[] = {
        {"\xe9", "--by=day", "2026-12-05 \xc3\xa9 61"},
        {"\x93\xfa", "--charset=cp932", "2026-12-05 \xc3\xa9 60; 2026-12-05 \xe6\x97\xa5 1"},
        {"\xe9", "--charset=utf-8", "2026-12-05 \xc3\xa9 60; 2026-12-05 \xef\xbf\xbd 1"},
        {"\xc3\xa9", "--charset=cp932", "2026-12-05 \xc3\xa9 61"},
        {"\xe9", "--break=\xe9", ""}, {"\xe9", "--break=\xc3\xa9", ""}};
    for (const Case& c : cases)
        EXPECT_EQ(TaskTotals(std::string("2026/12/05 09:00:00,0:01:00,60,\xc3\xa9\r\n"
                                         "2026/12/05 09:01:00,0:00:01,1,") + c.name, {c.charset}),
                  c.totals);
}

} // namespace
