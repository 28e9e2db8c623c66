// Code pages to UTF-8 with Windows' own tables: MultiByteToWideChar, then WideCharToMultiByte.
#include <windows.h>

#include "report/report_charset.h"

namespace report {

namespace {

// Appends UTF-16 for text[0..length) when it converts whole; 0 when a byte does not convert.
int AppendWide(UINT codePage, const char* text, int length, std::wstring* wide)
{
    int count = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, length, nullptr, 0);
    if (count <= 0)
        return 0;
    size_t at = wide->size();
    wide->resize(at + static_cast<size_t>(count));
    int ok = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text, length, &(*wide)[at],
                                 count) == count;
    if (!ok)
        wide->resize(at);
    return ok;
}

std::string WideToUtf8(const std::wstring& wide)
{
    int length = static_cast<int>(wide.size());
    int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string utf8(count > 0 ? static_cast<size_t>(count) : 0, '\0');
    if (count > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, &utf8[0], count, nullptr, nullptr);
    return utf8;
}

// The whole text at once when it converts; else character by character, each character that
// does not convert (or a lead byte with no second byte) as U+FFFD.
std::string Convert(UINT codePage, std::string_view text)
{
    std::wstring wide;
    if (!AppendWide(codePage, text.data(), static_cast<int>(text.size()), &wide)) {
        wide.clear();
        for (size_t i = 0; i < text.size();) {
            int length = IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[i])) &&
                         i + 1 < text.size() ? 2 : 1;
            if (AppendWide(codePage, text.data() + i, length, &wide)) {
                i += static_cast<size_t>(length);
            } else {
                wide += L'\xfffd';
                ++i;
            }
        }
    }
    return WideToUtf8(wide);
}

} // namespace

std::vector<std::string> CodePageToUtf8(const std::vector<std::string_view>& texts,
                                        Charset charset)
{
    UINT codePage = charset == CHARSET_CP932 ? 932 : 1252;
    std::vector<std::string> converted;
    converted.reserve(texts.size());
    for (std::string_view text : texts)
        converted.push_back(Convert(codePage, text));
    return converted;
}

} // namespace report
