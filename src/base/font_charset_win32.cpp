#include "base/font_charset_win32.h"

BYTE SystemCharset()
{
    CHARSETINFO info;
    // The code page travels in the pointer argument.
    if (!TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(GetACP())), &info,
                              TCI_SRCCODEPAGE))
        return DEFAULT_CHARSET;
    return static_cast<BYTE>(info.ciCharset);
}
