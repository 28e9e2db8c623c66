// The encodings the names in the log may be in, and their conversion to UTF-8, in which
// every report is written. The conversion of code pages is the platform's: iconv
// (report_charset_posix.cpp) or Windows' own tables (report_charset_win32.cpp).
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace report {

enum Charset {
    CHARSET_UTF8,
    CHARSET_CP1252,
    CHARSET_CP932 // Shift_JIS as Windows has it
};

// "UTF-8", "windows-1252", "cp932", "Shift_JIS" and their other spellings, in any case;
// 0 for a name not known.
int FindCharset(const std::string& name, Charset* charset);

// The text with each byte that does not begin a valid UTF-8 sequence as U+FFFD.
std::string RepairedUtf8(std::string_view text);

// A log written by timers of different ages may hold both: a name is read as UTF-8 when it
// is valid UTF-8 with at least one multi-byte character, else as `others` (an ASCII name
// reads alike in all of them).
std::string NameAsUtf8(std::string_view name, Charset others);

// The texts in UTF-8, from `charset`; what does not convert becomes U+FFFD.
std::vector<std::string> TextsAsUtf8(const std::vector<std::string_view>& texts,
                                     Charset charset);

// The platform's half of TextsAsUtf8, for CHARSET_CP1252 and CHARSET_CP932.
std::vector<std::string> CodePageToUtf8(const std::vector<std::string_view>& texts,
                                        Charset charset);

} // namespace report
