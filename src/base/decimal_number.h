// Signed decimal numbers read as strtol reads them with base 10: leading white space, an
// optional sign, digits up to the first other character; no digits read as 0, and a value
// beyond the 32-bit range as the nearest 32-bit limit.
#pragma once

int ParseDecimal(const char* text);
