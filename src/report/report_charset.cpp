#include "report/report_charset.h"

#include <ctype.h>

namespace report {

int FindCharset(const std::string& name, Charset* charset)
{
    static const struct {
        const char* name;
        Charset charset;
    } known[] = {{"utf-8", CHARSET_UTF8},       {"utf8", CHARSET_UTF8},
                 {"windows-1252", CHARSET_CP1252}, {"cp1252", CHARSET_CP1252},
                 {"cp932", CHARSET_CP932},       {"shift_jis", CHARSET_CP932},
                 {"windows-31j", CHARSET_CP932}};
    std::string lower = name;
    for (char& c : lower)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    for (const auto& k : known) {
        if (lower == k.name) {
            *charset = k.charset;
            return 1;
        }
    }
    return 0;
}

namespace {

const char kReplacement[] = "\xef\xbf\xbd"; // U+FFFD

// The length of the valid UTF-8 sequence at text[i], or 0 when none starts there. The
// second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
size_t SequenceLength(std::string_view text, size_t i)
{
    unsigned char b = static_cast<unsigned char>(text[i]);
    size_t follow = b < 0x80 ? 0 : b >= 0xc2 && b <= 0xdf ? 1 : b >= 0xe0 && b <= 0xef ? 2
                  : b >= 0xf0 && b <= 0xf4 ? 3 : 4;
    if (follow == 4 || i + follow >= text.size())
        return 0;
    unsigned char low = b == 0xe0 ? 0xa0 : b == 0xf0 ? 0x90 : 0x80;
    unsigned char high = b == 0xed ? 0x9f : b == 0xf4 ? 0x8f : 0xbf;
    for (size_t k = 1; k <= follow; ++k) {
        unsigned char c = static_cast<unsigned char>(text[i + k]);
        if (c < low || c > high)
            return 0;
        low = 0x80;
        high = 0xbf;
    }
    return follow + 1;
}

} // namespace

int IsValidUtf8(std::string_view text)
{
    for (size_t i = 0, n; i < text.size(); i += n)
        if ((n = SequenceLength(text, i)) == 0)
            return 0;
    return 1;
}

std::string RepairedUtf8(std::string_view text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t n = SequenceLength(text, i);
        if (n == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(text.data() + i, n);
            i += n;
        }
    }
    return out;
}

std::vector<std::string> TextsAsUtf8(const std::vector<std::string_view>& texts,
                                     Charset charset)
{
    if (charset != CHARSET_UTF8)
        return CodePageToUtf8(texts, charset);
    std::vector<std::string> converted;
    for (std::string_view text : texts)
        converted.push_back(RepairedUtf8(text));
    return converted;
}

std::string NameAsUtf8(std::string_view name, Charset others)
{
    int multiByte = 0;
    for (char c : name)
        multiByte |= static_cast<unsigned char>(c) >= 0x80;
    if (multiByte && IsValidUtf8(name))
        return std::string(name);
    return TextsAsUtf8({name}, others)[0];
}

} // namespace report
