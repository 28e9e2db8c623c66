// The GDI character set of the system's ANSI code page: the program's 8-bit names are drawn
// and its faces listed in it, so that every name shows as the user typed it.
#pragma once
#include <windows.h>

// SHIFTJIS_CHARSET on code page 932, ANSI_CHARSET on 1252, RUSSIAN_CHARSET on 1251, ...
BYTE SystemCharset();
