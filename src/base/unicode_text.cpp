#include "base/unicode_text.h"

#include <string.h>

#include "base/system.h"
#include "base/utf8.h"

namespace {

int StartsWith(const char* text, size_t length, const char* mark, size_t markLength)
{
    return length >= markLength && memcmp(text, mark, markLength) == 0;
}

} // namespace

TextOrigin TakeTextAsAnsi(char* text, size_t* length)
{
    UnicodeForm form;
    size_t mark = 0;
    if (StartsWith(text, *length, "\xFF\xFE", 2)) {
        form = FORM_UTF16LE;
        mark = 2;
    } else if (StartsWith(text, *length, "\xFE\xFF", 2)) {
        form = FORM_UTF16BE;
        mark = 2;
    } else {
        form = FORM_UTF8;
        mark = StartsWith(text, *length, "\xEF\xBB\xBF", 3) ? 3 : 0;
        if (!IsMultibyteUtf8(text + mark, *length - mark))
            return TEXT_ANSI;
    }
    memmove(text, text + mark, *length - mark);
    int lossy = 0;
    *length = ConvertToAnsi(text, *length - mark, form, &lossy);
    return lossy ? TEXT_CONVERTED_LOSSY : TEXT_CONVERTED;
}
