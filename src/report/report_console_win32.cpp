#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <windows.h>

#include "report/report_console.h"

namespace {

int WriteConsoleText(HANDLE console, const std::string& utf8)
{
    int length = static_cast<int>(utf8.size());
    int count = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring wide(count > 0 ? static_cast<size_t>(count) : 0, L'\0');
    if (count > 0 && MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, &wide[0], count) != count)
        return 0;
    // In pieces, as old consoles refuse large writes; a piece never ends inside a pair.
    const size_t piece = 8192;
    for (size_t at = 0; at < wide.size();) {
        size_t n = wide.size() - at < piece ? wide.size() - at : piece;
        if (n == piece && IS_HIGH_SURROGATE(wide[at + n - 1]))
            --n;
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + at, static_cast<DWORD>(n), &written, nullptr) ||
            written == 0)
            return 0;
        at += written;
    }
    return 1;
}

} // namespace

int WriteStandardOutput(const std::string& utf8)
{
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    if (out != INVALID_HANDLE_VALUE && out != nullptr && GetConsoleMode(out, &mode))
        return WriteConsoleText(out, utf8);
    // A file or a pipe: the UTF-8 bytes as they are (CSV lines already end in CR LF).
    if (_setmode(_fileno(stdout), _O_BINARY) == -1)
        return 0;
    return fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size() && fflush(stdout) == 0;
}
