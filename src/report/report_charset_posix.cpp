// Code pages to UTF-8 with the C library's iconv (glibc has it built in).
#include <errno.h>
#include <iconv.h>

#include "report/report_charset.h"

namespace report {

namespace {

std::string Converted(iconv_t cd, std::string_view text)
{
    std::string out;
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    for (;;) {
        char buffer[65536];
        char* to = buffer;
        size_t toLeft = sizeof buffer;
        size_t result = iconv(cd, &in, &inLeft, &to, &toLeft);
        out.append(buffer, static_cast<size_t>(to - buffer));
        if (result != static_cast<size_t>(-1))
            return out;
        // A byte that does not convert, or a lead byte with nothing after it, is marked and
        // passed over; a full buffer only needs another round.
        if (errno != E2BIG) {
            out += "\xef\xbf\xbd";
            ++in;
            --inLeft;
        }
    }
}

} // namespace

std::vector<std::string> CodePageToUtf8(const std::vector<std::string_view>& texts,
                                        Charset charset)
{
    std::vector<std::string> converted;
    iconv_t cd = iconv_open("UTF-8", charset == CHARSET_CP932 ? "CP932" : "CP1252");
    if (cd == reinterpret_cast<iconv_t>(-1)) { // no converter: ASCII at least comes through
        for (std::string_view text : texts)
            converted.push_back(RepairedUtf8(text));
        return converted;
    }
    for (std::string_view text : texts)
        converted.push_back(Converted(cd, text));
    iconv_close(cd);
    return converted;
}

} // namespace report
