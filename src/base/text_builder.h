// Bounded text building into a fixed buffer: the text is always terminated, never written
// past the buffer, and what does not fit is cut off at a character boundary of the
// system's code page, so that no cut leaves half a double-byte character behind.
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
// `value` right-aligned in at least `width` characters, filled with `fill`.
void AppendPadded(TextBuilder* b, int64_t value, int width, char fill);

// Letters A-Z as a-z: keys and file names compare without regard to case.
char LowerAscii(char c);

// The longest start of `text` of at most `limit` bytes that ends between two characters;
// `text` is being cut, so it holds more than `limit` bytes.
size_t CharacterBoundary(const char* text, size_t limit);
// The one bounded copy: at most `capacity` - 1 bytes of `text`, cut at a character
// boundary; returns the bytes kept.
size_t CopyText(char* to, size_t capacity, const char* text, size_t length);
// The same for a whole NUL-terminated text.
size_t CopyString(char* to, size_t capacity, const char* text);
