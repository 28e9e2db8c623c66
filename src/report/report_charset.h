// The encodings the names in the log may be in, and their conversion to UTF-8, in which
// every report is written. The conversion of code pages is the platform's: iconv
// (report_charset_posix.cpp) or Windows' own tables (report_charset_win32.cpp).
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace report {

enum Charset {
    CHARSET_GUESS, // UTF-8 when every name is valid UTF-8, else windows-1252
    CHARSET_UTF8,
    CHARSET_CP1252,
    CHARSET_CP932 // Shift_JIS as Windows has it
};

// "UTF-8", "windows-1252", "cp932", "Shift_JIS" and their other spellings, in any case;
// 0 for a name not known.
int FindCharset(const std::string& name, Charset* charset);

int IsValidUtf8(std::string_view text);
// The text with each byte that does not begin a valid UTF-8 sequence as U+FFFD.
std::string RepairedUtf8(std::string_view text);

// `asked`, unless that is CHARSET_GUESS: then UTF-8 when every name is valid UTF-8, else
// windows-1252, the code page the timer writes on a Western system.
Charset CharsetOfNames(Charset asked, const std::vector<std::string_view>& names);

// The texts in UTF-8, from `charset` (not CHARSET_GUESS); what does not convert becomes
// U+FFFD.
std::vector<std::string> TextsAsUtf8(const std::vector<std::string_view>& texts,
                                     Charset charset);

// The platform's half of TextsAsUtf8, for CHARSET_CP1252 and CHARSET_CP932.
std::vector<std::string> CodePageToUtf8(const std::vector<std::string_view>& texts,
                                        Charset charset);

} // namespace report
