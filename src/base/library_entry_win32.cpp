#include "base/library_entry_win32.h"

FARPROC LibraryEntry(HMODULE* library, const char* file, const char* name)
{
    if (*library == NULL)
        *library = LoadLibraryA(file);
    return *library != NULL ? GetProcAddress(*library, name) : NULL;
}
