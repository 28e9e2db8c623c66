// UTF-8 as editors write it, told apart from the 8-bit code pages.
#pragma once
#include <stddef.h>

// The length of the valid UTF-8 sequence at text[i], or 0 when none starts there: no
// overlong forms, no surrogates, nothing past U+10FFFF, nothing cut off by the end.
size_t Utf8SequenceLength(const char* text, size_t length, size_t i);
// 1 when the text is valid UTF-8 and holds at least one multi-byte sequence: text an 8-bit
// code page would hardly ever give by chance.
int IsMultibyteUtf8(const char* text, size_t length);
