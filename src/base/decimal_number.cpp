#include "base/decimal_number.h"

#include <algorithm>

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
    // The magnitude saturates at the largest the sign allows.
    long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), limit);
    return static_cast<int>(negative ? -magnitude : magnitude);
}
