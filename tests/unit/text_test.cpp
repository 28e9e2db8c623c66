#include <gtest/gtest.h>

#include <string>

#include "base/decimal_number.h"
#include "base/text_builder.h"
#include "base/utf8.h"
#include "fake_system.h"

namespace {

TEST(Text, CopiesAreBoundedAndEndBetweenCharacters)
{
    struct Case { int codePage; std::string text; size_t capacity; std::string kept; } cases[] = {
        {1252, "abcdef", 4, "abc"},          {1252, "abc", 4, "abc"},
        {1252, "\x82\xA0\x82", 3, "\x82\xA0"},  {932, "\x82\xA0\x82\xA2", 4, "\x82\xA0"},
        {932, "a\x82\xA0", 3, "a"},           {932, "a\x82\xA0", 4, "a\x82\xA0"},
        {932, "\xE0\x40" "b", 3, "\xE0\x40"},  {932, "\x80\x81\x40", 3, "\x80"},
        {932, "\xFC\x40\xFD\x40", 4, "\xFC\x40\xFD"}, // 0xFD leads nothing
        {932, "\x9F\x40\xA0\x40", 4, "\x9F\x40\xA0"}, {932, "xyz", 0, ""},
        {932, "ab\x82", 4, "ab\x82"}, // nothing cut, nothing dropped
    };
    for (const Case& c : cases) {
        fake.codePage = c.codePage;
        char out[8] = "unset";
        size_t n = CopyText(out, c.capacity, c.text.data(), c.text.size());
        EXPECT_EQ(c.kept.size(), n);
        if (c.capacity > 0) {
            EXPECT_EQ(c.kept, out);
        }
    }
    fake.codePage = 1252;
}

TEST(Text, Utf8IsToldApartFromEightBitTextOnlyWhenValidAndMultibyte)
{
    struct Case { std::string text; int multibyte; } cases[] = {
        {"Caf\xC3\xA9", 1},      {"\xE0\xA0\x80", 1},       {"\xF0\x90\x80\x80", 1}, {"\xF4\x8F\xBF\xBF", 1},
        {"plain", 0},             {"Caf\xE9", 0},             {"\xE9t\xC3\xA9", 0},     {"\xC3", 0},
        {"\xC0\x80", 0},          {"\xE0\x80\x80", 0},       {"\xED\xA0\x80", 0},      {"\xF4\x90\x80\x80", 0},
        {"\xF5\x80\x80\x80", 0}, {"\xE3\x81", 0},           {"\x82\xA0", 0}, // Shift_JIS
        {"\xC3\xBF", 1},         {"\xF0\x8F\xBF\xBF", 0},   {"\xE0\x9F\xBF", 0},      {"\xC1\xBF", 0},
        {"\x80", 0},             {"\xF8\x80\x80\x80\x80", 0}, {"\xE6\x97\x20", 0},      {"\xEF\xBD\xA1", 1},
        {"\xDF\xBF", 1},         {"\xC3\xA9\x80", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.multibyte, IsMultibyteUtf8(c.text.data(), c.text.size())) << c.text;
    EXPECT_EQ(0, IsMultibyteUtf8("\xC3\xA9", 1)); // a sequence the text's end cuts
}

TEST(Text, NumbersArePaddedAndSigned)
{
    struct Case { int64_t value; int width; char fill; const char* text; } cases[] = {
        {7, 2, '0', "07"},     {42, 2, '0', "42"},   {123, 2, '0', "123"},
        {999, 4, ' ', " 999"}, {-5, 0, ' ', "-5"},   {0, 0, ' ', "0"},
        {-2147483648LL, 0, ' ', "-2147483648"},      {INT64_MIN, 0, ' ', "-9223372036854775808"},
        {5838047999LL, 0, ' ', "5838047999"},
    };
    for (const Case& c : cases) {
        char out[32];
        TextBuilder b = {out, sizeof out, 0};
        AppendPadded(&b, c.value, c.width, c.fill);
        EXPECT_STREQ(c.text, out);
    }
    // What follows text already built gets only the room left.
    char out[8];
    TextBuilder b = {out, sizeof out, 0};
    AppendText(&b, "ab");
    AppendPadded(&b, 1234567, 0, ' ');
    EXPECT_STREQ("ab12345", out);
}

TEST(Text, DecimalsAreReadAsStrtolReadsThemAndSaturate)
{
    struct Case { const char* text; int value; } cases[] = {
        {"20", 20},         {"  \t\v\f+30", 30},         {"-5x", -5},     {"abc", 0},
        {"", 0},            {"- 5", 0},                  {"+-5", 0},      {"\r\n5", 0},
        {"2147483647", 2147483647},                      {"2147483648", 2147483647},
        {"-2147483648", -2147483647 - 1},                {"-2147483649", -2147483647 - 1},
        {"99999999999999999999999", 2147483647},         {"0012", 12},
        {"-2147483647", -2147483647},                    {"18446744073709551616", 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, ParseDecimal(c.text)) << c.text;
}

} // namespace
