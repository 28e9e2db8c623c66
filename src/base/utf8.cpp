#include "base/utf8.h"

#include <stdint.h>
#include <string.h>

size_t Utf8SequenceLength(const char* text, size_t length, size_t i)
{
    unsigned char b = static_cast<unsigned char>(text[i]);
    size_t follow = b < 0x80 ? 0 : b >= 0xc2 && b <= 0xdf ? 1 : b >= 0xe0 && b <= 0xef ? 2
                  : b >= 0xf0 && b <= 0xf4 ? 3 : 4;
    if (follow == 4 || i + follow >= length)
        return 0;
    // The second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
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

// 1 when the eight bytes at text[i] are all ASCII.
static int EightAscii(const char* text, size_t length, size_t i)
{
    uint64_t eight = 0x8080808080808080ULL;
    if (i + 8 <= length)
        memcpy(&eight, text + i, 8);
    return (eight & 0x8080808080808080ULL) == 0;
}

int IsMultibyteUtf8(const char* text, size_t length)
{
    int multibyte = 0;
    for (size_t i = 0, n; i < length; i += n) {
        // ASCII is most of any setting.ini: it is passed over eight bytes at a time.
        if (EightAscii(text, length, i)) {
            n = 8;
            continue;
        }
        n = Utf8SequenceLength(text, length, i);
        if (n == 0)
            return 0;
        multibyte |= n > 1;
    }
    return multibyte;
}
