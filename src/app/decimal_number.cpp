#include "app/decimal_number.h"

#include <limits.h>
#include <stddef.h>

int ParseDecimal(const char* text)
{
    size_t i = 0;
    // strtol's white space, but for the line ends that close a value in setting.ini.
    while (text[i] == ' ' || text[i] == '\t' || text[i] == '\v' || text[i] == '\f')
        ++i;
    int negative = text[i] == '-';
    if (text[i] == '+' || text[i] == '-')
        ++i;
    long long magnitude = 0;
    for (; text[i] >= '0' && text[i] <= '9'; ++i) {
        // Past the range the value no longer matters, only that it is past.
        if (magnitude <= INT_MAX)
            magnitude = magnitude * 10 + (text[i] - '0');
    }
    if (negative)
        return magnitude > INT_MAX ? INT_MIN : static_cast<int>(-magnitude);
    return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}
