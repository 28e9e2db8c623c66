// Text files as Unicode editors save them (Windows Notepad: UTF-8 without a mark by default,
// "UTF-16 LE" with one), taken into the system's ANSI code page, which the program keeps.
#pragma once
#include <stddef.h>

enum TextOrigin {
    TEXT_ANSI,            // left as it was: neither UTF-16 nor UTF-8 with a multi-byte character
    TEXT_CONVERTED,       // converted whole
    TEXT_CONVERTED_LOSSY  // converted, some characters replaced: the original must be kept
};
// A text starting with a UTF-16 byte-order mark (LE or BE), or valid UTF-8 with at least one
// multi-byte sequence (with or without its mark), is converted in place, its mark dropped,
// and `length` set to the new length.
TextOrigin TakeTextAsAnsi(char* text, size_t* length);
