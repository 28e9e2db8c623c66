#include <windows.h>

#include "tasks/task_table.h"

int CompareTaskNames(const char* a, const char* b)
{
    return lstrcmpA(a, b);
}
