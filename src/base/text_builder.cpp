#include "base/text_builder.h"

#include <string.h>

#include "base/system.h"

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

size_t CharacterBoundary(const char* text, size_t limit)
{
    size_t i = 0;
    for (;;) {
        size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > limit)
            return i;
        i += step;
    }
}

void AppendBytes(TextBuilder* b, const char* bytes, size_t count)
{
    if (b->capacity == 0)
        return;
    size_t room = b->capacity - 1 - b->length;
    if (count > room)
        count = CharacterBoundary(bytes, room);
    memcpy(b->data + b->length, bytes, count);
    b->length += count;
    b->data[b->length] = '\0';
}

void AppendText(TextBuilder* b, const char* text)
{
    AppendBytes(b, text, strlen(text));
}

size_t CopyText(char* to, size_t capacity, const char* text, size_t length)
{
    TextBuilder b = {to, capacity, 0};
    AppendBytes(&b, text, length);
    return b.length;
}

size_t CopyString(char* to, size_t capacity, const char* text)
{
    return CopyText(to, capacity, text, strlen(text));
}

void AppendPadded(TextBuilder* b, int64_t value, int width, char fill)
{
    char digits[20];
    int n = 0;
    // The negative magnitude, so that INT64_MIN needs no case of its own.
    int64_t rest = value < 0 ? value : -value;
    do {
        digits[n++] = static_cast<char>('0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    int length = n;
    if (value < 0) {
        AppendText(b, "-");
        ++length;
    }
    for (; length < width; ++length)
        AppendBytes(b, &fill, 1);
    while (n > 0)
        AppendBytes(b, &digits[--n], 1);
}

void AppendInt(TextBuilder* b, int64_t value)
{
    AppendPadded(b, value, 0, ' ');
}
