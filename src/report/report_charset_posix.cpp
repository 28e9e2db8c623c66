// Code pages to UTF-8 with the C library's iconv (glibc has it built in).
#include <iconv.h>
#include <string.h>

#include "report/report_charset.h"

namespace report {

namespace {

std::string Converted(iconv_t cd, std::string_view text)
{
    // A byte of either code page becomes at most three bytes of UTF-8, U+FFFD included.
    std::string out(text.size() * 3, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* to = &out[0];
    size_t toLeft = out.size();
    // iconv stops at a byte that does not convert, or a lead byte with nothing after it;
    // that byte becomes U+FFFD. The room is checked all the same before it is written.
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1) &&
           toLeft >= 3) {
        memcpy(to, "\xef\xbf\xbd", 3);
        to += 3;
        toLeft -= 3;
        ++in;
        --inLeft;
    }
    out.resize(static_cast<size_t>(to - out.data()));
    return out;
}

} // namespace

std::vector<std::string> CodePageToUtf8(const std::vector<std::string_view>& texts,
                                        Charset charset)
{
    iconv_t cd = iconv_open("UTF-8", charset == CHARSET_CP932 ? "CP932" : "CP1252");
    int found = cd != reinterpret_cast<iconv_t>(-1);
    std::vector<std::string> converted;
    for (std::string_view text : texts) // without a converter, ASCII at least comes through
        converted.push_back(found ? Converted(cd, text) : RepairedUtf8(text));
    if (found)
        iconv_close(cd);
    return converted;
}

} // namespace report
