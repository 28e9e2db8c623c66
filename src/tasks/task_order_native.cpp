// Name order for builds without lstrcmpA: the same word order lstrcmpA gives for ASCII
// names. Letters compare without regard to case first (punctuation before digits before
// letters); only names that are otherwise equal are ordered lower case first.
#include <stddef.h>

#include "tasks/task_table.h"

static int PrimaryWeight(unsigned char c)
{
    if (c >= 'A' && c <= 'Z')
        c = static_cast<unsigned char>(c - 'A' + 'a');
    if (c >= 'a' && c <= 'z')
        return 0x200 + c;
    if (c >= '0' && c <= '9')
        return 0x100 + c;
    return c;
}

int CompareTaskNames(const char* a, const char* b)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    size_t i = 0;
    // A name's end weighs least, so a name comes before its own continuation.
    for (; x[i] != 0; ++i) {
        int d = PrimaryWeight(x[i]) - PrimaryWeight(y[i]);
        if (d != 0)
            return d;
    }
    if (y[i] != 0)
        return -1;
    for (i = 0; x[i] != 0; ++i) {
        if (x[i] != y[i])
            return y[i] - x[i]; // 'a' (0x61) sorts before 'A' (0x41)
    }
    return 0;
}
