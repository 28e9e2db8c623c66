// System libraries loaded when first needed rather than at start-up, where each would add to
// the time to the first painted strip.
#pragma once
#include <windows.h>

// The entry `name` of the library `file`, loaded into `library` on the first call; NULL when
// either is missing.
FARPROC LibraryEntry(HMODULE* library, const char* file, const char* name);

// The same entry as a function of type Function.
template <typename Function>
Function LibraryFunction(HMODULE* library, const char* file, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(LibraryEntry(library, file, name)));
}
