#include "report/report_charset.h"

#include "base/utf8.h"

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

size_t SequenceLength(std::string_view text, size_t i)
{
    return Utf8SequenceLength(text.data(), text.size(), i);
}

} // namespace

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
    // The timer's own rule for text a Unicode editor saved.
    if (IsMultibyteUtf8(name.data(), name.size()))
        return std::string(name);
    return TextsAsUtf8({name}, others)[0];
}

} // namespace report
