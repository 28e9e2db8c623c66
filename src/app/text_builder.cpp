#include "app/text_builder.h"

#include <string.h>

void AppendBytes(TextBuilder* b, const char* bytes, size_t count)
{
    if (b->capacity == 0)
        return;
    size_t room = b->capacity - 1 - b->length;
    if (count > room)
        count = room;
    memcpy(b->data + b->length, bytes, count);
    b->length += count;
    b->data[b->length] = '\0';
}

void AppendText(TextBuilder* b, const char* text)
{
    AppendBytes(b, text, strlen(text));
}

void AppendPadded(TextBuilder* b, int64_t value, int width, char fill)
{
    char digits[24];
    int n = 0;
    // Work with the negative magnitude so that INT64_MIN needs no special case.
    int64_t rest = value < 0 ? value : -value;
    do {
        digits[n++] = static_cast<char>('0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    int length = n + (value < 0 ? 1 : 0);
    char out[48];
    int k = 0;
    if (fill == '0' && value < 0)
        out[k++] = '-';
    for (int pad = length; pad < width && k < 24; ++pad)
        out[k++] = fill;
    if (fill != '0' && value < 0)
        out[k++] = '-';
    while (n > 0)
        out[k++] = digits[--n];
    AppendBytes(b, out, static_cast<size_t>(k));
}

void AppendInt(TextBuilder* b, int64_t value)
{
    AppendPadded(b, value, 0, ' ');
}
