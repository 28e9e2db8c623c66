// Bounded text building into a fixed buffer: the text is always terminated and never
// written past the buffer; what does not fit is cut off.
#pragma once
#include <stddef.h>
#include <stdint.h>

struct TextBuilder {
    char* data;
    size_t capacity; // bytes of `data`, terminator included
    size_t length;
};

void AppendText(TextBuilder* b, const char* text);
void AppendBytes(TextBuilder* b, const char* bytes, size_t count);
void AppendInt(TextBuilder* b, int64_t value);
// `value` right-aligned in at least `width` characters, filled with `fill` ('0' or ' ').
void AppendPadded(TextBuilder* b, int64_t value, int width, char fill);
