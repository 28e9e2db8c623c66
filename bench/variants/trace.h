// Time stamps for the start-up and exit profile of bench/variants.py: Mark() keeps
// QueryPerformanceCounter readings in memory; WriteTrace() appends them to trace.txt in the
// current folder when the program ends. Only ever compiled into variant builds.
#pragma once
#include <windows.h>
#include <stdio.h>

struct BenchTraceMark {
    const char* label;
    LONGLONG ticks;
};
inline BenchTraceMark benchTraceMarks[64];
inline int benchTraceCount = 0;

inline void Mark(const char* label)
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (benchTraceCount < 64)
        benchTraceMarks[benchTraceCount++] = {label, now.QuadPart};
}

inline void WriteTrace()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    FILE* out = fopen("trace.txt", "a");
    if (out == NULL)
        return;
    for (int i = 0; i < benchTraceCount; ++i)
        fprintf(out, "%s\t%.3f\n", benchTraceMarks[i].label,
                static_cast<double>(benchTraceMarks[i].ticks) * 1000.0 / static_cast<double>(frequency.QuadPart));
    fclose(out);
}
